#pragma once

#include "entrystyle.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours the entry view by the mark-up of the entries: each block takes the looks that
// styledRuns() (entrystyle.h) gives its text, each look shown in its format.
class Highlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit Highlighter(QTextDocument *parent);

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat formats[entryLookCount]; // by look
};
