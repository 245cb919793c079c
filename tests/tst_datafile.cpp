#include "datafile.h"
#include "testdatafiles.h"

#include "linecodec.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void decodesEachLineWithItsNumber();
    void readsLikeALineByLineTextStream_data();
    void readsLikeALineByLineTextStream();
};

// "BA" is stored as "?@" on line 1 and as ">?" on line 3 (key digits 2, 4 and 1, 3;
// a stored unit is plain + digit - 5); an empty line still counts as line 2.
void TestDataFile::decodesEachLineWithItsNumber()
{
    const QStringList plain{QStringLiteral("BA"), QString(), QStringLiteral("BA")};
    const QByteArray stored("?@\n\n>?\n");
    QCOMPARE(encodeDataFile(plain), stored);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.bna"));
    QVERIFY(testdata::writeFile(path, stored));
    QCOMPARE(readDataFile(path), std::optional<QStringList>(plain));
    QCOMPARE(readDataText(path), std::optional<QString>(QStringLiteral("BA\n\nBA\n")));
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
    QTemporaryDir dir;
    // ɛ U+025B, ɔ U+0254, Л U+041B, ŋ U+014B, ʃ U+0283, ó U+00F3, ♦ U+2666, • U+2022
    const QString pieces =
        QStringLiteral("ab\u025B\u0254\u041B\u014B\u0283 [\u00F3]\u2666.\u2022\n\n\r\t") +
        QChar(0) + QChar(0x2028) + QChar(0x0D0A) + QChar(0x0A0D) + QChar(0xFFFD);
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
        const QString path = dir.filePath(QStringLiteral("r%1.bna").arg(round));
        QVERIFY(testdata::writeFile(path, bytes));
        const QStringList expected = readLineByLine(path);
        QCOMPARE(readDataFile(path), std::optional<QStringList>(expected));
        QCOMPARE(readDataText(path), std::optional<QString>(joinLines(expected)));
    }
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
