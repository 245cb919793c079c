// Making dictionary sources from a treebank, locale names and a hand-written supplement:
// what becomes a headword, an entry, a homograph, a cross-reference, an example and a
// lexicon row; that the result builds and checks clean; and the lexora-import program.

#include "cldrnames.h"
#include "dictionarychecker.h"
#include "dictionarycompiler.h"
#include "sampledictionarybuilder.h"
#include "testdatafiles.h"
#include "textfile.h"
#include "treebankreader.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

// A token line: id, form, lemma, universal tag and the last column.
QString token(int id, const QString &form, const QString &lemma, const QString &tag,
              const QString &misc)
{
    return QStringLiteral("%1\t%2\t%3\t%4\t_\t_\t0\troot\t_\t%5\n")
        .arg(id)
        .arg(form, lemma, tag, misc);
}

QString sentence(const QString &id, const QString &text, const QString &tokens)
{
    return QStringLiteral("# sent_id = ") + id + QStringLiteral("\n# text = ") + text +
           QLatin1Char('\n') + tokens + QLatin1Char('\n');
}

// A small treebank: two lemmas of one spelling that differ in tone (ba "mother", bà
// "goat"), a perfective form of a verb, a diminutive, a grammatical word, a heading and
// a sentence in the older spelling.
QString treebank()
{
    return sentence(QStringLiteral("s1"), QStringLiteral("Ba bɛ."),
                    token(1, QStringLiteral("Ba"), QStringLiteral("bá"), QStringLiteral("NOUN"),
                          QStringLiteral("Gloss=mère")) +
                        token(2, QStringLiteral("bɛ"), QStringLiteral("bɛ"), QStringLiteral("AUX"),
                              QStringLiteral("Gloss=IPFV.AFF")) +
                        token(3, QStringLiteral("."), QStringLiteral("."), QStringLiteral("PUNCT"),
                              QStringLiteral("Gloss=."))) +
           sentence(QStringLiteral("s2"), QStringLiteral("ba nyini bè."),
                    token(1, QStringLiteral("ba"), QStringLiteral("bà"), QStringLiteral("NOUN"),
                          QStringLiteral("Gloss=chèvre")) +
                        token(2, QStringLiteral("nyini"), QStringLiteral("ɲíni"),
                              QStringLiteral("VERB"), QStringLiteral("Gloss=chercher"))) +
           sentence(QStringLiteral("s3"), QStringLiteral("A tora so kɔnɔ."),
                    token(1, QStringLiteral("tora"), QStringLiteral("tora"), QStringLiteral("VERB"),
                          QStringLiteral("Gloss=rester|Morf=rester,PFV.INTR"))) +
           sentence(QStringLiteral("s4"), QStringLiteral("A to. A ma taa."),
                    token(1, QStringLiteral("to"), QStringLiteral("tó"), QStringLiteral("VERB"),
                          QStringLiteral("Gloss=rester"))) +
           sentence(QStringLiteral("s5"), QStringLiteral("Musonin [kelen] nana."),
                    token(1, QStringLiteral("Musonin"), QStringLiteral("muso.nin"),
                          QStringLiteral("NOUN"),
                          QStringLiteral("Gloss=fillette|Morf=fillette,femme,DIM"))) +
           sentence(QStringLiteral("s6"), QStringLiteral("<>Muso</>"),
                    token(1, QStringLiteral("Muso"), QStringLiteral("mùso"), QStringLiteral("NOUN"),
                          QStringLiteral("Gloss=femme")));
}

DictionarySources importSample(const QStringList &supplementEntries = {},
                               const QStringList &supplementLexicon = {})
{
    SampleDictionaryBuilder builder;
    builder.addTreebank(TreebankReader::parse(treebank()));
    builder.addLocaleNames({{QStringLiteral("language:fr"), QStringLiteral("tubabukan")},
                            {QStringLiteral("day:mon"), QStringLiteral("ntɛnɛn")}},
                           {{QStringLiteral("language:fr"), QStringLiteral("French")}});
    builder.addSupplement(supplementEntries, supplementLexicon);
    return builder.sources();
}

} // namespace

