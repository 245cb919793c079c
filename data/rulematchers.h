#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// Hand-written matchers for the highlighting rules whose regular-expression search can
// take time quadratic in the length of a block (every failed start position runs a ".*"
// or a negated class to the end of the block). Each matcher answers exactly what
// QRegExp::indexIn(text, from) answers for its pattern: the index of the leftmost match
// that starts at or after `from` (0 <= from), or -1, with the length of the greedy match
// stored in *length. Word boundaries look at the character before `from`, as QRegExp
// does. Scanning a block match after match costs time linear in its length.
using RuleMatcher = int (*)(const QString &text, int from, int *length);

// A word character in the sense of QRegExp's "\w" and "\b": a letter, a number, a mark
// (combining or not) or the underscore, tested per UTF-16 code unit.
bool isWordCharacter(QChar c);

// "\bWORD\b" for a word of word characters: the first occurrence of `word` with no word
// character right before or after it.
int matchWholeWord(QStringView word, const QString &text, int from, int *length);

// "♦[^\.]*[\.!\?]": a ♦ through the first "." after it, or, with no "." after it,
// through the last "!" or "?" after it.
int matchExampleSentence(const QString &text, int from, int *length);

// "\b.*(?=\[)": from the first word boundary up to, not including, the last "[".
int matchBeforeLastBracket(const QString &text, int from, int *length);

// "\b.*(?=\()": from the first word boundary up to, not including, the last "(".
int matchBeforeLastParenthesis(const QString &text, int from, int *length);

// "\{.*\}": from the first "{" through the last "}" after it.
int matchBraceStretch(const QString &text, int from, int *length);

// "/.*/": from the first "/" through the last "/" after it.
int matchSlashStretch(const QString &text, int from, int *length);
