#include "linecodec.h"

#include <QtTest>

// Vectors computed by hand from the key "52413": the unit at position i of line p moves by
// the key digit at (i + p) mod 5, minus 5, so that a stored unit is plain + digit - 5.
class TestLineCodec : public QObject
{
    Q_OBJECT

private slots:
    void storesAndReadsBack_data();
    void storesAndReadsBack();
    void findsUnstorableCharacters_data();
    void findsUnstorableCharacters();
};

void TestLineCodec::storesAndReadsBack_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("stored");
    const auto row = [](const char *name, int phase, const QString &plain, const QString &stored) {
        QTest::newRow(name) << phase << plain << stored;
    };
    row("line 1", 1, QStringLiteral("BA"), QStringLiteral("?@")); // digits 2, 4, 1, 3, 5 from 0
    row("line 2 starts one key position further", 2, QStringLiteral("BA"), QStringLiteral("A="));
    row("a whole key cycle", 5, QStringLiteral("abcde"), QStringLiteral("a_b`c")); // 5, 2, 4, 1, 3
    row("line 6 is stored as line 1", 6, QStringLiteral("BA"), QStringLiteral("?@"));
    row("the bullet (U+2022) stays and uses up its key position", 1, QStringLiteral("\u2022A"),
        QStringLiteral("\u2022@"));
    row("wraps around at 16 bits", 1, QString(QChar(0x0000)), QString(QChar(0xFFFD)));
    row("\u0272 (U+0272)", 1, QStringLiteral("\u0272"), QStringLiteral("\u026F"));
    row("an empty line", 3, QString(), QString());
}

void TestLineCodec::storesAndReadsBack()
{
    QFETCH(int, phase);
    QFETCH(QString, plain);
    QFETCH(QString, stored);
    QCOMPARE(scrambleLine(plain, phase), stored);
    QCOMPARE(descrambleLine(stored, phase), plain);
}

void TestLineCodec::findsUnstorableCharacters_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("reason");
    const auto row = [](const char *name, int phase, const QString &plain, int position,
                        UnstorableReason reason) {
        QTest::newRow(name) << phase << plain << position << int(reason);
    };
    using R = UnstorableReason;
    row("storable", 1, QStringLiteral("BA [\u00F3] N m\u00E8re."), -1, R::None); // ó, è
    row("U+2025 would be stored as the bullet", 1, QStringLiteral("\u2025"), 0, R::BecomesBullet);
    row("U+000B at position 1 would be a line feed", 1, QStringLiteral("a\u000B"), 1,
        R::BecomesLineBreak);
    row("U+0010 would be a carriage return", 1, QStringLiteral("\u0010"), 0, R::BecomesLineBreak);
    row("U+FF02 would open the file with a byte-order mark", 1, QStringLiteral("\uFF02"), 0,
        R::BecomesByteOrderMark);
    row("U+FEFF stored on line 2 is an ordinary character", 2, QStringLiteral("\uFF00"), -1,
        R::None);
    row("a low surrogate stored as a lone high one", 1, QString(QChar(0xDC02)), 0,
        R::UnpairedSurrogate);
    row("a character outside the BMP stays a pair", 1, QStringLiteral("\U0001F600"), -1, R::None);
}

void TestLineCodec::findsUnstorableCharacters()
{
    QFETCH(int, phase);
    QFETCH(QString, plain);
    QFETCH(int, position);
    QFETCH(int, reason);
    const UnstorableCharacter bad = unstorablePosition(plain, phase);
    QCOMPARE(bad.position, position);
    QCOMPARE(int(bad.reason), reason);
}

QTEST_GUILESS_MAIN(TestLineCodec)
#include "tst_linecodec.moc"
