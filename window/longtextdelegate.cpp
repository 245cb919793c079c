#include "longtextdelegate.h"

#include "showntext.h"

void LongTextDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->text.size() > longestShownCell)
        option->text = cutLongLines(option->text, longestShownCell);
}
