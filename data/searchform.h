#pragma once

#include <QString>
#include <QStringList>

// Headwords are written in their search form: upper case, with Л (U+041B, Cyrillic
// capital El) as the capital of ɲ and ʃ (U+0283) kept small, no blanks around.
// Upper-cases, turns Ɲ (U+019D) into Л and Ʃ (U+01A9) into ʃ, and trims.
QString searchForm(const QString &text);

// The key of the letter text that holds the entry of a headword in search form: its
// first character, small, with Л filed under "q", Ŋ under "v" and ʃ under "x". Empty
// for an empty search form. The key names a letter file only if it is one of the
// dictionary alphabet's letters.
QString letterKey(const QString &searchForm);

// The search form written small, as the entries write their words: lower case, with ɲ
// (U+0272) for Л.
QString smallForm(const QString &searchForm);

// How a word is written on a keyboard without the special letters of Bambara, as many
// readers type it: ɲ as "ny", ŋ as "ng", ɛ as "e" or "è", ɔ as "o" or "ò", ʃ as "sh" (the
// older orthography), and their capitals alike (Л and Ɲ as "NY"). Spelling n writes every
// special letter with its n-th spelling, or its last one where it has fewer: "sɛbɛn"
// gives "seben" and "sèbèn". Tone marks stay; the spellings are in NFC. A word without
// special letters gives none.
QStringList plainSpellings(const QString &word);
