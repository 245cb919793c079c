#include "datafile.h"
#include "testdatafiles.h"

#include <QTemporaryDir>
#include <QtTest>

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void storesEachLineWithItsNumber();
    void decodesEachLineWithItsNumber_data();
    void decodesEachLineWithItsNumber();
    void recognisesStoredLinesGivenAsPlain_data();
    void recognisesStoredLinesGivenAsPlain();
};

// "BA" is stored as "?@" on line 1 and as ">?" on line 3 (key digits 2, 4 and 1, 3;
// a stored unit is plain + digit - 5); an empty line still counts as line 2.
void TestDataFile::storesEachLineWithItsNumber()
{
    QCOMPARE(encodeDataFile({QStringLiteral("BA"), QString(), QStringLiteral("BA")}),
             QByteArray("?@\n\n>?\n"));
}

// Every row holds those three stored lines, as a file may hold them (line ends and marks
// are read as the text-file reader's own test shows); the letter text is the lines each
// followed by "\n".
void TestDataFile::decodesEachLineWithItsNumber_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString ba = QStringLiteral("BA\n\nBA\n");
    QTest::newRow("UTF-8") << QByteArray("?@\n\n>?\n") << ba;
    QTest::newRow("UTF-16BE") << QByteArray::fromHex("feff 003f 0040 000a 000a 003e 003f 000a")
                              << ba;
    QTest::newRow("UTF-32LE")
        << QByteArray::fromHex("fffe0000 3f000000 40000000 0a000000 0a000000 3e000000 3f000000 "
                               "0a000000")
        << ba;
    // The byte FF reads as U+FFFD at position 2 of line 1 (key digit 1): U+FFFD - 1 + 5
    // wraps around to U+0001.
    QTest::newRow("a broken byte decoded in its place")
        << QByteArray("?@\xFF\n\n>?\n") << QStringLiteral("BA\u0001\n\nBA\n");
    QTest::newRow("an empty file") << QByteArray() << QString();
}

void TestDataFile::decodesEachLineWithItsNumber()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.bna"));
    QVERIFY(testdata::writeFile(path, bytes));
    QCOMPARE(readDataText(path), std::optional<QString>(text));
    QCOMPARE(readDataFile(path), std::optional<QStringList>(splitLines(text)));
}

// Each row: lines given as plain, and the first that shows them to be stored lines, or 0.
// "BA [o] N x." stored as line 1 is "?@", U+001C, "YoZ", U+001F, "J", U+001E, "x+": its
// blanks move down by 4, 1 and 2; "BA x" stored as line 2 is "A=", U+001E, "x".
void TestDataFile::recognisesStoredLinesGivenAsPlain_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("stored");
    const QString line1 = QStringLiteral("?@\u001CYoZ\u001FJ\u001Ex+");
    QTest::newRow("stored lines, the first with control characters named")
        << QStringList{QStringLiteral("?@"), QStringLiteral("A=\u001Ex")} << 2;
    QTest::newRow("a stored line at another number, where it reads back with control characters")
        << QStringList{QString(), line1} << 0;
    QTest::newRow("plain text with a tab") << QStringList{QStringLiteral("BA\tx")} << 0;
    QTest::newRow("a control character that no reading explains makes the file plain")
        << QStringList{line1, QStringLiteral("BA\u0001")} << 0;
}

void TestDataFile::recognisesStoredLinesGivenAsPlain()
{
    QFETCH(QStringList, lines);
    QFETCH(int, stored);
    QCOMPARE(firstStoredLookingLine(lines), stored);
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
