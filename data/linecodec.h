#pragma once

#include <QString>

// Every line of a data file is stored shifted: the UTF-16 code unit at position i of
// line number p (1-based within its file) is moved by a digit of the constant key
// "52413", taken at key position (i + p) mod 5. The bullet U+2022 is stored as itself
// but still uses up its key position.

// Stored line -> plain line. Pure; never fails; the result has the length of `line`.
QString descrambleLine(const QString &line, int phase);

// The same, for `length` units in place.
void descrambleInPlace(QChar *units, int length, int phase);

// Plain line -> stored line: the exact inverse of descrambleLine for every plain line
// that unstorablePosition() accepts.
QString scrambleLine(const QString &line, int phase);

// Why a plain character cannot be stored at its place.
enum class UnstorableReason {
    None,
    BecomesBullet,        // its stored unit would be U+2022, which the reader passes through
    BecomesLineBreak,     // its stored unit would be U+000A or U+000D, which the reader splits on
    UnpairedSurrogate,    // the stored units would hold a surrogate that UTF-8 cannot carry
    BecomesByteOrderMark, // first unit of a file stored as U+FEFF, which the reader drops
};

struct UnstorableCharacter
{
    int position = -1; // index into the plain line, -1 when every character can be stored
    UnstorableReason reason = UnstorableReason::None;
};

// The first position of a plain line whose character would not survive being stored
// as line number `phase` and read back.
UnstorableCharacter unstorablePosition(const QString &line, int phase);

// Whether `line`, given as a plain line, reads as a stored one instead: it holds control
// characters (below U+0020, the tab aside), and read as stored line number `phase` it
// holds none. Plain text rarely holds such characters, while a stored line holds one for
// most blanks of its plain line (a blank moves down by 1 to 4 units on four key positions
// of five).
bool readsAsStoredLine(const QString &line, int phase);

// Whether `text` holds a character below U+0020 other than the tab.
bool holdsControlCharacter(const QString &text);

// A short English phrase for a reason, for producers' error messages.
QString unstorableReasonText(UnstorableReason reason);
