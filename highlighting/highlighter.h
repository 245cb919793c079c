#pragma once

#include "rulematchers.h"

#include <QRegExp>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QVector>

// Colours the entry view by the mark-up of the entries: tag words, bullets, ♦ examples,
// ↑ and ↓ words, the text in front of the last "[" or "(", ò/ó tone groups, and
// stretches between braces or slashes. A fixed, ordered table of 17 rules is applied
// to each block; a later rule's colouring replaces an earlier one's.
class Highlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit Highlighter(QTextDocument *parent);

protected:
    void highlightBlock(const QString &text) override;

private:
    struct HighlightingRule
    {
        QRegExp pattern;
        QTextCharFormat format;
        // Finds the same matches as `pattern` in linear time; null where the
        // regular-expression search itself is fast enough.
        RuleMatcher fastMatcher = nullptr;
    };

    QVector<HighlightingRule> highlightingRules;
    QTextCharFormat tagFormat;
    QTextCharFormat headwordFormat;
    QTextCharFormat beforeParenFormat;
    QTextCharFormat toneFormat;
    QTextCharFormat bulletFormat;
    QTextCharFormat exampleFormat;
    QTextCharFormat upArrowFormat;
    QTextCharFormat downArrowFormat;
    QTextCharFormat braceFormat;
    QTextCharFormat slashFormat;
};
