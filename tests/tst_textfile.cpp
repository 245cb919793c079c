#include "testdatafiles.h"
#include "textfile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

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
    const auto invalid = [](const char *where, const char *bytes) {
        return QLatin1String(where) + QStringLiteral(": bytes that are not valid UTF-8 (") +
               QLatin1String(bytes) + QLatin1Char(')');
    };
    row("LF", QByteArray("ba\nk\xC9\x94n\xC9\x94\n"), two);
    row("CRLF reads like LF", QByteArray("ba\r\nk\xC9\x94n\xC9\x94\r\n"), two);
    row("a last line without terminator", QByteArray("ba\nk\xC9\x94n\xC9\x94"), two);
    row("empty lines kept", QByteArray("\n\nba\n"), {QString(), QString(), QStringLiteral("ba")});
    row("an empty file has no lines", QByteArray(), {});
    row("a byte-order mark alone is one empty line", QByteArray("\xEF\xBB\xBF"), {QString()});
    row("a lone carriage return is one empty line", QByteArray("\r"), {QString()});
    row("UTF-8 mark not part of the first line", QByteArray::fromHex("efbbbf 6261 0a"),
        {QStringLiteral("ba")});
    row("UTF-16LE by its mark", QByteArray::fromHex("fffe 6200 6100 0a00"), {QStringLiteral("ba")});
    row("what plainFileBytes writes", plainFileBytes(two), two);
    row("a character cut off by the end of the file is dropped", QByteArray("ba\n\xC3"),
        {QStringLiteral("ba")}, invalid("2:1", "C3"));
    row("Latin-1 \u00E9 on line 2, after a CRLF", QByteArray("x\r\nb\xE9lier\n"),
        {QStringLiteral("x"), QStringLiteral("b\uFFFDlier")}, invalid("2:2", "E9 6C 69 65"));
    row("column counts characters, not bytes", QByteArray("\xC9\x94\xC9\x94\xFF"),
        {QStringLiteral("\u0254\u0254\uFFFD")}, invalid("1:3", "FF"));
    row("an overlong form", QByteArray("a\xC0\xAF"), {QStringLiteral("a\uFFFD\uFFFD")},
        invalid("1:2", "C0 AF"));
    row("a NUL, which would cut a line short", QByteArray("ab\0cd", 5),
        {QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")},
        QStringLiteral("1:3: a NUL character"));
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
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("failure");
    QTest::newRow("missing") << QStringLiteral("missing") << QStringLiteral("no such file");
    QTest::newRow("directory") << QStringLiteral("directory")
                               << QStringLiteral("not a regular file");
    QTest::newRow("FIFO, which would block a reader")
        << QStringLiteral("fifo") << QStringLiteral("not a regular file");
    QTest::newRow("dangling symbolic link")
        << QStringLiteral("dangling") << QStringLiteral("no such file");
}

void TestTextFile::refusesWhatIsNotARegularFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, failure);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("x.txt"));
    if (kind == QLatin1String("directory"))
        QVERIFY(QDir().mkdir(target));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    else if (kind == QLatin1String("dangling"))
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), target));
    TextReadReport report;
    QVERIFY(!readTextLines(target, &report));
    QCOMPARE(report.failure, failure);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