class TestSampleDictionaryBuilder : public QObject
{
    Q_OBJECT

private slots:
    void lemmaForms_data();
    void lemmaForms();
    void glosses_data();
    void glosses();
    void examples_data();
    void examples();
    void headwordOrder();
    void entriesFromTheTreebank();
    void supplementReplacesImportedEntries();
    void lexiconRows();
    void localeNames();
    void choosesAmongWords_data();
    void choosesAmongWords();
    void importProgramWritesTheSources();
};

void TestSampleDictionaryBuilder::lemmaForms_data()
{
    QTest::addColumn<QString>("lemma");
    QTest::addColumn<QString>("toneless");
    QTest::addColumn<QString>("display");

    QTest::newRow("acute and grave") << u("bámuso") << u("bamuso") << u("bámuso");
    QTest::newRow("tone on a special letter") << u("ɲɛ́.fɔ") << u("ɲɛfɔ") << u("ɲɛ́fɔ");
    QTest::newRow("decomposed input") << QStringLiteral("de\u0301n") << u("den") << u("dén");
    QTest::newRow("caron") << QStringLiteral("b\u01CEn") << u("ban") << QStringLiteral("b\u01CEn");
    QTest::newRow("no tone") << u("kɔnɔ") << u("kɔnɔ") << u("kɔnɔ");
}

void TestSampleDictionaryBuilder::lemmaForms()
{
    QFETCH(QString, lemma);
    QFETCH(QString, toneless);
    QFETCH(QString, display);
    QCOMPARE(SampleDictionaryBuilder::toneless(lemma), toneless);
    QCOMPARE(SampleDictionaryBuilder::displayLemma(lemma), display);
}

void TestSampleDictionaryBuilder::glosses_data()
{
    QTest::addColumn<QString>("gloss");
    QTest::addColumn<QString>("shown");

    QTest::newRow("words joined by dots") << u("oeuf.de.poule") << u("oeuf de poule");
    QTest::newRow("apostrophe kept") << u("globe.de.l'oeil") << u("globe de l'oeil");
    QTest::newRow("grammatical gloss") << u("IPFV.AFF") << u("");
    QTest::newRow("person and number") << u("3SG") << u("");
    QTest::newRow("bracket would open a head line") << u("eau.[pure]") << u("eau (pure)");
    QTest::newRow("mark-up character") << u("a/b") << u("");
}

void TestSampleDictionaryBuilder::glosses()
{
    QFETCH(QString, gloss);
    QFETCH(QString, shown);
    QCOMPARE(SampleDictionaryBuilder::frenchGloss(gloss), shown);
}

void TestSampleDictionaryBuilder::examples_data()
{
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("line"); // empty: no example

    QTest::newRow("plain statement") << u("A bɛ so kɔnɔ.") << u("♦ A bɛ so kɔnɔ.");
    QTest::newRow("first letter made capital") << u("a bɛ taa.") << u("♦ A bɛ taa.");
    QTest::newRow("older spelling respelt") << u("Nyama bè kònò.") << u("♦ Ɲama bɛ kɔnɔ.");
    QTest::newRow("brackets become parentheses") << u("A [kelen] nana.") << u("♦ A (kelen) nana.");
    QTest::newRow("no final dot") << u("A nana!") << u("");
    QTest::newRow("two sentences") << u("A nana. A taara.") << u("");
    QTest::newRow("ellipsis") << u("A nana...") << u("");
    QTest::newRow("heading marks") << u("<>Den ɲuman.</>") << u("");
    QTest::newRow("quotation inside") << u("A ko: “N bɛ taa”.") << u("");
    QTest::newRow("exclamation inside") << u("Ayi! A nana.") << u("");
    QTest::newRow("slash read as mark-up") << u("A/B nana.") << u("");
    QTest::newRow("too long") << QString(QStringLiteral("ka ").repeated(40) + QLatin1Char('.'))
                              << u("");
}

void TestSampleDictionaryBuilder::examples()
{
    QFETCH(QString, sentence);
    QFETCH(QString, line);
    const auto example = SampleDictionaryBuilder::exampleLine(sentence);
    QCOMPARE(example.value_or(QString()), line);
}

