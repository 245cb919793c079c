#include "keytables.h"

#include <QtTest>

#include <climits>

// The ten key tables, written out again cell by cell as a user reads them, and checked
// against the lookup for every letter and digit key under every modifier set that matters.

namespace {

// One cell: the letter typed and the modifiers of the event that carries it
// ('n' none, 's' Shift, 'a' Alt). A zero letter is an empty cell.
struct Cell
{
    char16_t letter;
    char carrier;
};

// Columns: other, Shift, Alt, Alt+Shift, Ctrl+Alt, Ctrl+Alt+Shift.
struct Row
{
    Qt::Key key;
    Cell cells[6];
};

const QVector<Row> language1 = {
    {Qt::Key_E, {{}, {}, {0x025B, 'a'}, {0x0190, 'a'}}},                       // ɛ Ɛ
    {Qt::Key_O, {{}, {}, {0x0254, 'a'}, {0x0186, 'a'}}},                       // ɔ Ɔ
    {Qt::Key_Q, {{0x0272, 'n'}, {0x041B, 's'}}},                               // ɲ Л
    {Qt::Key_V, {{0x014B, 'n'}, {0x014A, 's'}}},                               // ŋ Ŋ
    {Qt::Key_X, {{0x0283, 'n'}, {0x0283, 's'}, {0x0283, 'n'}, {0x0283, 'n'}}}, // ʃ
};
const QVector<Row> language2 = {
    {Qt::Key_E, {{}, {}, {0x025B, 'a'}, {0x0190, 'a'}}}, // ɛ Ɛ
    {Qt::Key_Q, {{0x0272, 'n'}, {0x041B, 's'}}},         // ɲ Л
    {Qt::Key_X, {{0x0253, 'n'}, {0x0181, 's'}}},         // ɓ Ɓ
};
const QVector<Row> languages3and4 = {
    {Qt::Key_E, {{}, {}, {0x025B, 'a'}, {0x0190, 'a'}}}, // ɛ Ɛ
    {Qt::Key_O, {{}, {}, {0x0254, 'a'}, {0x0186, 'a'}}}, // ɔ Ɔ
    {Qt::Key_Q, {{0x0272, 'n'}, {0x041B, 's'}}},         // ɲ Л
    {Qt::Key_V, {{0x014B, 'n'}, {0x014A, 's'}}},         // ŋ Ŋ
};
const QVector<Row> language5 = {
    {Qt::Key_Q, {{0x0272, 'n'}, {0x041B, 's'}}},         // ɲ Л
    {Qt::Key_V, {{0x014B, 'n'}, {0x014A, 's'}}},         // ŋ Ŋ
    {Qt::Key_X, {{0x0253, 'n'}, {0x0181, 's'}}},         // ɓ Ɓ
    {Qt::Key_Y, {{}, {}, {0x01B4, 'a'}, {0x01B3, 'a'}}}, // ƴ Ƴ
    {Qt::Key_Z, {{0x0257, 'n'}, {0x018A, 's'}}},         // ɗ Ɗ
};
const QVector<Row> languages6and7 = {
    {Qt::Key_E, {{}, {}, {0x025B, 'a'}, {0x0190, 'a'}}},                       // ɛ Ɛ
    {Qt::Key_O, {{}, {}, {0x0254, 'a'}, {0x0186, 'a'}}},                       // ɔ Ɔ
    {Qt::Key_Q, {{0x0272, 'n'}, {0x041B, 's'}}},                               // ɲ Л
    {Qt::Key_V, {{}, {}, {0x014B, 'a'}, {0x014A, 'a'}}},                       // ŋ Ŋ
    {Qt::Key_X, {{0x0283, 'n'}, {0x0283, 's'}, {0x0283, 'n'}, {0x0283, 'n'}}}, // ʃ
    {Qt::Key_Z, {{}, {}, {0x0292, 'a'}, {0x01B7, 'a'}}},                       // ʒ Ʒ
};
const QVector<Row> language8 = {
    {Qt::Key_V, {{0x014B, 'n'}, {0x014A, 's'}, {0x014B, 'n'}, {0x014B, 'n'}}}, // ŋ Ŋ
    {Qt::Key_Z, {{0x0272, 'n'}, {0x041B, 's'}, {0x0272, 'n'}, {0x0272, 'n'}}}, // ɲ Л
};
const QVector<Row> language9 = {
    {Qt::Key_Q, {{0x0272, 'n'}, {0x041B, 's'}, {0x0272, 'n'}, {0x0272, 'n'}}}, // ɲ Л
    {Qt::Key_V, {{0x014B, 'n'}, {0x014A, 's'}, {0x014B, 'n'}, {0x014B, 'n'}}}, // ŋ Ŋ
    {Qt::Key_X, {{0x0283, 'n'}, {0x0283, 's'}, {0x0283, 'n'}, {0x0283, 'n'}}}, // ʃ
};
const QVector<Row> language10 = {
    {Qt::Key_A, {{}, {}, {0x01CE, 'a'}, {0x01CD, 'a'}}},                               // ǎ Ǎ
    {Qt::Key_B, {{0x01DD, 'n'}, {0x018E, 's'}}},                                       // ǝ Ǝ
    {Qt::Key_C, {{0x03C2, 'n'}, {0x03DA, 's'}}},                                       // ς Ϛ
    {Qt::Key_D, {{}, {}, {}, {}, {0x1E0D, 'a'}, {0x1E0C, 'a'}}},                       // ḍ Ḍ
    {Qt::Key_H, {{}, {}, {}, {}, {0x1E25, 'a'}, {0x1E24, 'a'}}},                       // ḥ Ḥ
    {Qt::Key_L, {{}, {}, {}, {}, {0x1E37, 'a'}, {0x1E36, 'a'}}},                       // ḷ Ḷ
    {Qt::Key_P, {{0x0263, 'n'}, {0x0194, 's'}}},                                       // ɣ Ɣ
    {Qt::Key_S, {{}, {}, {0x0161, 'a'}, {0x0160, 'a'}, {0x1E63, 'a'}, {0x1E62, 'a'}}}, // š Š ṣ Ṣ
    {Qt::Key_T, {{}, {}, {}, {}, {0x1E6D, 'a'}, {0x1E6C, 'a'}}},                       // ṭ Ṭ
    {Qt::Key_V, {{0x014B, 'n'}, {0x014A, 's'}}},                                       // ŋ Ŋ
    {Qt::Key_Z, {{}, {}, {0x017E, 'a'}, {0x017D, 'a'}, {0x1E93, 'a'}, {0x1E92, 'a'}}}, // ž Ž ẓ Ẓ
};

const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
const Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
const Qt::KeyboardModifiers Alt = Qt::AltModifier;
const Qt::KeyboardModifiers Meta = Qt::MetaModifier;
const Qt::KeyboardModifiers Keypad = Qt::KeypadModifier;

// The column a pressed set falls into; -1 for Ctrl alone, which is never mapped.
int columnOf(Qt::KeyboardModifiers pressed, bool ctrlAltColumns)
{
    if (pressed == Ctrl)
        return -1;
    if (pressed == Shift)
        return 1;
    if (pressed == Alt)
        return 2;
    if (pressed == (Alt | Shift))
        return 3;
    if (ctrlAltColumns && pressed == (Ctrl | Alt))
        return 4;
    if (ctrlAltColumns && pressed == (Ctrl | Alt | Shift))
        return 5;
    return 0;
}

QString describe(int key, Qt::KeyboardModifiers pressed)
{
    return QStringLiteral("key 0x%1 with modifiers 0x%2")
        .arg(key, 0, 16)
        .arg(uint(pressed), 8, 16, QLatin1Char('0'));
}

} // namespace

