#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The rules of the Bambara alphabet, for the viewer, the producers' tools and every
// export alike: its letters, the search form headwords are written in, the letter a
// headword is filed under, its words without tone marks, its sort order and how its
// special letters are typed on a keyboard that lacks them.

// The 28 letters that name the letter files and key the letter texts, in file order:
// the Latin letters with ɛ (U+025B) after e and ɔ (U+0254) after o.
QString dictionaryAlphabet();

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

// A written word without tone marks (combining marks) and without the "." between its
// morphemes, in NFC: what a headword's search form is made of.
QString toneless(const QString &word);

// Whether `a` comes before `b` in the order of the Bambara alphabet (both in search form):
// ɛ after e, ɲ (Л) and ŋ after n, ɔ after o, ʃ after s.
bool comesBefore(const QString &a, const QString &b);
