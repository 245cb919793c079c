// Importing an MDF database: what records and fields become in the sources and which
// lines are reported, and so the entry writer both importers share; then import and build. The
// command is run in tst_lexoradata. Code points: U+00E1 a acute, U+0254 small open o,
// U+019D/0272 capital/small n with left hook, U+0294 glottal stop, U+0301 combining acute, U+041B
// Cyrillic capital el, U+2026 ellipsis, U+2191/2193 up/down arrow, U+2666 black diamond suit.

#include "dictionarychecker.h"
#include "dictionarycompiler.h"
#include "mdfimport.h"
#include "testdatafiles.h"
#include "textfile.h"

#include <QTemporaryDir>
#include <QtTest>

using testdata::u;

class TestMdfImport : public QObject
{
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void importBuilds();
};

void TestMdfImport::records_data()
{
    QTest::addColumn<QString>("mdf");
    QTest::addColumn<QString>("sources");     // headwords -- entries -- lexicon
    QTest::addColumn<QList<int>>("warnings"); // their lines

    QTest::newRow("header skipped, wrapped fields joined, part of speech missing from table")
        << u("\\_sh v3.0  400  MDF 4.0\n\\_DateStampHasFourDigitYear\n\n\\lx ba\n\\ps xyz\n"
             "\\ge mother,\n  of a child\n\\nt said\nof goats too\n")
        << u("BA\n--\nBA [ba] mother, of a child.\nsaid of goats too\n--\nBA|mother, of a child")
        << QList<int>{5};
    QTest::newRow("homonyms in number order, decomposed tone marks composed")
        << u("\\lx ba\u0301\n\\hm 2\n\\ps n\n\\ge goat\n\n\\lx ba\n\\hm 1\n\\ps n\n\\ge mother\n")
        << u("BA\n--\nBA [ba] N mother.\nBA [b\u00e1] N goat.\n--\nBA|mother\nBA|goat")
        << QList<int>{};
    QTest::newRow("senses with their parts of speech, sub-entry with up, listed down on main")
        << u("\\lx ta\n\\ps v\n\\sn 1\n\\ge go\n\\sn 2\n\\ge leave\n\\ps n\n\\ge going\n"
             "\\se tali\n\\ps adj\n\\ge gone\n")
        << u("TA\nTALI\n--\nTA [ta] W go; leave; N going.\n\u2193TALI\nTALI [tali] M gone.\n"
             "\u2191TA\n--\nTA|go\nTA|leave\nTA|going\nTALI|gone")
        << QList<int>{};
    QTest::newRow("variant and main entry as cross-references, reference to nothing left out")
        << u("\\lx tara\n\\ps v\n\\mn ta\n\n\\lx ta\n\\ps v\n\\ge go\n\\va tan\n\\cf taa\n"
             "\\lx sa\n\\ge left\n\\mn si\n")
        << u("SA\nTA\nTAN\nTARA\n--\nSA [sa] left.\nTA [ta] W go.\n\u2193TAA\nTAN [tan] => TA\n"
             "TARA [tara] W => TA\n--\nSA|left\nTA|go")
        << QList<int>{12};
    // Line 1 of both files: the ellipsis at index 12 of the head line and 7 of the lexicon
    // row takes key digit 1 ((1 + i) mod 5 = 3) and would be stored as the bullet U+2022.
    // The head line is reported at its record's line.
    QTest::newRow("unstorable ellipsis written as three dots, bracket in an example as parenthesis")
        << u("\\lx so\n\\ge wait\u2026\n\\xv A [so] ka bon.\n\\xe His house is big.\n")
        << u("SO\n--\nSO [so] wait....\n\u2666 A (so) ka bon. His house is big.\n--\nSO|wait...")
        << QList<int>{1, 2, 3};
    QTest::newRow("unknown marker once, field before any record, headword outside the alphabet")
        << u("\\ge stray\n\\lx a\n\\dt 2020\n\\lx i\n\\dt 2021\n\\lx \u0294a\n\\lx \u0272a\n\\ge "
             "eye\n")
        << u("A\nI\n\u041BA\n--\nA [a]\nI [i]\n\u041BA [\u0272a] eye.\n--\n\u019DA|eye")
        << QList<int>{1, 3, 6};
}

void TestMdfImport::records()
{
    QFETCH(QString, mdf);
    QFETCH(QString, sources);
    QFETCH(QList<int>, warnings);
    const ImportResult result = importMdf(mdf, QStringLiteral("d.txt"), ImportMap::standard());
    const QStringList files{QStringLiteral("--")}; // between the files
    const DictionarySources &written = result.sources;
    QCOMPARE((written.headwords + files + written.entries + files + written.lexicon)
                 .join(QLatin1Char('\n')),
             sources);
    QList<int> lines;
    for (const Diagnostic &warning : result.diagnostics)
        lines.append(warning.severity == Diagnostic::Warning ? warning.line : -1);
    QCOMPARE(lines, warnings);
}

// The path a producer takes: what an import writes builds and checks clean.
void TestMdfImport::importBuilds()
{
    const DictionarySources made =
        importMdf(u("\\lx b\u0254\n\\ps v\n\\ge leave\n\\xv A b\u0254ra.\n\\xe He left.\n"
                    "\\va b\u0254n\n\\se b\u0254li\n\\ps n\n\\ge departure\n"),
                  QStringLiteral("dict.txt"), ImportMap::standard())
            .sources;
    QTemporaryDir dir;
    QVERIFY(testdata::writeFile(dir.filePath(u("headwords.txt")), plainFileBytes(made.headwords)));
    QVERIFY(testdata::writeFile(dir.filePath(u("entries.txt")), plainFileBytes(made.entries)));
    QVERIFY(testdata::writeFile(dir.filePath(u("lexicon.txt")), plainFileBytes(made.lexicon)));
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(dir.path());
    QVERIFY(compiler.diagnostics().isEmpty());
    const QString res = dir.filePath(u("res"));
    QString error;
    QVERIFY(replaceDirectory({res, DictionaryCompiler::dataFileNames(), {}},
                             DictionaryCompiler::encode(files), &error));
    DictionaryChecker checker;
    QCOMPARE(checker.check(res), DictionaryChecker::Outcome::Clean);
}

QTEST_GUILESS_MAIN(TestMdfImport)
#include "tst_mdfimport.moc"