void TestSampleDictionaryBuilder::headwordOrder()
{
    // ɛ after e, ɲ (Л U+041B) and ŋ after n, ɔ after o, ʃ after s.
    QStringList words{QStringLiteral("ʃA"),      QStringLiteral("TA"), QStringLiteral("ƆA"),
                      QStringLiteral("\u041BA"), QStringLiteral("ŊA"), QStringLiteral("NA"),
                      QStringLiteral("ƐA"),      QStringLiteral("EA"), QStringLiteral("FA"),
                      QStringLiteral("OA"),      QStringLiteral("SA"), QStringLiteral("N")};
    std::sort(words.begin(), words.end(), SampleDictionaryBuilder::comesBefore);
    QCOMPARE(words,
             (QStringList{QStringLiteral("EA"), QStringLiteral("ƐA"), QStringLiteral("FA"),
                          QStringLiteral("N"), QStringLiteral("NA"), QStringLiteral("\u041BA"),
                          QStringLiteral("ŊA"), QStringLiteral("OA"), QStringLiteral("ƆA"),
                          QStringLiteral("SA"), QStringLiteral("ʃA"), QStringLiteral("TA")}));
}

void TestSampleDictionaryBuilder::entriesFromTheTreebank()
{
    const DictionarySources sources = importSample();
    QCOMPARE(sources.headwords, (QStringList{QStringLiteral("BA"), QStringLiteral("MUSO"),
                                             QStringLiteral("MUSONIN"), QStringLiteral("\u041BINI"),
                                             QStringLiteral("TO"), QStringLiteral("TORA")}));
    QCOMPARE(sources.entries, (QStringList{
                                  QStringLiteral("BA [bà] N chèvre."),
                                  QStringLiteral("♦ Ba ɲini bɛ."),
                                  QStringLiteral("BA [bá] N mère."),
                                  QStringLiteral("♦ Ba bɛ."),
                                  QStringLiteral("MUSO [mùso] N femme."),
                                  QStringLiteral("↓MUSONIN"),
                                  QStringLiteral("MUSONIN [musonin] N fillette."),
                                  QStringLiteral("↑MUSO"),
                                  QStringLiteral("♦ Musonin (kelen) nana."),
                                  QStringLiteral("\u041BINI [ɲíni] W chercher."),
                                  QStringLiteral("♦ Ba ɲini bɛ."),
                                  QStringLiteral("TO [tó] W rester."),
                                  QStringLiteral("♦ A tora so kɔnɔ."),
                                  QStringLiteral("TORA [tora] W => TO"),
                              }));
}

void TestSampleDictionaryBuilder::supplementReplacesImportedEntries()
{
    const DictionarySources sources = importSample(
        {QStringLiteral("# the project's own entries"), QStringLiteral("BA [ó] N fleuve."),
         QStringLiteral("[ò] bà: chèvre"), QStringLiteral("ʃA [ó] N chef.")});
    QCOMPARE(sources.headwords.first(), QStringLiteral("BA"));
    QCOMPARE(sources.headwords.indexOf(QStringLiteral("ʃA")),
             sources.headwords.indexOf(QStringLiteral("TO")) - 1);
    QCOMPARE(sources.entries.mid(0, 3),
             (QStringList{QStringLiteral("BA [ó] N fleuve."), QStringLiteral("[ò] bà: chèvre"),
                          QStringLiteral("MUSO [mùso] N femme.")}));
    QVERIFY(!sources.entries.join(QLatin1Char('\n')).contains(QStringLiteral("# the project")));
}

void TestSampleDictionaryBuilder::lexiconRows()
{
    const DictionarySources sources =
        importSample({}, {QStringLiteral("# comment"), QStringLiteral("ƝƐ|devant")});
    // Words in plain capitals (Ɲ U+019D), as the lexicon filter matches them.
    QVERIFY(sources.lexicon.contains(QStringLiteral("BA|mère")));
    QVERIFY(sources.lexicon.contains(QStringLiteral("BA|chèvre")));
    QVERIFY(sources.lexicon.contains(QStringLiteral("\u019DINI|chercher")));
    QVERIFY(sources.lexicon.contains(QStringLiteral("TORA|rester")));
    QVERIFY(sources.lexicon.contains(QStringLiteral("\u019D\u0190|devant")));
    QVERIFY(!sources.lexicon.join(QLatin1Char('\n')).contains(QStringLiteral("IPFV")));
    QVERIFY(!sources.lexicon.contains(QStringLiteral("# comment")));
}

