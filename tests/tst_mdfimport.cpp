// Importing an MDF database: what records and fields become in the sources (so the entry
// writer both importers share), which lines are reported, and that what is written builds
// and checks clean; the command is run in tst_lexoradata. Code points: U+00E1 a acute, U+019D/0272
// capital/small n with left hook, U+0294 glottal stop, U+0301 combining acute, U+041B Cyrillic
// capital el, U+2026 ellipsis, U+2191/2193 up/down arrow, U+2666 black diamond suit.

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
};

void TestMdfImport::records_data()
{
    QTest::addColumn<QString>("mdf");
    QTest::addColumn<QString>("sources");     // headwords -- entries -- lexicon
    QTest::addColumn<QList<int>>("warnings"); // their lines

    QTest::newRow("header skipped, field before any record, wrapped fields joined, part of speech "
                  "missing from table, unknown marker once, headword outside the alphabet")
        << u("\\_sh v3.0  400  MDF 4.0\n\\_DateStampHasFourDigitYear\n\\ge stray\n\n\\lx ba\n"
             "\\ps xyz\n\\ge mother,\n  of a child\n\\nt said\nof goats too\n\\lx a\n\\dt 2020\n"
             "\\lx i\n\\dt 2021\n\\lx \u0294a\n\\lx \u0272a\n\\ge eye\n")
        << u("A\nBA\nI\n\u041BA\n--\nA [a]\nBA [ba] mother, of a child.\nsaid of goats too\nI [i]\n"
             "\u041BA [\u0272a] eye.\n--\nBA|mother, of a child\n\u019DA|eye")
        << QList<int>{3, 6, 12, 15};
    QTest::newRow("homonyms in number order, tone marks composed, senses, sub-entry up and down, "
                  "variant and main entry as references, reference to nothing left out")
        << u("\\lx ba\u0301\n\\hm 2\n\\ps n\n\\ge goat\n\n\\lx ba\n\\hm 1\n\\ps n\n\\ge mother\n"
             "\\lx ta\n\\ps v\n\\sn 1\n\\ge go\n\\sn 2\n\\ge leave\n\\ps n\n\\ge going\n\\va tan\n"
             "\\cf taa\n\\se tali\n\\ps adj\n\\ge gone\n\\lx tara\n\\ps v\n\\mn ta\n"
             "\\lx sa\n\\ge left\n\\mn si\n")
        << u("BA\nSA\nTA\nTALI\nTAN\nTARA\n--\nBA [ba] N mother.\nBA [b\u00e1] N goat.\n"
             "SA [sa] left.\nTA [ta] W go; leave; N going.\n\u2193TAA \u2193TALI\n"
             "TALI [tali] M gone.\n\u2191TA\nTAN [tan] => TA\nTARA [tara] W => TA\n--\n"
             "BA|mother\nBA|goat\nSA|left\nTA|go\nTA|leave\nTA|going\nTALI|gone")
        << QList<int>{28};
    // Line 1 of both files: the ellipsis (index 12 of the head line, 7 of the lexicon row) takes
    // key digit 1 ((1 + i) mod 5 = 3), stored as U+2022; head lines are reported at their record.
    QTest::newRow("unstorable ellipsis written as three dots, bracket in an example as parenthesis")
        << u("\\lx so\n\\ge wait\u2026\n\\xv A [so] ka bon.\n\\xe His house is big.\n")
        << u("SO\n--\nSO [so] wait....\n\u2666 A (so) ka bon. His house is big.\n--\nSO|wait...")
        << QList<int>{1, 2, 3};
}

void TestMdfImport::records()
{
    QFETCH(QString, mdf);
    QFETCH(QString, sources);
    QFETCH(QList<int>, warnings);
    const ImportResult result = importMdf(mdf, QStringLiteral("d.txt"), ImportMap::standard());
    const QStringList files{QStringLiteral("--")}; // between the files
    const DictionarySources &made = result.sources;
    QCOMPARE((made.headwords + files + made.entries + files + made.lexicon).join(QLatin1Char('\n')),
             sources);
    QList<int> lines;
    for (const Diagnostic &warning : result.diagnostics)
        lines.append(warning.severity == Diagnostic::Warning ? warning.line : -1);
    QCOMPARE(lines, warnings);

    QTemporaryDir dir;
    const QString res = dir.filePath(QStringLiteral("res"));
    QVERIFY(testdata::writeFile(dir.filePath(u("headwords.txt")), plainFileBytes(made.headwords)));
    QVERIFY(testdata::writeFile(dir.filePath(u("entries.txt")), plainFileBytes(made.entries)));
    QVERIFY(testdata::writeFile(dir.filePath(u("lexicon.txt")), plainFileBytes(made.lexicon)));
    DictionaryCompiler compiler;
    QString error;
    QVERIFY(replaceDirectory({res, DictionaryCompiler::dataFileNames(), {}},
                             DictionaryCompiler::encode(compiler.compile(dir.path())), &error));
    QVERIFY(compiler.diagnostics().isEmpty());
    DictionaryChecker checker;
    QCOMPARE(checker.check(res), DictionaryChecker::Outcome::Clean);
}

QTEST_GUILESS_MAIN(TestMdfImport)
#include "tst_mdfimport.moc"
