#include "rulematchers.h"

namespace {

const QChar exampleMark(0x2666); // ♦

bool isWordBoundary(const QString &text, int position)
{
    const bool wordBefore = position > 0 && isWordCharacter(text.at(position - 1));
    const bool wordAfter = position < text.size() && isWordCharacter(text.at(position));
    return wordBefore != wordAfter;
}

// "\b.*(?=X)": ".*" reaches as far as the last X, so the leftmost boundary that is not
// after the last X starts the match, which ends right before that X. The match is
// empty when the boundary is the X itself (a word character stands before it).
int matchBeforeLast(QChar bracket, const QString &text, int from, int *length)
{
    const int last = text.lastIndexOf(bracket);
    for (int position = from; position <= last; ++position) {
        if (isWordBoundary(text, position)) {
            *length = last - position;
            return position;
        }
    }
    return -1;
}

// "X.*Y" with a one-character X and Y: the first X, through the last Y after it. Where
// the first X has no Y after it, no later X has one either.
int matchStretch(QChar open, QChar close, const QString &text, int from, int *length)
{
    const int start = text.indexOf(open, from);
    if (start < 0)
        return -1;
    const int end = text.lastIndexOf(close);
    if (end <= start)
        return -1;
    *length = end - start + 1;
    return start;
}

} // namespace

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_');
}

int matchWholeWord(QStringView word, const QString &text, int from, int *length)
{
    for (int start = text.indexOf(word, from); start >= 0; start = text.indexOf(word, start + 1)) {
        const int end = start + word.size();
        if (isWordBoundary(text, start) && isWordBoundary(text, end)) {
            *length = word.size();
            return start;
        }
    }
    return -1;
}

int matchExampleSentence(const QString &text, int from, int *length)
{
    const int start = text.indexOf(exampleMark, from);
    if (start < 0)
        return -1;
    // "[^\.]*" cannot pass a ".", so the first "." after the ♦ ends the longest match;
    // without one, the last "!" or "?" does. Without either, no later ♦ matches.
    int lastOtherMark = -1;
    for (int position = start + 1; position < text.size(); ++position) {
        const QChar c = text.at(position);
        if (c == QLatin1Char('.')) {
            *length = position - start + 1;
            return start;
        }
        if (c == QLatin1Char('!') || c == QLatin1Char('?'))
            lastOtherMark = position;
    }
    if (lastOtherMark < 0)
        return -1;
    *length = lastOtherMark - start + 1;
    return start;
}

int matchBeforeLastBracket(const QString &text, int from, int *length)
{
    return matchBeforeLast(QLatin1Char('['), text, from, length);
}

int matchBeforeLastParenthesis(const QString &text, int from, int *length)
{
    return matchBeforeLast(QLatin1Char('('), text, from, length);
}

int matchBraceStretch(const QString &text, int from, int *length)
{
    return matchStretch(QLatin1Char('{'), QLatin1Char('}'), text, from, length);
}

int matchSlashStretch(const QString &text, int from, int *length)
{
    return matchStretch(QLatin1Char('/'), QLatin1Char('/'), text, from, length);
}
