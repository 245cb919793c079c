#include "dataloading.h"

#include "longtextdelegate.h"
#include "textcellsizes.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <algorithm>

namespace {

constexpr Qt::ItemFlags lexiconCellFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;

std::unique_ptr<QTableWidgetItem> lexiconCell(const QString &text)
{
    auto cell = std::make_unique<QTableWidgetItem>(text);
    cell->setFlags(lexiconCellFlags);
    return cell;
}

// The widths resizeColumnsToContents() gives the columns of a hidden table that holds
// only `rows`: each as wide as the widest of its cells that the view considers (while
// hidden, the first resizeContentsPrecision() of them, all for 0 or less), one pixel more
// when the grid shows, and at least as wide as its header section asks, shown or not,
// within the header's limits. Column 1 then stretches over the remaining width, but keeps
// its own when there is none. In other cases the toolkit measures the cells itself.
void sizeColumnsToTexts(QTableWidget *table, const QVector<LexiconRow> &rows)
{
    QHeaderView *header = table->horizontalHeader();
    if (table->isVisible() || table->rowCount() != rows.size() || table->columnCount() != 2 ||
        header->hiddenSectionCount() > 0) {
        table->resizeColumnsToContents();
    } else {
        const int precision = table->verticalHeader()->resizeContentsPrecision();
        const int considered = precision > 0 ? std::min(precision, rows.size()) : rows.size();
        for (int column = 0; column < 2; ++column) {
            const TextCellSizes cells =
                measureTextCells(table, column, considered, [&](int row) -> QStringView {
                    return column == 0 ? rows.at(row).word : rows.at(row).gloss;
                });
            const int content = cells.widest + (table->showGrid() ? 1 : 0);
            header->resizeSection(column, qBound(header->minimumSectionSize(),
                                                 qMax(content, header->sectionSizeHint(column)),
                                                 header->maximumSectionSize()));
        }
    }
    header->setSectionResizeMode(1, QHeaderView::Stretch);
}

} // namespace

QStringList loadHeadwords(QListWidget *list, const std::optional<QStringList> &headwords)
{
    if (!headwords)
        return {};
    list->clear();
    list->setUniformItemSizes(false);
    auto *delegate = qobject_cast<LongTextDelegate *>(list->itemDelegate());
    if (delegate)
        delegate->setCellSize(QSize());
    list->addItems(*headwords);
    if (delegate) {
        const TextCellSizes cells = measureTextCells(
            list, 0, headwords->size(), [&](int row) -> QStringView { return headwords->at(row); });
        if (cells.commonHeight >= 0) {
            delegate->setCellSize(QSize(cells.widest, cells.commonHeight));
            list->setUniformItemSizes(true);
        }
    }
    return *headwords;
}

LexiconCells makeLexiconCells(const std::optional<QVector<LexiconRow>> &rows)
{
    LexiconCells cells;
    if (!rows)
        return cells;
    cells.reserve(size_t(rows->size()) * 2);
    for (const LexiconRow &fields : *rows) {
        cells.push_back(lexiconCell(fields.word));
        cells.push_back(lexiconCell(fields.gloss));
    }
    return cells;
}

void loadLexicon(QTableWidget *table, const std::optional<QVector<LexiconRow>> &rows,
                 LexiconCells cells)
{
    if (!rows)
        return;
    if (cells.size() != size_t(rows->size()) * 2)
        cells = makeLexiconCells(rows);
    // All rows at once, then their cells, in file order. The table is not shown yet, so
    // the change signal of each cell, which would cost most of its setting, is held back.
    const int first = table->rowCount();
    table->setRowCount(first + rows->size());
    const QSignalBlocker quiet(table->model());
    for (size_t i = 0; i < cells.size(); ++i)
        table->setItem(first + int(i / 2), int(i % 2), cells[i].release());
    sizeColumnsToTexts(table, *rows);
}