void TestSampleDictionaryBuilder::localeNames()
{
    const QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<ldml><localeDisplayNames>
 <languages><language type="fr">tubabukan</language><language type="fr" alt="short">x</language><language type="de">alimaɲikan</language></languages>
 <territories><territory type="ML">Mali</territory></territories>
</localeDisplayNames>
<dates><calendars>
 <calendar type="generic"><months><monthContext type="format"><monthWidth type="wide">
  <month type="1">M01</month></monthWidth></monthContext></months></calendar>
 <calendar type="gregorian">
  <months><monthContext type="format"><monthWidth type="abbreviated"><month type="1">zan</month></monthWidth>
   <monthWidth type="wide"><month type="1">zanwuyekalo</month></monthWidth></monthContext></months>
  <days><dayContext type="format"><dayWidth type="wide"><day type="sun">kari</day></dayWidth></dayContext></days>
 </calendar>
</calendars></dates></ldml>)";
    QString error;
    const auto names = CldrNames::parse(xml, &error);
    QVERIFY2(names, qPrintable(error));
    QCOMPARE(*names, (CldrNames::Names{{QStringLiteral("language:fr"), QStringLiteral("tubabukan")},
                                       {QStringLiteral("language:de"), u("alimaɲikan")},
                                       {QStringLiteral("territory:ML"), QStringLiteral("Mali")},
                                       {QStringLiteral("month:1"), QStringLiteral("zanwuyekalo")},
                                       {QStringLiteral("day:sun"), QStringLiteral("kari")}}));

    QVERIFY(!CldrNames::parse("<ldml><languages>", &error));
}

void TestSampleDictionaryBuilder::choosesAmongWords_data()
{
    QTest::addColumn<QString>("treebank");
    QTest::addColumn<QStringList>("entries"); // lines that follow one another
    const auto noun = [](const char *form, const char *lemma, const char *gloss) {
        return token(1, u(form), u(lemma), QStringLiteral("NOUN"),
                     QStringLiteral("Gloss=") + u(gloss));
    };
    // Sentences without final dot give no example.
    QTest::newRow("homographs: the most frequent first")
        << sentence(u("s1"), u("Ba"), noun("ba", "bà", "chèvre")) +
               sentence(u("s2"), u("Ba"), noun("Ba", "bá", "mère")) +
               sentence(u("s3"), u("Ba"), noun("Ba", "bá", "mère"))
        << ul({"BA [bá] N mère.", "BA [bà] N chèvre."});
    QTest::newRow("an unmarked spelling joins the most frequent marked one")
        << sentence(u("s1"), u("Ba"), noun("ba", "bá", "mère")) +
               sentence(u("s2"), u("Ba"), noun("ba", "bá", "mère")) +
               sentence(u("s3"), u("Ba"), noun("ba", "bà", "chèvre")) +
               sentence(u("s4"), u("Ba"), noun("ba", "ba", "fille"))
        << ul({"BA [bá] N mère, fille.", "BA [bà] N chèvre."});
    QTest::newRow("at most three glosses, the most frequent first")
        << sentence(u("s1"), u("So"),
                    noun("so", "so", "cheval") + noun("so", "so", "maison") +
                        noun("so", "so", "case") + noun("so", "so", "maison") +
                        noun("so", "so", "demeure") + noun("so", "so", "case") +
                        noun("so", "so", "maison"))
        << ul({"SO [so] N maison, case, cheval."});
    // TORA is an inflected form of the verb TO: it points to it and gives its example to
    // the verb, not to the noun of the same spelling. TORALEN, an inflected form of TORA,
    // points to TO too, since a reference is never the base of another.
    QTest::newRow("an inflected form points to the base word of its own kind")
        << sentence(u("s1"), u("To"), noun("to", "tó", "rester")) +
               sentence(u("s2"), u("To"),
                        token(1, u("to"), u("tó"), u("VERB"), u("Gloss=rester"))) +
               sentence(u("s3"), u("A tora."),
                        token(1, u("tora"), u("tora"), u("VERB"),
                              u("Gloss=rester|Morf=rester,PFV.INTR"))) +
               sentence(u("s4"), u("Toralen"),
                        token(1, u("toralen"), u("toralen"), u("VERB"),
                              u("Gloss=rester|Morf=rester,PFV.INTR,PTCP.RES")))
        << ul({"TO [tó] N rester.", "TO [tó] W rester.", "♦ A tora.", "TORA [tora] W => TO",
               "TORALEN [toralen] W => TO"});
}

