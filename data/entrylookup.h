#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

// How a letter text holds its entries. Lines are separated by "\n" and read without
// the blanks around them. A head line opens an entry: it begins with the headword in
// search form followed by " [". Any line whose first "[" stands after its first
// character is a head line; every other line (no "[", "[" first, or empty) continues
// the entry above it. A head line holding "=>" after its first character makes its
// entry a cross-reference to the headword written after the first "=>". Homographs are
// entries of one headword that follow one another directly.

// Whether a trimmed line opens an entry: its first "[" stands after its first character.
bool isHeadLine(QStringView line);

// The headword a trimmed head line opens: the text before its first " [". Empty when the
// line has no " [" after its first character, so that no lookup can reach it.
QStringView headLineHeadword(QStringView line);

struct EntryExtract
{
    bool found = false;
    // The head line of the first entry holds "=>"; `crossReferenceTarget` is the text
    // after it, trimmed.
    bool isCrossReference = false;
    QString crossReferenceTarget;
    // The first entry of the headword and the homographs that follow it, each line
    // trimmed and followed by "\n". The empty piece after a final "\n" counts as a line.
    QString text;
};

// Finds the entry of `word` (in search form) in one letter text.
EntryExtract extractEntry(const QString &letterText, const QString &word);

// What the entry view is to show for a headword.
struct LookupResult
{
    enum Kind {
        Unchanged, // empty or blank word, or no letter text under its key
        Entry,     // `text` holds the entry lines
        NotFound,  // `text` holds the search form that has no entry
    };
    Kind kind = Unchanged;
    QString text;
};

// Looks `word` up, following cross-references. A chain that comes back to a headword
// it has already passed stops at the reference that closes the circle, whose own entry
// lines are shown; chains of any length are followed without recursion.
LookupResult lookUpWord(const QHash<QString, QString> &letterTexts, const QString &word);

// The rich-text line shown for a search form without entry, the word in bold. The word
// is escaped, so that characters such as "<" and "&" show as themselves.
QString notFoundMessage(const QString &searchForm);
