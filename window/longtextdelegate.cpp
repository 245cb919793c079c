#include "longtextdelegate.h"

#include "showntext.h"

QSize LongTextDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return cellSize.isValid() ? cellSize : QStyledItemDelegate::sizeHint(option, index);
}

void LongTextDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->text.size() > longestShownCell)
        option->text = cutLongLines(option->text, longestShownCell);
}
