#include "keytables.h"

#include <iterator>

namespace {

// The columns of a table, named by the modifier set pressed with the key.
enum class Column : unsigned char { Other, Shift, Alt, AltShift, CtrlAlt, CtrlAltShift };

struct ColumnModifiers
{
    Column column;
    Qt::KeyboardModifiers pressed;
};

// The named columns, in the order of the tables. Every table names the first three; only
// language 10 names the two Ctrl+Alt columns.
constexpr ColumnModifiers namedColumns[] = {
    {Column::Shift, Qt::ShiftModifier},
    {Column::Alt, Qt::AltModifier},
    {Column::AltShift, Qt::AltModifier | Qt::ShiftModifier},
    {Column::CtrlAlt, Qt::ControlModifier | Qt::AltModifier},
    {Column::CtrlAltShift, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier},
};
constexpr int basicColumnCount = 3;
constexpr int allColumnCount = 5;

// One filled cell: the key, the column, the letter typed and the modifier set of the event
// that carries it. Empty cells are simply not listed.
struct Cell
{
    Qt::Key key;
    Column column;
    char16_t character;
    Qt::KeyboardModifiers substitute;
};

constexpr Qt::KeyboardModifiers none = Qt::NoModifier;
constexpr Qt::KeyboardModifiers shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers alt = Qt::AltModifier;

// The capital of ɲ is the Cyrillic Л U+041B, the letter the headwords are written with,
// never U+019D. Shift+X gives the small ʃ U+0283, which has no capital in the headwords.
// A Shift cell carries its letter with Shift; the Alt cells (Alt pressed with or without
// Shift or Ctrl) carry it with Alt alone, or with none where a key types the same letter
// with and without Alt.

constexpr Cell language1[] = {
    {Qt::Key_E, Column::Alt, 0x025B, alt},       // ɛ
    {Qt::Key_E, Column::AltShift, 0x0190, alt},  // Ɛ
    {Qt::Key_O, Column::Alt, 0x0254, alt},       // ɔ
    {Qt::Key_O, Column::AltShift, 0x0186, alt},  // Ɔ
    {Qt::Key_Q, Column::Other, 0x0272, none},    // ɲ
    {Qt::Key_Q, Column::Shift, 0x041B, shift},   // Л (Cyrillic)
    {Qt::Key_V, Column::Other, 0x014B, none},    // ŋ
    {Qt::Key_V, Column::Shift, 0x014A, shift},   // Ŋ
    {Qt::Key_X, Column::Other, 0x0283, none},    // ʃ
    {Qt::Key_X, Column::Shift, 0x0283, shift},   // ʃ
    {Qt::Key_X, Column::Alt, 0x0283, none},      // ʃ
    {Qt::Key_X, Column::AltShift, 0x0283, none}, // ʃ
};

constexpr Cell language2[] = {
    {Qt::Key_E, Column::Alt, 0x025B, alt},      // ɛ
    {Qt::Key_E, Column::AltShift, 0x0190, alt}, // Ɛ
    {Qt::Key_Q, Column::Other, 0x0272, none},   // ɲ
    {Qt::Key_Q, Column::Shift, 0x041B, shift},  // Л (Cyrillic)
    {Qt::Key_X, Column::Other, 0x0253, none},   // ɓ
    {Qt::Key_X, Column::Shift, 0x0181, shift},  // Ɓ
};

constexpr Cell languages3and4[] = {
    {Qt::Key_E, Column::Alt, 0x025B, alt},      // ɛ
    {Qt::Key_E, Column::AltShift, 0x0190, alt}, // Ɛ
    {Qt::Key_O, Column::Alt, 0x0254, alt},      // ɔ
    {Qt::Key_O, Column::AltShift, 0x0186, alt}, // Ɔ
    {Qt::Key_Q, Column::Other, 0x0272, none},   // ɲ
    {Qt::Key_Q, Column::Shift, 0x041B, shift},  // Л (Cyrillic)
    {Qt::Key_V, Column::Other, 0x014B, none},   // ŋ
    {Qt::Key_V, Column::Shift, 0x014A, shift},  // Ŋ
};

constexpr Cell language5[] = {
    {Qt::Key_Q, Column::Other, 0x0272, none},   // ɲ
    {Qt::Key_Q, Column::Shift, 0x041B, shift},  // Л (Cyrillic)
    {Qt::Key_V, Column::Other, 0x014B, none},   // ŋ
    {Qt::Key_V, Column::Shift, 0x014A, shift},  // Ŋ
    {Qt::Key_X, Column::Other, 0x0253, none},   // ɓ
    {Qt::Key_X, Column::Shift, 0x0181, shift},  // Ɓ
    {Qt::Key_Y, Column::Alt, 0x01B4, alt},      // ƴ
    {Qt::Key_Y, Column::AltShift, 0x01B3, alt}, // Ƴ
    {Qt::Key_Z, Column::Other, 0x0257, none},   // ɗ
    {Qt::Key_Z, Column::Shift, 0x018A, shift},  // Ɗ
};

constexpr Cell languages6and7[] = {
    {Qt::Key_E, Column::Alt, 0x025B, alt},       // ɛ
    {Qt::Key_E, Column::AltShift, 0x0190, alt},  // Ɛ
    {Qt::Key_O, Column::Alt, 0x0254, alt},       // ɔ
    {Qt::Key_O, Column::AltShift, 0x0186, alt},  // Ɔ
    {Qt::Key_Q, Column::Other, 0x0272, none},    // ɲ
    {Qt::Key_Q, Column::Shift, 0x041B, shift},   // Л (Cyrillic)
    {Qt::Key_V, Column::Alt, 0x014B, alt},       // ŋ
    {Qt::Key_V, Column::AltShift, 0x014A, alt},  // Ŋ
    {Qt::Key_X, Column::Other, 0x0283, none},    // ʃ
    {Qt::Key_X, Column::Shift, 0x0283, shift},   // ʃ
    {Qt::Key_X, Column::Alt, 0x0283, none},      // ʃ
    {Qt::Key_X, Column::AltShift, 0x0283, none}, // ʃ
    {Qt::Key_Z, Column::Alt, 0x0292, alt},       // ʒ
    {Qt::Key_Z, Column::AltShift, 0x01B7, alt},  // Ʒ
};

constexpr Cell language8[] = {
    {Qt::Key_V, Column::Other, 0x014B, none},    // ŋ
    {Qt::Key_V, Column::Shift, 0x014A, shift},   // Ŋ
    {Qt::Key_V, Column::Alt, 0x014B, none},      // ŋ
    {Qt::Key_V, Column::AltShift, 0x014B, none}, // ŋ
    {Qt::Key_Z, Column::Other, 0x0272, none},    // ɲ
    {Qt::Key_Z, Column::Shift, 0x041B, shift},   // Л (Cyrillic)
    {Qt::Key_Z, Column::Alt, 0x0272, none},      // ɲ
    {Qt::Key_Z, Column::AltShift, 0x0272, none}, // ɲ
};

constexpr Cell language9[] = {
    {Qt::Key_Q, Column::Other, 0x0272, none},    // ɲ
    {Qt::Key_Q, Column::Shift, 0x041B, shift},   // Л (Cyrillic)
    {Qt::Key_Q, Column::Alt, 0x0272, none},      // ɲ
    {Qt::Key_Q, Column::AltShift, 0x0272, none}, // ɲ
    {Qt::Key_V, Column::Other, 0x014B, none},    // ŋ
    {Qt::Key_V, Column::Shift, 0x014A, shift},   // Ŋ
    {Qt::Key_V, Column::Alt, 0x014B, none},      // ŋ
    {Qt::Key_V, Column::AltShift, 0x014B, none}, // ŋ
    {Qt::Key_X, Column::Other, 0x0283, none},    // ʃ
    {Qt::Key_X, Column::Shift, 0x0283, shift},   // ʃ
    {Qt::Key_X, Column::Alt, 0x0283, none},      // ʃ
    {Qt::Key_X, Column::AltShift, 0x0283, none}, // ʃ
};

// C gives the Greek final sigma ς U+03C2 and stigma Ϛ U+03DA, B the turned e ǝ U+01DD
// and reversed E Ǝ U+018E: not case pairs, but the letters wanted.
constexpr Cell language10[] = {
    {Qt::Key_A, Column::Alt, 0x01CE, alt},          // ǎ
    {Qt::Key_A, Column::AltShift, 0x01CD, alt},     // Ǎ
    {Qt::Key_B, Column::Other, 0x01DD, none},       // ǝ
    {Qt::Key_B, Column::Shift, 0x018E, shift},      // Ǝ
    {Qt::Key_C, Column::Other, 0x03C2, none},       // ς
    {Qt::Key_C, Column::Shift, 0x03DA, shift},      // Ϛ
    {Qt::Key_D, Column::CtrlAlt, 0x1E0D, alt},      // ḍ
    {Qt::Key_D, Column::CtrlAltShift, 0x1E0C, alt}, // Ḍ
    {Qt::Key_H, Column::CtrlAlt, 0x1E25, alt},      // ḥ
    {Qt::Key_H, Column::CtrlAltShift, 0x1E24, alt}, // Ḥ
    {Qt::Key_L, Column::CtrlAlt, 0x1E37, alt},      // ḷ
    {Qt::Key_L, Column::CtrlAltShift, 0x1E36, alt}, // Ḷ
    {Qt::Key_P, Column::Other, 0x0263, none},       // ɣ
    {Qt::Key_P, Column::Shift, 0x0194, shift},      // Ɣ
    {Qt::Key_S, Column::Alt, 0x0161, alt},          // š
    {Qt::Key_S, Column::AltShift, 0x0160, alt},     // Š
    {Qt::Key_S, Column::CtrlAlt, 0x1E63, alt},      // ṣ
    {Qt::Key_S, Column::CtrlAltShift, 0x1E62, alt}, // Ṣ
    {Qt::Key_T, Column::CtrlAlt, 0x1E6D, alt},      // ṭ
    {Qt::Key_T, Column::CtrlAltShift, 0x1E6C, alt}, // Ṭ
    {Qt::Key_V, Column::Other, 0x014B, none},       // ŋ
    {Qt::Key_V, Column::Shift, 0x014A, shift},      // Ŋ
    {Qt::Key_Z, Column::Alt, 0x017E, alt},          // ž
    {Qt::Key_Z, Column::AltShift, 0x017D, alt},     // Ž
    {Qt::Key_Z, Column::CtrlAlt, 0x1E93, alt},      // ẓ
    {Qt::Key_Z, Column::CtrlAltShift, 0x1E92, alt}, // Ẓ
};

struct LanguageTable
{
    const Cell *begin;
    const Cell *end;
    int columnCount; // how many of the named columns the table has
};

// Indexed by language number minus one; languages 3/4 and 6/7 share their tables.
constexpr LanguageTable languages[] = {
    {std::begin(language1), std::end(language1), basicColumnCount},
    {std::begin(language2), std::end(language2), basicColumnCount},
    {std::begin(languages3and4), std::end(languages3and4), basicColumnCount},
    {std::begin(languages3and4), std::end(languages3and4), basicColumnCount},
    {std::begin(language5), std::end(language5), basicColumnCount},
    {std::begin(languages6and7), std::end(languages6and7), basicColumnCount},
    {std::begin(languages6and7), std::end(languages6and7), basicColumnCount},
    {std::begin(language8), std::end(language8), basicColumnCount},
    {std::begin(language9), std::end(language9), basicColumnCount},
    {std::begin(language10), std::end(language10), allColumnCount},
};

Column columnFor(Qt::KeyboardModifiers pressed, int columnCount)
{
    for (int i = 0; i < columnCount; ++i) {
        if (pressed == namedColumns[i].pressed)
            return namedColumns[i].column;
    }
    return Column::Other;
}

} // namespace

std::optional<SpecialLetter> specialLetterFor(int language, int key, Qt::KeyboardModifiers pressed)
{
    // Ctrl alone keeps copy, cut, paste, undo, redo and select-all in every language.
    if (pressed == Qt::ControlModifier)
        return std::nullopt;
    // Unsigned, so that negative numbers fall outside like numbers above 10.
    const unsigned index = static_cast<unsigned>(language) - 1u;
    if (index >= std::size(languages))
        return std::nullopt;

    const LanguageTable &table = languages[index];
    const Column column = columnFor(pressed, table.columnCount);
    for (const Cell *cell = table.begin; cell != table.end; ++cell) {
        if (cell->key == key && cell->column == column)
            return SpecialLetter{cell->character, cell->substitute};
    }
    return std::nullopt;
}
