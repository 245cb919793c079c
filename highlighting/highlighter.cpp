#include "highlighter.h"

Highlighter::Highlighter(QTextDocument *parent) : QSyntaxHighlighter(parent) {}

void Highlighter::highlightBlock(const QString &)
{
    setCurrentBlockState(0);
}
