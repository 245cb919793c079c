#include "entrystyle.h"

#include "rulematchers.h"

#include <QRegExp>

#include <algorithm>

namespace {

struct Rule
{
    QRegExp pattern;
    EntryLook look;
    // Finds the same matches as `pattern` in linear time; null where the
    // regular-expression search itself is fast enough.
    RuleMatcher fastMatcher;
};

// A matcher of the whole tag word `word`.
#define TAG_MATCHER(word)                                                                          \
    [](const QString &text, int from, int *length) {                                               \
        return matchWholeWord(word, text, from, length);                                           \
    }

// In the order of application: where matches of two rules overlap, the later wins. Each
// thread has its own copy, since a search changes an expression's state.
const QVector<Rule> &rules()
{
    const auto rule = [](const QString &pattern, EntryLook look, RuleMatcher fastMatcher) {
        return Rule{QRegExp(pattern, Qt::CaseSensitive, QRegExp::RegExp), look, fastMatcher};
    };
    thread_local const QVector<Rule> table = {
        rule(QStringLiteral("\\bTG\\b"), EntryLook::Tag, TAG_MATCHER(u"TG")),
        rule(QStringLiteral("\\bW\\b"), EntryLook::Tag, TAG_MATCHER(u"W")),
        rule(QStringLiteral("\\bM\\b"), EntryLook::Tag, TAG_MATCHER(u"M")),
        rule(QStringLiteral("\\bN\\b"), EntryLook::Tag, TAG_MATCHER(u"N")),
        rule(QStringLiteral("\\bTU\\b"), EntryLook::Tag, TAG_MATCHER(u"TU")),
        rule(QStringLiteral("\\bD\\b"), EntryLook::Tag, TAG_MATCHER(u"D")),
        rule(QStringLiteral("\\bKB\\b"), EntryLook::Tag, TAG_MATCHER(u"KB")),
        rule(QStringLiteral("\\bKR\\b"), EntryLook::Tag, TAG_MATCHER(u"KR")),
        rule(QStringLiteral("\u2022"), EntryLook::Bullet, nullptr), // •
        rule(QStringLiteral("\u2666[^\\.]*[\\.!\\?]"), EntryLook::Example,
             matchExampleSentence),                                              // ♦
        rule(QStringLiteral("\u2191[\\w]*"), EntryLook::UpArrowWord, nullptr),   // ↑
        rule(QStringLiteral("\u2193[\\w]*"), EntryLook::DownArrowWord, nullptr), // ↓
        rule(QStringLiteral("\\b.*(?=\\[)"), EntryLook::Headword, matchBeforeLastBracket),
        rule(QStringLiteral("\\b.*(?=\\()"), EntryLook::BeforeParenthesis,
             matchBeforeLastParenthesis),
        rule(QStringLiteral("[\\[\\(][\u00f2\u00f3\\s]+[\\]\\)]"), EntryLook::ToneGroup,
             nullptr), // ò ó
        rule(QStringLiteral("\\{.*\\}"), EntryLook::Brace, matchBraceStretch),
        rule(QStringLiteral("/.*/"), EntryLook::Slash, matchSlashStretch),
    };
    return table;
}

#undef TAG_MATCHER

// Gives every character of each match of `rule` in `line` the rule's look.
void applyRule(const Rule &rule, const QString &line, EntryLook *looks)
{
    const auto findFrom = [&](int from, int *length) {
        if (rule.fastMatcher)
            return rule.fastMatcher(line, from, length);
        const int index = rule.pattern.indexIn(line, from, QRegExp::CaretAtZero);
        *length = rule.pattern.matchedLength();
        return index;
    };
    int length = 0;
    int index = findFrom(0, &length);
    // An empty match (only right before the last "[" or "(") gives no look, and no
    // further match can follow it; searching on from it would find it again.
    while (index >= 0 && length > 0) {
        std::fill(looks + index, looks + index + length, rule.look);
        index = findFrom(index + length, &length);
    }
}

} // namespace

QVector<StyledRun> styledRuns(const QString &line)
{
    QVector<EntryLook> looks(line.size(), EntryLook::Plain);
    for (const Rule &rule : rules())
        applyRule(rule, line, looks.data());
    QVector<StyledRun> runs;
    for (int start = 0; start < looks.size();) {
        int end = start + 1;
        while (end < looks.size() && looks.at(end) == looks.at(start))
            ++end;
        if (looks.at(start) != EntryLook::Plain)
            runs.append({start, end - start, looks.at(start)});
        start = end;
    }
    return runs;
}

LookStyle lookStyle(EntryLook look)
{
    switch (look) {
    case EntryLook::Plain:
        return {"", false, false};
    case EntryLook::Tag:
        return {"#800000", false, false}; // dark red
    case EntryLook::Bullet:
        return {"#0000ff", false, false}; // blue
    case EntryLook::Example:
        return {"#008080", false, true}; // dark cyan
    case EntryLook::UpArrowWord:
        return {"#009900", false, false}; // green
    case EntryLook::DownArrowWord:
        return {"#808000", false, false}; // olive
    case EntryLook::Headword:
        return {"#000080", true, false}; // dark blue
    case EntryLook::BeforeParenthesis:
        return {"#0000ff", true, false}; // blue
    case EntryLook::ToneGroup:
        return {"#6600cc", false, false}; // purple
    case EntryLook::Brace:
        return {"#006600", false, false}; // dark green
    case EntryLook::Slash:
        return {"#800080", false, false}; // dark magenta
    }
    return {"", false, false};
}
