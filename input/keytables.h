#pragma once

#include <qnamespace.h>
#include <optional>

// The special letters of the dictionary search field. Each keyboard-language number from
// 1 to 10 selects a fixed table that makes certain keys, pressed with certain modifier
// sets, type a letter that ordinary keyboards lack (ɛ, ɔ, ɲ, ŋ, ʃ and, in the other
// tables, further letters). Number 1 is the default; every other number maps nothing.

// What a mapped key combination types: the letter, and the modifier set of the key event
// that carries it into the field.
struct SpecialLetter
{
    char16_t character;
    Qt::KeyboardModifiers modifiers;
};

// The letter that `key` (a Qt::Key code) pressed with exactly `pressed` types in
// `language`, or nothing when the combination keeps its standard meaning. Modifier sets
// are compared whole: a table's Alt column matches Alt alone, and so on; a set that no
// column of the table names (no modifier, Ctrl+Shift, Meta, the keypad flag, ...) falls
// into its "other" column. Ctrl alone is never mapped, so the editing shortcuts work in
// every language. The Caps Lock state is not a modifier and plays no part.
std::optional<SpecialLetter> specialLetterFor(int language, int key, Qt::KeyboardModifiers pressed);