void TestSampleDictionaryBuilder::choosesAmongWords()
{
    QFETCH(QString, treebank);
    QFETCH(QStringList, entries);
    SampleDictionaryBuilder builder;
    builder.addTreebank(TreebankReader::parse(treebank));
    const QStringList made = builder.sources().entries;
    // Whole lines, one after another.
    const QString text = QLatin1Char('\n') + made.join(QLatin1Char('\n')) + QLatin1Char('\n');
    QVERIFY2(text.contains(QLatin1Char('\n') + entries.join(QLatin1Char('\n')) + QLatin1Char('\n')),
             qPrintable(text));
}

void TestSampleDictionaryBuilder::importProgramWritesTheSources()
{
    QTemporaryDir dir;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QVERIFY(QDir().mkpath(QFileInfo(dir.filePath(name)).path()));
        QVERIFY(testdata::writeFile(dir.filePath(name), bytes));
    };
    write(QStringLiteral("tb.conllu"),
          sentence(u("s1"), u("Ba bɛ."), token(1, u("Ba"), u("bá"), u("NOUN"), u("Gloss=mère")))
              .toUtf8());
    const QByteArray names = "<ldml><localeDisplayNames><languages>"
                             "<language type=\"fr\">%1</language>"
                             "<language type=\"de\">%2</language>"
                             "</languages></localeDisplayNames></ldml>";
    write(QStringLiteral("cldr/bm.xml"),
          QString::fromUtf8(names).arg(u("tubabukan"), u("alimaɲi|kan")).toUtf8());
    write(QStringLiteral("cldr/en.xml"),
          QString::fromUtf8(names).arg(u("French"), u("German")).toUtf8());
    write(QStringLiteral("extra/entries.txt"), "ƐA [ó] N x.\n");
    write(QStringLiteral("extra/lexicon.txt"), "ƐA|x\n");

    QProcess tool;
    tool.start(QStringLiteral(LEXORA_IMPORT_TOOL),
               {dir.filePath(QStringLiteral("tb.conllu")), dir.filePath(QStringLiteral("cldr")),
                dir.filePath(QStringLiteral("extra")), dir.filePath(QStringLiteral("src"))});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 0);
    const auto read = [&](const char *name) {
        QFile file(dir.filePath(QStringLiteral("src/") + QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    QCOMPARE(read("headwords.txt"), u("BA\nƐA\n"));
    QCOMPARE(read("entries.txt"), u("BA [bá] N mère.\n♦ Ba bɛ.\nƐA [ó] N x.\n"));
    // A name holding "|" would split its row: it is left out.
    QCOMPARE(read("lexicon.txt"), u("BA|mère\nƐA|x\nTUBABUKAN|French (English)\n"));

    // What it writes builds and checks clean.
    DictionaryCompiler compiler;
    const auto files = compiler.compile(dir.filePath(QStringLiteral("src")));
    QVERIFY(compiler.diagnostics().isEmpty());
    const QString res = dir.filePath(QStringLiteral("res"));
    QString error;
    QVERIFY2(replaceDirectory({res, DictionaryCompiler::dataFileNames(), {}},
                              DictionaryCompiler::encode(files), &error),
             qPrintable(error));
    DictionaryChecker checker;
    QCOMPARE(checker.check(res), DictionaryChecker::Outcome::Clean);
}

QTEST_GUILESS_MAIN(TestSampleDictionaryBuilder)
#include "tst_sampledictionarybuilder.moc"
