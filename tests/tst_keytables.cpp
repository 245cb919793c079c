// The key tables of the search field, all ten: a key types a small letter, and the same key
// with Shift added its capital, as Unicode pairs them, but for the pairs the tables choose on
// purpose (ɲ and the headwords' Л, ʃ without capital, ς and Ϛ, ǝ and Ǝ), and but for a key
// that types with Alt what it types without, which types that small letter with Alt+Shift. Table
// 1's letters are those of the README, typed in tst_mylineedit.

#include "keytables.h"

#include <QtTest>

class TestKeyTables : public QObject
{
    Q_OBJECT

private slots:
    void shiftAddsTheCapital();
};

void TestKeyTables::shiftAddsTheCapital()
{
    // (small, capital) pairs that are not Unicode's: ɲ U+0272 and Л U+041B, ς U+03C2 and
    // Ϛ U+03DA, ǝ U+01DD and Ǝ U+018E; ʃ U+0283 stays small with Shift.
    const QVector<QPair<QChar, QChar>> chosen{{QChar(0x0272), QChar(0x041B)},
                                              {QChar(0x03C2), QChar(0x03DA)},
                                              {QChar(0x01DD), QChar(0x018E)},
                                              {QChar(0x0283), QChar(0x0283)}};
    const Qt::KeyboardModifiers alt = Qt::AltModifier, ctrlAlt = Qt::ControlModifier | alt;
    for (int language = 1; language <= 10; ++language) {
        for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
            const auto plain = specialLetterFor(language, key, Qt::NoModifier);
            for (const Qt::KeyboardModifiers held : {Qt::KeyboardModifiers(), alt, ctrlAlt}) {
                const auto small = specialLetterFor(language, key, held);
                const auto capital = specialLetterFor(language, key, held | Qt::ShiftModifier);
                const QString where = QStringLiteral("table %1, key %2, modifiers %3")
                                          .arg(language)
                                          .arg(QChar(key))
                                          .arg(int(held));
                QVERIFY2(bool(small) == bool(capital), qPrintable(where));
                if (!small)
                    continue;
                const QChar s(small->character), c(capital->character);
                // With Alt (or Ctrl+Alt) a key may type the letter it types without; Shift
                // then adds nothing.
                const bool asWithout = held && plain && s == QChar(plain->character);
                QVERIFY2(s.isLower(), qPrintable(where));
                QVERIFY2(asWithout ? c == s : c == s.toUpper() || chosen.contains({s, c}),
                         qPrintable(where + QStringLiteral(": %1 %2").arg(s, c)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestKeyTables)
#include "tst_keytables.moc"
