#include "dataloading.h"

#include "datafile.h"
#include "datafilenames.h"
#include "lexiconline.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>

namespace {

constexpr Qt::ItemFlags lexiconCellFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;

QTableWidgetItem *lexiconCell(const QString &text)
{
    auto *cell = new QTableWidgetItem(text);
    cell->setFlags(lexiconCellFlags);
    return cell;
}

} // namespace

QStringList loadHeadwords(QListWidget *list, const QString &dir)
{
    const auto lines = readDataFile(dataFilePath(dir, headwordFileName()));
    if (!lines)
        return {};
    list->clear();
    list->addItems(*lines);
    return *lines;
}

void loadLexicon(QTableWidget *table, const QString &dir)
{
    const auto lines = readDataFile(dataFilePath(dir, lexiconFileName()));
    if (!lines)
        return;
    QVector<LexiconRow> rows;
    rows.reserve(lines->size());
    for (const QString &line : *lines) {
        if (auto row = splitLexiconLine(line))
            rows.append(std::move(*row));
    }
    // All rows at once, then their cells, in file order.
    int row = table->rowCount();
    table->setRowCount(row + rows.size());
    for (const LexiconRow &fields : qAsConst(rows)) {
        table->setItem(row, 0, lexiconCell(fields.word));
        table->setItem(row, 1, lexiconCell(fields.gloss));
        ++row;
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
}

void loadLetterTexts(QHash<QString, QString> *letterTexts, const QString &dir)
{
    for (const QChar letter : dictionaryAlphabet()) {
        if (auto text = readDataText(dataFilePath(dir, letterFileName(letter))))
            letterTexts->insert(QString(letter), std::move(*text));
    }
}
