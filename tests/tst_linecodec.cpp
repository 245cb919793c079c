#include "linecodec.h"

#include <QtTest>

// Vectors computed by hand from the key "52413": the unit at position i of line p moves by
// the key digit at (i + p) mod 5, minus 5, so that a stored unit is plain + digit - 5.
class TestLineCodec : public QObject
{
    Q_OBJECT

private slots:
    void storesAndReadsBackOrRefuses_data();
    void storesAndReadsBackOrRefuses();
};

// Each row: a plain line and its line number (the phase), then its stored form, or the
// first position whose character would not be read back and why.
void TestLineCodec::storesAndReadsBackOrRefuses_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("reason");
    using R = UnstorableReason;
    const auto row = [](const char *name, int phase, const QString &plain, const QString &stored,
                        int position = -1, R reason = R::None) {
        QTest::newRow(name) << phase << plain << stored << position << int(reason);
    };
    row("line 1", 1, QStringLiteral("BA"), QStringLiteral("?@")); // digits 2, 4, 1, 3, 5 from 0
    row("a whole key cycle", 5, QStringLiteral("abcde"), QStringLiteral("a_b`c")); // 5, 2, 4, 1, 3
    row("the bullet (U+2022) stays and uses up its key position", 1, QStringLiteral("\u2022A"),
        QStringLiteral("\u2022@"));
    row("wraps around at 16 bits", 1, QString(QChar(0x0000)), QString(QChar(0xFFFD)));
    row("an empty line", 3, QString(), QString());
    row("U+FEFF stored on line 2 is an ordinary character", 2, QStringLiteral("\uFF00"),
        QStringLiteral("\uFEFF"));
    // U+1F600 is D83D DE00, stored as D83A DDFF: U+1E9FF.
    row("a character outside the BMP stays a pair", 1, QStringLiteral("\U0001F600"),
        QStringLiteral("\U0001E9FF"));
    row("U+2025 would be stored as the bullet", 1, QStringLiteral("\u2025"), {}, 0,
        R::BecomesBullet);
    row("U+000B at position 1 would be a line feed", 1, QStringLiteral("a\u000B"), {}, 1,
        R::BecomesLineBreak);
    row("U+0010 would be a carriage return", 1, QStringLiteral("\u0010"), {}, 0,
        R::BecomesLineBreak);
    row("U+FF02 would open the file with a byte-order mark", 1, QStringLiteral("\uFF02"), {}, 0,
        R::BecomesByteOrderMark);
    row("a low surrogate stored as a lone high one", 1, QString(QChar(0xDC02)), {}, 0,
        R::UnpairedSurrogate);
}

void TestLineCodec::storesAndReadsBackOrRefuses()
{
    QFETCH(int, phase);
    QFETCH(QString, plain);
    QFETCH(QString, stored);
    QFETCH(int, position);
    QFETCH(int, reason);
    const UnstorableCharacter bad = unstorablePosition(plain, phase);
    QCOMPARE(bad.position, position);
    QCOMPARE(int(bad.reason), reason);
    if (position < 0) {
        QCOMPARE(scrambleLine(plain, phase), stored);
        QCOMPARE(descrambleLine(stored, phase), plain);
    }
}

QTEST_GUILESS_MAIN(TestLineCodec)
#include "tst_linecodec.moc"
