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
    // Line 1: digits 2, 4, 1, 3, 5 from position 0.
    QTest::newRow("line 1") << 1 << QStringLiteral("BA") << QStringLiteral("?@");
    // Line 2: digits 4, 1, ...
    QTest::newRow("line 2 starts one key position further")
        << 2 << QStringLiteral("BA") << QStringLiteral("A=");
    // Line 5: digits 5, 2, 4, 1, 3.
    QTest::newRow("a whole key cycle") << 5 << QStringLiteral("abcde") << QStringLiteral("a_b`c");
    QTest::newRow("line 6 is stored as line 1")
        << 6 << QStringLiteral("BA") << QStringLiteral("?@");
    QTest::newRow("the bullet stays and uses up its key position")
        << 1 << QStringLiteral("\u2022A") << QStringLiteral("\u2022@"); // • U+2022
    QTest::newRow("wraps around at 16 bits")
        << 1 << QString(QChar(0x0000)) << QString(QChar(0xFFFD));
    QTest::newRow("ɲ (U+0272)") << 1 << QStringLiteral("\u0272") << QStringLiteral("\u026F");
    QTest::newRow("an empty line") << 3 << QString() << QString();
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
    const auto reason = [](UnstorableReason r) { return int(r); };
    QTest::newRow("storable") << 1 << QStringLiteral("BA [\u00F3] N m\u00E8re.") << -1
                              << reason(UnstorableReason::None);
    QTest::newRow("U+2025 would be stored as the bullet")
        << 1 << QStringLiteral("\u2025") << 0 << reason(UnstorableReason::BecomesBullet);
    QTest::newRow("U+000B at position 1 would be a line feed")
        << 1 << QStringLiteral("a\u000B") << 1 << reason(UnstorableReason::BecomesLineBreak);
    QTest::newRow("U+0010 would be a carriage return")
        << 1 << QStringLiteral("\u0010") << 0 << reason(UnstorableReason::BecomesLineBreak);
    QTest::newRow("U+FF02 would open the file with a byte-order mark")
        << 1 << QStringLiteral("\uFF02") << 0 << reason(UnstorableReason::BecomesByteOrderMark);
    QTest::newRow("U+FEFF stored on line 2 is an ordinary character")
        << 2 << QStringLiteral("\uFF00") << -1 << reason(UnstorableReason::None);
    QTest::newRow("a low surrogate stored as a lone high one")
        << 1 << QString(QChar(0xDC02)) << 0 << reason(UnstorableReason::UnpairedSurrogate);
    QTest::newRow("a character outside the BMP stays a pair")
        << 1 << QStringLiteral("\U0001F600") << -1 << reason(UnstorableReason::None);
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
