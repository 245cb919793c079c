#include "datafile.h"
#include "linecodec.h"

#include <QRandomGenerator>
#include <QtTest>

// The stored form of plain unit `plain` moved by key digit `digit`.
static QChar stored(char16_t plain, int digit)
{
    return QChar(char16_t((plain + digit - 5) & 0xFFFF));
}

class TestLineCodec : public QObject
{
    Q_OBJECT

private slots:
    void decodesWithKeyPositionAndPhase_data();
    void decodesWithKeyPositionAndPhase();
    void keyCycleHasLengthFive();
    void bulletPassesThroughAndUsesItsKeyPosition();
    void wrapsAtSixteenBits_data();
    void wrapsAtSixteenBits();
    void roundTripsStorableLines();
    void findsUnstorableCharacters_data();
    void findsUnstorableCharacters();
};

void TestLineCodec::decodesWithKeyPositionAndPhase_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("digit");
    // Key "52413": the unit at position i of line p uses key position (i + p) mod 5.
    QTest::newRow("line 1 position 0 uses key position 1") << 1 << 0 << 2;
    QTest::newRow("line 1 position 4 uses key position 0") << 1 << 4 << 5;
    QTest::newRow("line 5 position 0 uses key position 0") << 5 << 0 << 5;
    QTest::newRow("line 2 position 0 uses key position 2") << 2 << 0 << 4;
    QTest::newRow("line 3 position 1 uses key position 4") << 3 << 1 << 3;
    QTest::newRow("line 1 position 2 uses key position 3") << 1 << 2 << 1;
}

void TestLineCodec::decodesWithKeyPositionAndPhase()
{
    QFETCH(int, phase);
    QFETCH(int, position);
    QFETCH(int, digit);
    QString line(position + 1, QLatin1Char('x'));
    line[position] = stored(u'A', digit);
    const QString plain = descrambleLine(line, phase);
    QCOMPARE(plain.size(), line.size());
    QCOMPARE(plain.at(position), QLatin1Char('A'));
}

void TestLineCodec::keyCycleHasLengthFive()
{
    const QString line = QStringLiteral("Daɲɛ kɔnɔ ʃ Л 12345");
    QCOMPARE(descrambleLine(line, 6), descrambleLine(line, 1));
    QCOMPARE(descrambleLine(line, 12), descrambleLine(line, 2));
    // Line 2 decodes like line 1 shifted one key position further.
    const QString onLine2 = descrambleLine(line, 2);
    const QString onLine1 = descrambleLine(QLatin1Char('_') + line, 1).mid(1);
    QCOMPARE(onLine2, onLine1);
    QVERIFY(descrambleLine(line, 1) != onLine2);
}

void TestLineCodec::bulletPassesThroughAndUsesItsKeyPosition()
{
    const QChar bullet(0x2022);
    for (int phase = 1; phase <= 5; ++phase) {
        for (int position = 0; position < 5; ++position) {
            QString line(position, QLatin1Char('a'));
            line += bullet;
            line += QLatin1Char('b');
            const QString plain = descrambleLine(line, phase);
            QCOMPARE(plain.at(position), bullet);
            // The unit after the bullet is decoded as if the bullet were any other unit.
            QString unbulleted = line;
            unbulleted[position] = QLatin1Char('z');
            QCOMPARE(plain.at(position + 1), descrambleLine(unbulleted, phase).at(position + 1));
        }
    }
    QVERIFY(descrambleLine(QString(QChar(0x2022)), 1) == QString(QChar(0x2022)));
}

void TestLineCodec::wrapsAtSixteenBits_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("storedUnit");
    QTest::addColumn<int>("plainUnit");
    // Position 0 of line 1 uses digit 2: plain = stored + 3.
    QTest::newRow("U+FFFF with digit 2 wraps to the start") << 1 << 0xFFFF << 0x0002;
    QTest::newRow("U+FFFD with digit 2 wraps to U+0000") << 1 << 0xFFFD << 0x0000;
    // Position 0 of line 5 uses digit 5: plain = stored.
    QTest::newRow("digit 5 leaves the unit") << 5 << 0xFFFF << 0xFFFF;
    // Position 0 of line 4 uses digit 3: plain = stored + 2.
    QTest::newRow("U+FFFE with digit 3 wraps to U+0000") << 4 << 0xFFFE << 0x0000;
}

