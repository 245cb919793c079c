#pragma once

#include <QString>

// Text an importer takes from a producer's file (a gloss, a definition, a note, an example)
// is shown in the entry view, whose colouring rules read some characters as mark-up: the
// text in front of the last "(" or "[" of a line is drawn bold blue as a headword, a tone
// group "(ò)" purple, a stretch between braces or between two slashes green or magenta, ♦
// opens an example, ↑ and ↓ a related word, • is a bullet and TG W M N TU D KB KR
// standing as words are tags. Such text is written with a look-alike of each of these
// characters that no rule matches (docs/data-format.md lists them), and a tag word gets
// an invisible combining grapheme joiner (U+034F) after it, so that it is no longer a
// whole word.

// The text with each mark-up character replaced by its look-alike and a joiner after each
// tag word.
QString withoutMarkup(const QString &text);

// The inverse: each look-alike turned back into the plain character, the joiner after a
// tag word left out. A look-alike the producer wrote is turned into the plain character
// too.
QString withPlainCharacters(const QString &text);
