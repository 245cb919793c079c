#include "testdatafiles.h"
#include "textfile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void readsLines_data();
    void readsLines();
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
};

// Each row: a file's bytes, its lines as read and its flaws as "line:column: description".
void TestTextFile::readsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("flaws");
    const QStringList two{QStringLiteral("ba"), QStringLiteral("k\u0254n\u0254")}; // ɔ U+0254
    const auto row = [](const char *name, const QByteArray &bytes, const QStringList &lines,
                        const QString &flaws = QString()) {
        QTest::newRow(name) << bytes << lines << flaws;
    };
    row("CRLF reads like LF", QByteArray("ba\r\nk\xC9\x94n\xC9\x94\r\n"), two);
    row("empty lines kept, a last line without terminator",
        QByteArray("\n\nba\nk\xC9\x94n\xC9\x94"), QStringList{QString(), QString()} + two);
    row("a carriage return alone ends a line, as old Mac files end them",
        QByteArray("ba\rk\xC9\x94n\xC9\x94\r\n\r"), two + QStringList{QString()});
    row("an empty file has no lines", QByteArray(), {});
    row("a UTF-8 byte-order mark is no text: with a carriage return alone, one empty line",
        QByteArray("\xEF\xBB\xBF\r"), {QString()});
    row("a second byte-order mark is a character, counted in the column of a flaw after it",
        QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xFF"), {QStringLiteral("\uFEFF\uFFFD")},
        QStringLiteral("1:2: bytes that are not valid UTF-8 (FF)"));
    row("UTF-16LE by its mark", QByteArray::fromHex("fffe 6200 6100 0a00"), {QStringLiteral("ba")});
    row("a character cut off by the end of the file reads as U+FFFD on its line",
        QByteArray("ba\n\xC3"), {QStringLiteral("ba"), QStringLiteral("\uFFFD")},
        QStringLiteral("2:1: bytes that are not valid UTF-8 (C3)"));
    row("a flaw at the first byte is at line 1, column 1",
        QByteArray("\xFF"
                   "ab\nba\n"),
        {QStringLiteral("\uFFFDab"), QStringLiteral("ba")},
        QStringLiteral("1:1: bytes that are not valid UTF-8 (FF 61 62 0A)"));
    row("Latin-1 \u00E9 on line 2 after a CRLF, its column in characters",
        QByteArray("x\r\n\xC9\x94"
                   "b\xE9lier\n"),
        {QStringLiteral("x"), QStringLiteral("\u0254b\uFFFDlier")},
        QStringLiteral("2:3: bytes that are not valid UTF-8 (E9 6C 69 65)"));
    row("a NUL, which would cut a line short", QByteArray("ab\0cd", 5),
        {QString::fromLatin1("ab\0cd", 5)}, QStringLiteral("1:3: a NUL character"));
}

void TestTextFile::readsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(QString, flaws);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    QVERIFY(testdata::writeFile(path, bytes));
    TextReadReport report;
    QCOMPARE(readTextLines(path, &report), std::optional<QStringList>(lines));
    QStringList found;
    for (const TextFlaw &flaw : report.flaws)
        found << QStringLiteral("%1:%2: %3").arg(flaw.line).arg(flaw.column).arg(flaw.description);
    QCOMPARE(found.join(QLatin1Char('\n')), flaws);
}

void TestTextFile::refusesWhatIsNotARegularFile_data()
{
    // f: FIFO, l: dangling link, h: a huge (sparse) file, p: a file its reader may not read
    QTest::addColumn<char>("kind");
    QTest::addColumn<QString>("failure");
    QTest::newRow("FIFO, which would block a reader")
        << 'f' << QStringLiteral("not a regular file");
    QTest::newRow("dangling symbolic link") << 'l' << QStringLiteral("no such file");
    QTest::newRow("a file of 4 GiB, larger than a reader takes")
        << 'h' << QStringLiteral("larger than 512 MiB");
    QTest::newRow("a file the reader may not read, the system's reason given")
        << 'p' << QStringLiteral("Permission denied");
}

void TestTextFile::refusesWhatIsNotARegularFile()
{
    QFETCH(char, kind);
    QFETCH(QString, failure);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("x.txt"));
    QFile huge(target);
    if (kind == 'f')
        QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    else if (kind == 'l')
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), target));
    else if (kind == 'p')
        QVERIFY(testdata::writeFile(target, "ba\n") &&
                ::chmod(QFile::encodeName(target).constData(), 0) == 0 &&
                ::chmod(QFile::encodeName(dir.path()).constData(), 0711) == 0);
    else
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(4) << 30));
    // Root reads every file: the unreadable one is read as an unprivileged user.
    const bool dropped = kind == 'p' && ::geteuid() == 0 && ::seteuid(65534) == 0;
    TextReadReport report;
    const bool read = bool(readTextLines(target, &report));
    QVERIFY(!dropped || ::seteuid(0) == 0);
    QVERIFY(!read);
    QCOMPARE(report.failure, failure);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
