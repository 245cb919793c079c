#pragma once

#include <QString>
#include <QVector>

// How the text of an entry looks wherever it is shown: the viewer's entry view, and every
// export. Each line (a block of the entry view) is styled on its own by a fixed, ordered
// table of 17 rules: tag words, bullets, ♦ examples, ↑ and ↓ words, the text in front of
// the last "[" or "(", ò/ó tone groups, and stretches between braces or slashes. The rules
// are applied in table order and each match gives its characters the rule's look, so
// that where matches of two rules overlap the later one's look stays. An empty match
// gives no character a look.

enum class EntryLook : unsigned char {
    Plain,             // no rule matched
    Tag,               // a part-of-speech tag word
    Bullet,            // •
    Example,           // a ♦ example sentence
    UpArrowWord,       // ↑ and the word after it
    DownArrowWord,     // ↓ and the word after it
    Headword,          // the text in front of the last "["
    BeforeParenthesis, // the text in front of the last "("
    ToneGroup,         // ò/ó tone letters in brackets
    Brace,             // {…}
    Slash,             // /…/
};

constexpr int entryLookCount = int(EntryLook::Slash) + 1;

// A stretch of one look: `length` characters from `start`.
struct StyledRun
{
    int start = 0;
    int length = 0;
    EntryLook look = EntryLook::Plain;
};

// The runs of one line: each longest stretch of characters of one look other than Plain,
// in the order of the line.
QVector<StyledRun> styledRuns(const QString &line);

// How a look is shown: its text colour ("#rrggbb"), and whether it is bold and italic.
// Plain text has no colour of its own (an empty name) and is neither.
struct LookStyle
{
    const char *colour;
    bool bold;
    bool italic;
};

LookStyle lookStyle(EntryLook look);
