// The sample dictionary that ships in res/: exactly what "lexora-data build" makes of
// the committed sources in res-src/, free of problems, and showing what the viewer can
// show (homographs, cross-references, words under every special letter).

#include "datafile.h"
#include "datafilenames.h"
#include "dictionarychecker.h"
#include "dictionarycompiler.h"
#include "dictionarydata.h"
#include "entrylookup.h"

#include <QtTest>

namespace {

const QString sourceDir = QStringLiteral(LEXORA_SOURCE_DIR "/res-src");
const QString resDir = QStringLiteral(LEXORA_SOURCE_DIR "/res");

} // namespace

class TestSampleData : public QObject
{
    Q_OBJECT

private slots:
    void resIsTheBuildOfTheSources();
    void checkFindsNoProblem();
    void showsEveryKindOfEntry_data();
    void showsEveryKindOfEntry();
    void everySpecialLetterHasEntries_data();
    void everySpecialLetterHasEntries();
};

void TestSampleData::resIsTheBuildOfTheSources()
{
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(sourceDir);
    QStringList problems;
    for (const Diagnostic &d : compiler.diagnostics())
        problems.append(d.toString());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

    QStringList shipped = QDir(resDir).entryList(QDir::Files | QDir::Hidden);
    QStringList built = files.keys();
    shipped.sort();
    built.sort();
    QCOMPARE(shipped, built);
    for (auto file = files.constBegin(); file != files.constEnd(); ++file) {
        QFile stored(dataFilePath(resDir, file.key()));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QVERIFY2(stored.readAll() == encodeDataFile(*file),
                 qPrintable(file.key() + QStringLiteral(" differs from the build of res-src; run "
                                                        "lexora-data build res-src res")));
    }
}

void TestSampleData::checkFindsNoProblem()
{
    DictionaryChecker checker;
    const DictionaryChecker::Outcome outcome = checker.check(resDir);
    QStringList problems;
    for (const Diagnostic &d : checker.diagnostics())
        problems.append(d.toString());
    QVERIFY2(outcome == DictionaryChecker::Outcome::Clean,
             qPrintable(problems.join(QLatin1Char('\n'))));
    QVERIFY(checker.headwordCount() > 500);
    QVERIFY(checker.lexiconRowCount() > 1000);
}

void TestSampleData::showsEveryKindOfEntry_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("shownBeginning");
    QTest::addColumn<int>("headLines");

    QTest::newRow("homographs shown together") << "BA"
                                               << "BA [" << 3;
    QTest::newRow("cross-reference shows its target") << "BƆRA"
                                                      << "BƆ [" << 1;
    QTest::newRow("imported inflected form refers to its base") << "FURAW"
                                                                << "FURA [" << 1;
    QTest::newRow("continuation line beginning with a bracket") << "DUGU"
                                                                << "DUGU [" << 1;
}

void TestSampleData::showsEveryKindOfEntry()
{
    QFETCH(QString, word);
    QFETCH(QString, shownBeginning);
    QFETCH(int, headLines);

    const LookupResult result = lookUpWord(readLetterTexts(resDir), word);
    QCOMPARE(result.kind, LookupResult::Entry);
    QVERIFY2(result.text.startsWith(shownBeginning), qPrintable(result.text));
    int heads = 0;
    for (const QString &line : result.text.split(QLatin1Char('\n')))
        heads += isHeadLine(line) ? 1 : 0;
    QCOMPARE(heads, headLines);
}

void TestSampleData::everySpecialLetterHasEntries_data()
{
    QTest::addColumn<QString>("letter");
    QTest::newRow("ɛ") << QStringLiteral("\u025B");
    QTest::newRow("ɔ") << QStringLiteral("\u0254");
    QTest::newRow("q, for ɲ") << QStringLiteral("q");
    QTest::newRow("v, for ŋ") << QStringLiteral("v");
    QTest::newRow("x, for ʃ") << QStringLiteral("x");
}

void TestSampleData::everySpecialLetterHasEntries()
{
    QFETCH(QString, letter);
    const QString text = readLetterTexts(resDir).value(letter);
    QVERIFY2(!text.isEmpty(), qPrintable(letter));
    QVERIFY(isHeadLine(text.left(text.indexOf(QLatin1Char('\n')))));
}

QTEST_GUILESS_MAIN(TestSampleData)
#include "tst_sampledata.moc"
