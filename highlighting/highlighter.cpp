#include "highlighter.h"

#include <QColor>
#include <QFont>

namespace {

// The format of a look in the entry view: the colour and weight of its style, and for
// italic text (the examples) the whole font, family included, so that examples do not
// take the view's font family.
QTextCharFormat formatOf(EntryLook look)
{
    const LookStyle style = lookStyle(look);
    QTextCharFormat format;
    format.setForeground(QColor(QLatin1String(style.colour)));
    if (style.bold)
        format.setFontWeight(QFont::Bold);
    if (style.italic)
        format.setFont(QFont(QString(), 10, -1, true));
    return format;
}

} // namespace

Highlighter::Highlighter(QTextDocument *parent) : QSyntaxHighlighter(parent)
{
    for (int look = 0; look < entryLookCount; ++look) {
        if (EntryLook(look) != EntryLook::Plain)
            formats[look] = formatOf(EntryLook(look));
    }
}

void Highlighter::highlightBlock(const QString &text)
{
    for (const StyledRun &run : styledRuns(text))
        setFormat(run.start, run.length, formats[int(run.look)]);
    setCurrentBlockState(0);
}
