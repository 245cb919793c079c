#include "datafile.h"
#include "testdatafiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsPlainLines_data();
    void readsPlainLines();
    void byteOrderMarkIsNotPartOfTheFirstLine_data();
    void byteOrderMarkIsNotPartOfTheFirstLine();
    void invalidUtf8StillGivesTheLine();
    void skipsWhatIsNotARegularFile_data();
    void skipsWhatIsNotARegularFile();
    void readsLikeALineByLineTextStream_data();
    void readsLikeALineByLineTextStream();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDataFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestDataFile::readsPlainLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QStringList words = {QStringLiteral("BA"), QString(), QStringLiteral("ЛINI [ó ó] W"),
                               QStringLiteral("  kɔnɔ •")};
    QTest::newRow("lines in file order, empty ones kept") << testdata::storedBytes(words) << words;
    QTest::newRow("CRLF reads like LF") << testdata::storedBytes(words, "\r\n") << words;
    QTest::newRow("a last line without terminator is kept")
        << testdata::storedBytes(words, "\n", false) << words;
    QTest::newRow("one empty line") << QByteArray("\n") << QStringList{QString()};
    QTest::newRow("an empty file has no lines") << QByteArray() << QStringList();
    QTest::newRow("a byte-order mark alone is one empty line")
        << QByteArray("\xEF\xBB\xBF") << QStringList{QString()};
    QTest::newRow("a character cut off by the end of the file is dropped")
        << testdata::storedBytes({QStringLiteral("BA")}) + "\xC3"
        << QStringList{QStringLiteral("BA")};
    QTest::newRow("a lone carriage return is one empty line")
        << QByteArray("\r") << QStringList{QString()};
    // Every line is decoded with its own number as phase, also after an empty line.
    const QStringList same = {QStringLiteral("ABCDE"), QStringLiteral("ABCDE"),
                              QStringLiteral("ABCDE"), QString(),
                              QStringLiteral("ABCDE"), QStringLiteral("ABCDE")};
    QTest::newRow("the same text on every line") << testdata::storedBytes(same) << same;
}

void TestDataFile::readsPlainLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QVERIFY(testdata::writeFile(path(QStringLiteral("f.bna")), bytes));
    const auto read = readDataFile(path(QStringLiteral("f.bna")));
    QVERIFY(read);
    QCOMPARE(*read, lines);
}

void TestDataFile::byteOrderMarkIsNotPartOfTheFirstLine_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QByteArray>("mark");
    QTest::newRow("UTF-8") << QByteArray("UTF-8") << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("UTF-16LE") << QByteArray("UTF-16LE") << QByteArray("\xFF\xFE");
    QTest::newRow("UTF-16BE") << QByteArray("UTF-16BE") << QByteArray("\xFE\xFF");
}

void TestDataFile::byteOrderMarkIsNotPartOfTheFirstLine()
{
    QFETCH(QByteArray, codec);
    QFETCH(QByteArray, mark);
    const QStringList lines = {QStringLiteral("ƐƐ [ó] KR"), QStringLiteral("♦ Ɛɛ!")};
    const QByteArray bytes = mark + testdata::storedBytes(lines, "\n", true, codec.constData());
    QVERIFY(testdata::writeFile(path(QStringLiteral("bom.bna")), bytes));
    const auto read = readDataFile(path(QStringLiteral("bom.bna")));
    QVERIFY(read);
    QCOMPARE(*read, lines);
}

void TestDataFile::invalidUtf8StillGivesTheLine()
{
    QByteArray bytes = testdata::storedBytes({QStringLiteral("BA")});
    bytes += "\xff\xfe\xc3 A\n";
    bytes +=
        testdata::storedBytes({QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("DEN")})
            .split('\n')
            .at(2) +
        '\n';
    QVERIFY(testdata::writeFile(path(QStringLiteral("bad.bna")), bytes));
    const auto read = readDataFile(path(QStringLiteral("bad.bna")));
    QVERIFY(read);
    QCOMPARE(read->size(), 3);
    QCOMPARE(read->at(0), QStringLiteral("BA"));
    QCOMPARE(read->at(2), QStringLiteral("DEN"));
}

void TestDataFile::skipsWhatIsNotARegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("directory") << QStringLiteral("directory");
    QTest::newRow("FIFO, which would block a reader") << QStringLiteral("fifo");
    QTest::newRow("dangling symbolic link") << QStringLiteral("dangling");
}

void TestDataFile::skipsWhatIsNotARegularFile()
{
    QFETCH(QString, kind);
    const QString target = path(QStringLiteral("x.bna"));
    if (kind == QLatin1String("directory"))
        QVERIFY(QDir().mkdir(target));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    else if (kind == QLatin1String("dangling"))
        QVERIFY(QFile::link(path(QStringLiteral("nowhere")), target));
    QVERIFY(!readDataFile(target));
}

// The plain way of reading a data file, one line at a time from a text stream; the
// reader above reads the whole file at once and must give the same lines.
static QStringList readLineByLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    QStringList lines;
    int phase = 0;
    while (!stream.atEnd())
        lines << descrambleLine(stream.readLine(), ++phase);
    return lines;
}

void TestDataFile::readsLikeALineByLineTextStream_data()
{
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<QByteArray>("codec");
    QTest::newRow("UTF-8 without mark") << QByteArray() << QByteArray("UTF-8");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") << QByteArray("UTF-8");
    QTest::newRow("UTF-16LE") << QByteArray("\xFF\xFE") << QByteArray("UTF-16LE");
    QTest::newRow("UTF-16BE") << QByteArray("\xFE\xFF") << QByteArray("UTF-16BE");
    QTest::newRow("UTF-32LE") << QByteArray("\xFF\xFE\x00\x00", 4) << QByteArray("UTF-32LE");
    QTest::newRow("UTF-32BE") << QByteArray("\x00\x00\xFE\xFF", 4) << QByteArray("UTF-32BE");
}

void TestDataFile::readsLikeALineByLineTextStream()
{
    QFETCH(QByteArray, mark);
    QFETCH(QByteArray, codec);
    QTextCodec *textCodec = QTextCodec::codecForName(codec);
    QRandomGenerator random(7);
    const QString pieces = QStringLiteral("abɛɔЛŋʃ [ó]♦.•\n\n\r\t") + QChar(0) + QChar(0x2028) +
                           QChar(0x0D0A) + QChar(0x0A0D) + QChar(0xFFFD);
    for (int round = 0; round < 1000; ++round) {
        QString text;
        const int length = random.bounded(0, 200);
        for (int i = 0; i < length; ++i)
            text += pieces.at(random.bounded(pieces.size()));
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        QByteArray bytes = mark + textCodec->fromUnicode(text.constData(), text.size(), &state);
        // Stray bytes: broken UTF-8, lone carriage returns, NUL, a cut-off last unit.
        for (int i = random.bounded(0, 4); i > 0; --i) {
            const int at = random.bounded(mark.size(), bytes.size() + 1);
            bytes.insert(at, "\xC3\xFF\r\x00\x80"[random.bounded(5)]);
        }
        const QString path = m_dir->filePath(QStringLiteral("r%1.bna").arg(round));
        QVERIFY(testdata::writeFile(path, bytes));
        const QStringList expected = readLineByLine(path);
        const auto read = readDataFile(path);
        QVERIFY(read);
        QCOMPARE(*read, expected);
        const auto letterText = readDataText(path);
        QVERIFY(letterText);
        QCOMPARE(*letterText, expected.isEmpty()
                                  ? QString()
                                  : expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
