#pragma once

#include <QString>
#include <optional>

// One row of the lexicon table as a line of the lexicon file gives it: the text before
// the first "|" without surrounding blanks (the column the lexicon filter matches), and
// the text between the first and the second "|" exactly as written. Fields after the
// second are ignored.
struct LexiconRow
{
    QString word;
    QString gloss;
};

// A line without "|" still becomes a row, with an empty gloss, so that no text of the
// file is lost; only an empty line gives no row.
std::optional<LexiconRow> splitLexiconLine(const QString &line);