Q_DECLARE_METATYPE(QVector<Row>)

class TestKeyTables : public QObject
{
    Q_OBJECT

private slots:
    void typesExactlyTheListedLetters_data();
    void typesExactlyTheListedLetters();
};

void TestKeyTables::typesExactlyTheListedLetters_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QVector<Row>>("rows");

    QTest::newRow("language 1 (default): ɛ ɔ ɲ ŋ ʃ") << 1 << language1;
    QTest::newRow("language 2: ɛ ɲ ɓ") << 2 << language2;
    QTest::newRow("language 3: ɛ ɔ ɲ ŋ") << 3 << languages3and4;
    QTest::newRow("language 4: as language 3") << 4 << languages3and4;
    QTest::newRow("language 5: ɲ ŋ ɓ ƴ ɗ") << 5 << language5;
    QTest::newRow("language 6: ɛ ɔ ɲ Alt+ŋ ʃ ʒ") << 6 << languages6and7;
    QTest::newRow("language 7: as language 6") << 7 << languages6and7;
    QTest::newRow("language 8: ŋ and ɲ on z") << 8 << language8;
    QTest::newRow("language 9: ɲ ŋ ʃ with Alt too") << 9 << language9;
    QTest::newRow("language 10: six columns") << 10 << language10;
    QTest::newRow("language 0 maps nothing") << 0 << QVector<Row>();
    QTest::newRow("language 11 maps nothing") << 11 << QVector<Row>();
    QTest::newRow("language -1 maps nothing") << -1 << QVector<Row>();
    QTest::newRow("lowest int maps nothing") << INT_MIN << QVector<Row>();
    QTest::newRow("highest int maps nothing") << INT_MAX << QVector<Row>();
}

void TestKeyTables::typesExactlyTheListedLetters()
{
    QFETCH(int, language);
    QFETCH(QVector<Row>, rows);

    QVector<int> keys;
    for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key)
        keys << key;
    for (int key = Qt::Key_0; key <= Qt::Key_9; ++key)
        keys << key;
    keys << Qt::Key_Space << Qt::Key_Shift << Qt::Key_Alt;

    const Qt::KeyboardModifiers modifierSets[] = {
        Qt::NoModifier, Shift,        Ctrl,       Alt,
        Alt | Shift,    Ctrl | Shift, Ctrl | Alt, Ctrl | Alt | Shift,
        Meta,           Meta | Shift, Meta | Alt, Keypad,
        Keypad | Shift,
    };

    for (int key : keys) {
        for (Qt::KeyboardModifiers pressed : modifierSets) {
            Cell expected{};
            const int column = columnOf(pressed, language == 10);
            for (const Row &row : rows) {
                if (row.key == key && column >= 0)
                    expected = row.cells[column];
            }

            const std::optional<SpecialLetter> actual = specialLetterFor(language, key, pressed);
            const QByteArray where = describe(key, pressed).toUtf8();
            QVERIFY2(actual.has_value() == (expected.letter != 0), where.constData());
            if (!actual)
                continue;
            QVERIFY2(actual->character == expected.letter, where.constData());
            const Qt::KeyboardModifiers carrier = expected.carrier == 's'   ? Shift
                                                  : expected.carrier == 'a' ? Alt
                                                                            : Qt::NoModifier;
            QVERIFY2(actual->modifiers == carrier, where.constData());
        }
    }
}

QTEST_GUILESS_MAIN(TestKeyTables)
#include "tst_keytables.moc"
