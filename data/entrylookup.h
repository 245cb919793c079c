#pragma once

#include "dictionarydata.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <functional>

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

// Finds the entries of search forms in a set of letter texts. A letter text that is
// searched often is indexed once (where each headword's first head line starts), so that
// many lookups in it cost one pass over it.
class EntryFinder
{
public:
    // The first `searchesBeforeIndexing` lookups search the letter texts directly; later
    // ones index each letter text they need. 0 indexes from the first lookup on.
    explicit EntryFinder(const LetterTexts &letterTexts, int searchesBeforeIndexing = 16);

    // The entry of `form` (a search form) in the letter text under its letter key; not
    // found when there is no such letter text.
    EntryExtract find(const QString &form);

private:
    using HeadLineIndex = QHash<QString, int>;

    const LetterTexts &m_letterTexts;
    int m_searchesLeft;
    QHash<QString, HeadLineIndex> m_indexes; // letter key -> headword -> head line start
};

// Where following a word's cross-references ends.
struct ReferenceWalk
{
    enum End {
        NoWord,      // the word's search form is empty
        Entry,       // `entry` is the entry of `form` and no cross-reference
        NoEntry,     // `form` has no entry (its letter text is missing or does not hold it)
        Circle,      // `entry` points back to `form`, which the walk has passed already
        EmptyTarget, // `entry`, the entry of `form`, names nothing after its "=>"
        Stopped,     // the visitor stopped the walk at `form`, whose entry is `entry`
    };
    End end = NoWord;
    QString form;
    EntryExtract entry;
};

// Called with each search form whose entry the walk reaches, in chain order; returns
// whether to go on.
using ReferenceVisitor = std::function<bool(const QString &form, const EntryExtract &entry)>;

// The entry of a search form (only `found`, `isCrossReference` and
// `crossReferenceTarget` count for a walk).
using EntrySource = std::function<EntryExtract(const QString &form)>;

// Follows the cross-references from `word`, without recursion and without limit on the
// length of a chain; a chain that comes back to a headword it has passed ends there. The
// one walk of references: of the viewer's letter texts (through a finder) and of the
// entries an import is writing alike.
ReferenceWalk walkReferences(const EntrySource &entryOf, const QString &word,
                             const ReferenceVisitor &visit = {});
ReferenceWalk walkReferences(EntryFinder &finder, const QString &word,
                             const ReferenceVisitor &visit = {});

// What the entry view is to show for a headword.
struct LookupResult
{
    enum Kind {
        Unchanged, // empty or blank word, or a cross-reference naming nothing
        Entry,     // `text` holds the entry lines
        NotFound,  // `text` holds the search form that has no entry
    };
    Kind kind = Unchanged;
    QString text;
    // For an entry, the search form the walk ended at: the headword whose entry `text`
    // is, or, in a circle, the one the reference closing it points back to.
    QString form;
};

// Looks `word` up, following cross-references. A circle of references shows the entry
// lines of the reference that closes it. A search form without entry, also when the letter
// file it would stand in is missing, is shown as not found.
LookupResult lookUpWord(const LetterTexts &letterTexts, const QString &word);

// The same, with a finder that many lookups share.
LookupResult lookUpWord(EntryFinder &finder, const QString &word);
