// The sample dictionary that ships in res/: exactly what "lexora-data build" makes of
// the committed sources in res-src/, free of problems, and showing what the viewer can
// show (homographs, cross-references, words under every special letter).

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

QByteArray shown(const QVector<Diagnostic> &diagnostics)
{
    QStringList lines;
    for (const Diagnostic &d : diagnostics)
        lines.append(d.toString());
    return lines.join(QLatin1Char('\n')).toUtf8();
}

} // namespace

using testdata::u;

class TestSampleData : public QObject
{
    Q_OBJECT

private slots:
    void resIsTheBuildOfTheSources();
    void checkFindsNoProblem();
    void showsEveryKindOfEntry_data();
    void showsEveryKindOfEntry();
};

void TestSampleData::resIsTheBuildOfTheSources()
{
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(sourceDir);
    QVERIFY2(compiler.diagnostics().isEmpty(), shown(compiler.diagnostics()).constData());

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
    QVERIFY2(outcome == DictionaryChecker::Outcome::Clean,
             shown(checker.diagnostics()).constData());
    QVERIFY(checker.headwordCount() > 500);
    QVERIFY(checker.lexiconRowCount() > 1000);
}

void TestSampleData::showsEveryKindOfEntry_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("shownBeginning");
    QTest::addColumn<int>("headLines");

    QTest::newRow("homographs shown together") << u("BA") << u("BA [") << 3;
    QTest::newRow("cross-reference shows its target") << u("BƆRA") << u("BƆ [") << 1;
    QTest::newRow("imported inflected form refers to its base") << u("FURAW") << u("FURA [") << 1;
    QTest::newRow("continuation line beginning with a bracket") << u("DUGU") << u("DUGU [") << 1;
    QTest::newRow("a word under ɛ") << u("Ɛ") << u("Ɛ [") << 1;
    QTest::newRow("a word under ɔ") << u("ƆN") << u("ƆN [") << 1;
    QTest::newRow("a word under q, for ɲ") << u("ЛAJI") << u("ЛAJI [") << 1;
    QTest::newRow("a word under v, for ŋ") << u("ŊALA") << u("ŊALA [") << 1;
    QTest::newRow("a word under x, for ʃ") << u("ʃƐFU") << u("ʃƐFU [") << 1;
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

QTEST_GUILESS_MAIN(TestSampleData)
#include "tst_sampledata.moc"
