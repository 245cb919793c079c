#include "dictionarydata.h"
#include "testdatafiles.h"

#include <QTemporaryDir>
#include <QtTest>

class TestDictionaryData : public QObject
{
    Q_OBJECT

private slots:
    void readsTheThreeKindsOfFile();
    void missingFilesGiveNothing();
};

void TestDictionaryData::readsTheThreeKindsOfFile()
{
    QTemporaryDir dir;
    testdata::Dictionary data;
    data.headwords = QStringList{QStringLiteral("SO"), QString(), QStringLiteral("  BA ")};
    data.lexicon = QStringList{QStringLiteral("A|lui"), QString(), QStringLiteral("ZZ|fin")};
    data.letters.insert(QStringLiteral("a"), {QStringLiteral("A [\u00F2] TU"), QString()});
    data.letters.insert(QStringLiteral("\u025B"), {}); // ɛ
    QVERIFY(data.writeTo(dir.path()));

    // Headwords exactly as written, blanks and empty lines included.
    QCOMPARE(readHeadwords(dir.path()), std::optional<QStringList>(data.headwords));
    // The empty lexicon line gives no row.
    const auto rows = readLexicon(dir.path());
    QVERIFY(rows);
    QCOMPARE(rows->size(), 2);
    QCOMPARE(rows->at(1).word, QStringLiteral("ZZ"));
    LetterTexts expected;
    expected.insert(QStringLiteral("a"), QStringLiteral("A [\u00F2] TU\n\n"));
    expected.insert(QStringLiteral("\u025B"), QString());
    QCOMPARE(readLetterTexts(dir.path()), expected);
}

void TestDictionaryData::missingFilesGiveNothing()
{
    QTemporaryDir dir;
    const QString nowhere = dir.filePath(QStringLiteral("res"));
    QVERIFY(!readHeadwords(nowhere));
    QVERIFY(!readLexicon(nowhere));
    QVERIFY(readLetterTexts(nowhere).isEmpty());
}

QTEST_GUILESS_MAIN(TestDictionaryData)
#include "tst_dictionarydata.moc"
