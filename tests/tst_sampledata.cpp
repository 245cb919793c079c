// The sample dictionary in res/: exactly what "lexora-data build" makes of res-src/, free of
// problems, and showing homographs, cross-references and a word under a letter the alphabet adds.

#include "datafile.h"
#include "datafilenames.h"
#include "dictionarychecker.h"
#include "dictionarycompiler.h"
#include "dictionarydata.h"
#include "entrylookup.h"
#include "testdatafiles.h"

#include <QtTest>

namespace {

const QString sourceDir = QStringLiteral(LEXORA_SOURCE_DIR "/res-src");
const QString resDir = QStringLiteral(LEXORA_SOURCE_DIR "/res");

QStringList shown(const QVector<Diagnostic> &diagnostics)
{
    QStringList lines;
    for (const Diagnostic &d : diagnostics)
        lines.append(d.toString());
    return lines;
}

} // namespace

using testdata::u;

class TestSampleData : public QObject
{
    Q_OBJECT

private slots:
    void resIsTheCleanBuildOfTheSources();
    void showsEveryKindOfEntry_data();
    void showsEveryKindOfEntry();
};

void TestSampleData::resIsTheCleanBuildOfTheSources()
{
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(sourceDir);
    QCOMPARE(shown(compiler.diagnostics()), QStringList());
    QCOMPARE(QDir(resDir).entryList(QDir::Files | QDir::Hidden, QDir::Name), files.keys());
    for (auto file = files.constBegin(); file != files.constEnd(); ++file) {
        QFile stored(dataFilePath(resDir, file.key()));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QVERIFY2(stored.readAll() == encodeDataFile(*file),
                 qPrintable(file.key() + QStringLiteral(" differs from the build of res-src; run "
                                                        "lexora-data build res-src res")));
    }

    DictionaryChecker checker;
    const DictionaryChecker::Outcome outcome = checker.check(resDir);
    QCOMPARE(shown(checker.diagnostics()), QStringList());
    QCOMPARE(outcome, DictionaryChecker::Outcome::Clean);
    QVERIFY(checker.headwordCount() > 500 && checker.lexiconRowCount() > 1000);
}

void TestSampleData::showsEveryKindOfEntry_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("heads"); // the headwords of the head lines shown
    QTest::newRow("homographs shown together") << u("BA") << u("BA BA BA");
    QTest::newRow("cross-reference shows its target") << u("BƆRA") << u("BƆ");
    QTest::newRow("a word under q, for ɲ") << u("ЛAJI") << u("ЛAJI");
}

void TestSampleData::showsEveryKindOfEntry()
{
    QFETCH(QString, word);
    QFETCH(QString, heads);
    const LookupResult result = lookUpWord(readLetterTexts(resDir), word);
    QCOMPARE(result.kind, LookupResult::Entry);
    QStringList shownHeads;
    for (const QString &line : result.text.split(QLatin1Char('\n')))
        if (isHeadLine(line))
            shownHeads.append(headLineHeadword(line).toString());
    QCOMPARE(shownHeads.join(QLatin1Char(' ')), heads);
}

QTEST_GUILESS_MAIN(TestSampleData)
#include "tst_sampledata.moc"
