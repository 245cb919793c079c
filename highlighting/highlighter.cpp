#include "highlighter.h"

#include <QColor>
#include <QFont>

Highlighter::Highlighter(QTextDocument *parent) : QSyntaxHighlighter(parent)
{
    // The formats, each complete before any rule copies it.
    tagFormat.setForeground(Qt::darkRed);
    bulletFormat.setForeground(Qt::blue);
    exampleFormat.setForeground(Qt::darkCyan);
    // The whole font, family included: examples do not take the view's font family.
    exampleFormat.setFont(QFont(QString(), 10, -1, true));
    upArrowFormat.setForeground(QColor(QStringLiteral("#090")));
    downArrowFormat.setForeground(Qt::darkYellow);
    headwordFormat.setForeground(Qt::darkBlue);
    headwordFormat.setFontWeight(QFont::Bold);
    beforeParenFormat.setForeground(Qt::blue);
    beforeParenFormat.setFontWeight(QFont::Bold);
    toneFormat.setForeground(QColor(QStringLiteral("#60c")));
    braceFormat.setForeground(QColor(QStringLiteral("#060")));
    slashFormat.setForeground(Qt::darkMagenta);

    struct RuleDefinition
    {
        QString pattern;
        QTextCharFormat Highlighter::*format;
        RuleMatcher fastMatcher;
    };
    // In the order of application: where matches of two rules overlap, the later wins.
    static const RuleDefinition ruleTable[] = {
        {QStringLiteral("\\bTG\\b"), &Highlighter::tagFormat, nullptr},
        {QStringLiteral("\\bW\\b"), &Highlighter::tagFormat, nullptr},
        {QStringLiteral("\\bM\\b"), &Highlighter::tagFormat, nullptr},
        {QStringLiteral("\\bN\\b"), &Highlighter::tagFormat, nullptr},
        {QStringLiteral("\\bTU\\b"), &Highlighter::tagFormat, nullptr},
        {QStringLiteral("\\bD\\b"), &Highlighter::tagFormat, nullptr},
        {QStringLiteral("\\bKB\\b"), &Highlighter::tagFormat, nullptr},
        {QStringLiteral("\\bKR\\b"), &Highlighter::tagFormat, nullptr},
        {QStringLiteral("\u2022"), &Highlighter::bulletFormat, nullptr}, // •
        {QStringLiteral("\u2666[^\\.]*[\\.!\\?]"), &Highlighter::exampleFormat,
         matchExampleSentence},                                                   // ♦
        {QStringLiteral("\u2191[\\w]*"), &Highlighter::upArrowFormat, nullptr},   // ↑
        {QStringLiteral("\u2193[\\w]*"), &Highlighter::downArrowFormat, nullptr}, // ↓
        {QStringLiteral("\\b.*(?=\\[)"), &Highlighter::headwordFormat, matchBeforeLastBracket},
        {QStringLiteral("\\b.*(?=\\()"), &Highlighter::beforeParenFormat,
         matchBeforeLastParenthesis},
        {QStringLiteral("[\\[\\(][\u00f2\u00f3\\s]+[\\]\\)]"), &Highlighter::toneFormat,
         nullptr}, // ò ó
        {QStringLiteral("\\{.*\\}"), &Highlighter::braceFormat, matchBraceStretch},
        {QStringLiteral("/.*/"), &Highlighter::slashFormat, matchSlashStretch},
    };

    HighlightingRule rule;
    for (const RuleDefinition &definition : ruleTable) {
        rule.pattern = QRegExp(definition.pattern, Qt::CaseSensitive, QRegExp::RegExp);
        rule.format = this->*definition.format;
        rule.fastMatcher = definition.fastMatcher;
        highlightingRules.append(rule);
    }
}

void Highlighter::highlightBlock(const QString &text)
{
    for (const HighlightingRule &rule : qAsConst(highlightingRules)) {
        QRegExp expression = rule.pattern;
        const auto findFrom = [&](int from, int *length) {
            if (rule.fastMatcher)
                return rule.fastMatcher(text, from, length);
            const int index = expression.indexIn(text, from, QRegExp::CaretAtZero);
            *length = expression.matchedLength();
            return index;
        };
        int length = 0;
        int index = findFrom(0, &length);
        // An empty match (only right before the last "[" or "(") colours nothing, and no
        // further match can follow it; searching on from it would find it again.
        while (index >= 0 && length > 0) {
            setFormat(index, length, rule.format);
            index = findFrom(index + length, &length);
        }
    }
    setCurrentBlockState(0);
}
