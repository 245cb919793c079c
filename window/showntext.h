#pragma once

#include <QString>

// The toolkit lays out every character of a shown line, at a cost that grows with the
// line's length, and a data file may hold a line of megabytes. What the window shows is
// therefore cut at a length no dictionary line comes near; shorter text is shown whole.

// Longest line of the entry view: longer lines end, cut, in "…".
constexpr int longestShownLine = 100000;

// Longest text drawn in a cell of the headword list or the lexicon table.
constexpr int longestShownCell = 4096;

// What the window shows of the data's text.

// `text` with every line longer than `maximum` cut to `maximum` characters followed by
// "…" (U+2026). Lines are separated by "\n".
QString cutLongLines(const QString &text, int maximum = longestShownLine);

// The rich-text line shown for a search form without entry, the word in bold. The word
// is escaped, so that characters such as "<" and "&" show as themselves.
QString notFoundMessage(const QString &searchForm);
