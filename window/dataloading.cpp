#include "dataloading.h"

#include "dictionarydata.h"

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
    const auto headwords = readHeadwords(dir);
    if (!headwords)
        return {};
    list->clear();
    list->addItems(*headwords);
    return *headwords;
}

void loadLexicon(QTableWidget *table, const QString &dir)
{
    const auto rows = readLexicon(dir);
    if (!rows)
        return;
    // All rows at once, then their cells, in file order.
    int row = table->rowCount();
    table->setRowCount(row + rows->size());
    for (const LexiconRow &fields : *rows) {
        table->setItem(row, 0, lexiconCell(fields.word));
        table->setItem(row, 1, lexiconCell(fields.gloss));
        ++row;
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
}
