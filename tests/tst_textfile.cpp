#include "testdatafiles.h"
#include "textfile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsLines_data();
    void readsLines();
    void reportsFlaws_data();
    void reportsFlaws();
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTextFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestTextFile::readsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QStringList two{QStringLiteral("ba"), QStringLiteral("k\u0254n\u0254")}; // ɔ U+0254
    QTest::newRow("LF") << QByteArray("ba\nk\xC9\x94n\xC9\x94\n") << two;
    QTest::newRow("CRLF reads like LF") << QByteArray("ba\r\nk\xC9\x94n\xC9\x94\r\n") << two;
    QTest::newRow("a last line without terminator") << QByteArray("ba\nk\xC9\x94n\xC9\x94") << two;
    QTest::newRow("empty lines kept")
        << QByteArray("\n\nba\n") << QStringList{QString(), QString(), QStringLiteral("ba")};
    QTest::newRow("an empty file has no lines") << QByteArray() << QStringList();
    QTest::newRow("a byte-order mark alone is one empty line")
        << QByteArray("\xEF\xBB\xBF") << QStringList{QString()};
    QTest::newRow("a lone carriage return is one empty line")
        << QByteArray("\r") << QStringList{QString()};
    QTest::newRow("UTF-8 mark not part of the first line") << QByteArray("\xEF\xBB\xBF"
                                                                         "ba\n")
                                                           << QStringList{QStringLiteral("ba")};
    QTest::newRow("UTF-16LE by its mark") << QByteArray("\xFF\xFE"
                                                        "b\0a\0\n\0",
                                                        8)
                                          << QStringList{QStringLiteral("ba")};
    QTest::newRow("a character cut off by the end of the file is dropped")
        << QByteArray("ba\n\xC3") << QStringList{QStringLiteral("ba")};
    QTest::newRow("what plainFileBytes writes") << plainFileBytes(two) << two;
}

void TestTextFile::readsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QVERIFY(testdata::writeFile(path(QStringLiteral("t.txt")), bytes));
    QCOMPARE(readTextLines(path(QStringLiteral("t.txt"))), std::optional<QStringList>(lines));
}

void TestTextFile::reportsFlaws_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("read"); // line 1 as read
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("description");
    QTest::newRow("clean") << QByteArray("b\xC3\xA9lier\n") << QStringLiteral("b\u00E9lier") << 0
                           << 0 << QString();
    QTest::newRow("Latin-1 é on line 2, after a CRLF")
        << QByteArray("x\r\nb\xE9lier\n") << QStringLiteral("x") << 2 << 2
        << QStringLiteral("bytes that are not valid UTF-8 (E9 6C 69 65)");
    QTest::newRow("column counts characters, not bytes")
        << QByteArray("\xC9\x94\xC9\x94\xFF") << QStringLiteral("\u0254\u0254\uFFFD") << 1 << 3
        << QStringLiteral("bytes that are not valid UTF-8 (FF)");
    QTest::newRow("an overlong form")
        << QByteArray("a\xC0\xAF") << QStringLiteral("a\uFFFD\uFFFD") << 1 << 2
        << QStringLiteral("bytes that are not valid UTF-8 (C0 AF)");
    QTest::newRow("a character cut off at the end")
        << QByteArray("ab\xE2\x80") << QStringLiteral("ab") << 1 << 3
        << QStringLiteral("bytes that are not valid UTF-8 (E2 80)");
    QTest::newRow("a NUL, which would cut a line short")
        << QByteArray("ab\0cd", 5) << QStringLiteral("ab") + QChar(0) + QStringLiteral("cd") << 1
        << 3 << QStringLiteral("a NUL character");
}

void TestTextFile::reportsFlaws()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, read);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, description);
    QVERIFY(testdata::writeFile(path(QStringLiteral("t.txt")), bytes));
    TextReadReport report;
    const auto lines = readTextLines(path(QStringLiteral("t.txt")), &report);
    QVERIFY(lines);
    QCOMPARE(lines->value(0), read);
    QCOMPARE(report.flaws.size(), line > 0 ? 1 : 0);
    if (line > 0) {
        QCOMPARE(report.flaws.at(0).line, line);
        QCOMPARE(report.flaws.at(0).column, column);
        QCOMPARE(report.flaws.at(0).description, description);
    }
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
    const QString target = path(QStringLiteral("x.txt"));
    if (kind == QLatin1String("directory"))
        QVERIFY(QDir().mkdir(target));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    else if (kind == QLatin1String("dangling"))
        QVERIFY(QFile::link(path(QStringLiteral("nowhere")), target));
    TextReadReport report;
    QVERIFY(!readTextLines(target, &report));
    QCOMPARE(report.failure, failure);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
