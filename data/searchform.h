#pragma once

#include <QString>

// Headwords are written in their search form: upper case, with Л (U+041B, Cyrillic
// capital El) as the capital of ɲ and ʃ (U+0283) kept small, no blanks around.
// Upper-cases, turns Ɲ (U+019D) into Л and Ʃ (U+01A9) into ʃ, and trims.
QString searchForm(const QString &text);

// The key of the letter text that holds the entry of a headword in search form: its
// first character, small, with Л filed under "q", Ŋ under "v" and ʃ under "x". Empty
// for an empty search form. The key names a letter file only if it is one of the
// dictionary alphabet's letters.
QString letterKey(const QString &searchForm);
