#include "dictionarydata.h"
#include "testdatafiles.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// What a window gets of a dictionary directory.
struct ReadDictionary
{
    std::optional<QStringList> headwords;
    std::optional<QVector<LexiconRow>> lexicon;
    LetterTexts letters;
};

ReadDictionary eachReaderAlone(const QString &dir)
{
    return {readHeadwords(dir), readLexicon(dir), readLetterTexts(dir)};
}

ReadDictionary onASecondThread(const QString &dir)
{
    DictionaryReading reading(dir);
    ReadDictionary read;
    read.headwords = reading.takeHeadwords();
    read.lexicon = reading.takeLexicon();
    read.letters = reading.takeLetterTexts();
    return read;
}

using Reader = ReadDictionary (*)(const QString &dir);

} // namespace

Q_DECLARE_METATYPE(Reader)

class TestDictionaryData : public QObject
{
    Q_OBJECT

private slots:
    void readsTheThreeKindsOfFile_data();
    void readsTheThreeKindsOfFile();
    void missingFilesGiveNothing_data() { readsTheThreeKindsOfFile_data(); }
    void missingFilesGiveNothing();
};

void TestDictionaryData::readsTheThreeKindsOfFile_data()
{
    QTest::addColumn<Reader>("read");
    QTest::newRow("each reader alone") << &eachReaderAlone;
    QTest::newRow("on a second thread") << &onASecondThread;
}

void TestDictionaryData::readsTheThreeKindsOfFile()
{
    QFETCH(Reader, read);
    QTemporaryDir dir;
    testdata::Dictionary data;
    data.headwords = QStringList{QStringLiteral("SO"), QString(), QStringLiteral("  BA ")};
    data.lexicon = QStringList{QStringLiteral("A|lui"), QString(), QStringLiteral("ZZ|fin")};
    data.letters.insert(QStringLiteral("a"), {QStringLiteral("A [\u00F2] TU"), QString()});
    data.letters.insert(QStringLiteral("b"), {QStringLiteral("BA")});
    data.letters.insert(QStringLiteral("\u025B"), {}); // ɛ
    data.letters.insert(QStringLiteral("z"), {QStringLiteral("ZA"), QStringLiteral("ZO")});
    QVERIFY(data.writeTo(dir.path()));
    const ReadDictionary got = read(dir.path());

    // Headwords exactly as written, blanks and empty lines included.
    QCOMPARE(got.headwords, std::optional<QStringList>(data.headwords));
    // The empty lexicon line gives no row.
    QVERIFY(got.lexicon);
    QCOMPARE(got.lexicon->size(), 2);
    QCOMPARE(got.lexicon->at(1).word, QStringLiteral("ZZ"));
    LetterTexts expected;
    expected.insert(QStringLiteral("a"), QStringLiteral("A [\u00F2] TU\n\n"));
    expected.insert(QStringLiteral("b"), QStringLiteral("BA\n"));
    expected.insert(QStringLiteral("\u025B"), QString());
    expected.insert(QStringLiteral("z"), QStringLiteral("ZA\nZO\n"));
    QCOMPARE(got.letters, expected);
}

void TestDictionaryData::missingFilesGiveNothing()
{
    QFETCH(Reader, read);
    QTemporaryDir dir;
    const ReadDictionary got = read(dir.filePath(QStringLiteral("res")));
    QVERIFY(!got.headwords);
    QVERIFY(!got.lexicon);
    QVERIFY(got.letters.isEmpty());
}

QTEST_GUILESS_MAIN(TestDictionaryData)
#include "tst_dictionarydata.moc"