void TestLineCodec::wrapsAtSixteenBits()
{
    QFETCH(int, phase);
    QFETCH(int, storedUnit);
    QFETCH(int, plainUnit);
    const QString line{QChar(char16_t(storedUnit))};
    QCOMPARE(int(descrambleLine(line, phase).at(0).unicode()), plainUnit);
    QCOMPARE(int(scrambleLine(QString(QChar(char16_t(plainUnit))), phase).at(0).unicode()),
             storedUnit);
    QVERIFY(descrambleLine(QString(), phase).isEmpty());
}

void TestLineCodec::roundTripsStorableLines()
{
    QRandomGenerator random(20261206);
    const QString alphabet = QStringLiteral("abcɛɔɲŋʃЛƐƆŊ [](){}/♦↑↓•òó.!?\t0123456789") +
                             QChar(0x2021) + QChar(0x2023) + QChar(0x0008) + QChar(0xD7FF);
    int checked = 0;
    for (int round = 0; round < 5000; ++round) {
        const int phase = random.bounded(1, 2000);
        QString plain;
        const int length = random.bounded(0, 60);
        for (int i = 0; i < length; ++i) {
            if (random.bounded(4) == 0)
                plain += QChar(char16_t(random.bounded(0x20, 0xD000)));
            else
                plain += alphabet.at(random.bounded(alphabet.size()));
        }
        if (unstorablePosition(plain, phase).position >= 0)
            continue;
        QCOMPARE(descrambleLine(scrambleLine(plain, phase), phase), plain);
        ++checked;
    }
    QVERIFY(checked > 4000);
}

void TestLineCodec::findsUnstorableCharacters_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("reason");
    // Line 1, position 0 stores plain + 2 - 5 = plain - 3; position 1: plain - 1.
    QTest::newRow("plain text is storable")
        << QStringLiteral("BA [ó] N mère.") << 1 << -1 << int(UnstorableReason::None);
    QTest::newRow("a bullet itself is storable")
        << QString(QChar(0x2022)) << 1 << -1 << int(UnstorableReason::None);
    QTest::newRow("stored as a bullet") << QStringLiteral("a") + QChar(0x2023) << 1 << 1
                                        << int(UnstorableReason::BecomesBullet);
    QTest::newRow("stored as a line feed") << QStringLiteral("ab") + QChar(0x000A + 4) << 1 << 2
                                           << int(UnstorableReason::BecomesLineBreak);
    QTest::newRow("stored as a carriage return") << QString(QChar(0x000D + 3)) << 1 << 0
                                                 << int(UnstorableReason::BecomesLineBreak);
    QTest::newRow("pushed into the surrogates")
        << QString(QChar(0xE000)) << 3 << 0 << int(UnstorableReason::UnpairedSurrogate);
    QTest::newRow("a pair pushed apart")
        << QStringLiteral("x\U00010000") << 1 << 2 << int(UnstorableReason::UnpairedSurrogate);
    QTest::newRow("first unit of a file stored as a byte-order mark")
        << QString(QChar(0xFEFF + 3)) << 1 << 0 << int(UnstorableReason::BecomesByteOrderMark);
    QTest::newRow("the same unit later in a file")
        << QString(QChar(0xFEFF + 3)) << 6 << -1 << int(UnstorableReason::None);
}

void TestLineCodec::findsUnstorableCharacters()
{
    QFETCH(QString, line);
    QFETCH(int, phase);
    QFETCH(int, position);
    QFETCH(int, reason);
    const UnstorableCharacter found = unstorablePosition(line, phase);
    QCOMPARE(found.position, position);
    QCOMPARE(int(found.reason), reason);
    if (position < 0) {
        // What the check accepts must come back unchanged from a real file, read as the
        // viewer reads it, standing at its line number.
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("t.bna")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int number = 1; number < phase; ++number)
            file.write(scrambleLine(QStringLiteral("x"), number).toUtf8() + '\n');
        file.write(scrambleLine(line, phase).toUtf8() + '\n');
        file.close();
        const auto lines = readDataFile(file.fileName());
        QVERIFY(lines);
        QCOMPARE(lines->size(), phase);
        QCOMPARE(lines->constLast(), line);
    } else {
        QVERIFY(!unstorableReasonText(found.reason).isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestLineCodec)
#include "tst_linecodec.moc"
