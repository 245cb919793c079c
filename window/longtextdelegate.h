#pragma once

#include <QStyledItemDelegate>

// Draws and measures the cells of the headword list and the lexicon table like the
// standard delegate, except that a cell text longer than any a dictionary holds is cut
// first: the cell still holds its whole text, but the toolkit does not lay out megabytes
// of it each time the cell is measured or painted. Such a text is elided at the cell's
// edge all the same.
class LongTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Every cell then measures `size`, as found once for all of them; an invalid size
    // (the default) measures each cell from its own text.
    void setCellSize(const QSize &size) { cellSize = size; }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QSize cellSize;
};
