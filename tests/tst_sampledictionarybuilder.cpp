// Making dictionary sources from a treebank, locale names and a hand-written supplement,
// and the lexora-import program. Treebanks are written as their files are: CoNLL-U, one
// token a line, its ten columns separated by tabs.

#include "cldrnames.h"
#include "sampledictionarybuilder.h"
#include "testdatafiles.h"
#include "treebankreader.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

// One of the builder's rules for a text.
using Rule = QString (*)(const QString &);

QString example(const QString &sentence)
{
    return SampleDictionaryBuilder::exampleSentence(sentence).value_or(QString());
}

} // namespace

Q_DECLARE_METATYPE(Rule)

class TestSampleDictionaryBuilder : public QObject
{
    Q_OBJECT

private slots:
    void textRules_data();
    void textRules();
    void entries_data();
    void entries();
    void localeNames();
    void importProgramWritesTheSources();
    void importProgramRefusesWhatItCannotRead_data();
    void importProgramRefusesWhatItCannotRead();
    void importProgramRefusesAMissingSupplement();
};

void TestSampleDictionaryBuilder::textRules_data()
{
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    const auto row = [](const char *name, Rule rule, const QString &text, const char *result) {
        QTest::newRow(name) << rule << text << u(result);
    };
    const Rule display = &SampleDictionaryBuilder::displayLemma;
    const Rule gloss = &SampleDictionaryBuilder::frenchGloss;
    row("display: tone kept, dot dropped", display, u("ɲɛ́.fɔ"), "ɲɛ́fɔ");
    row("display: decomposed made one", display, QStringLiteral("de\u0301n"), "dén"); // acute
    row("gloss: dots become blanks, apostrophe kept", gloss, u("globe.de.l'oeil"),
        "globe de l'oeil");
    row("gloss: grammatical, in capitals", gloss, u("IPFV.AFF"), "");
    row("gloss: bracket would open a head line", gloss, u("eau.[pure]"),
        "eau \u2045pure\u2046"); // ⁅ ⁆ U+2045, U+2046
    row("gloss: mark-up character", gloss, u("a/b"), "");
    row("example: first letter made capital", example, u("a bɛ so kɔnɔ."), "A bɛ so kɔnɔ.");
    row("example: older spelling respelt", example, u("Nyama bè kònò."), "Ɲama bɛ kɔnɔ.");
    row("example: none unless its only dot ends it", example, u("A nana. A taara."), "");
    row("example: none with heading marks", example, u("<>Den ɲuman.</>"), "");
    row("example: none with a slash, read as mark-up", example, u("A/B nana."), "");
    // 29 times "ka " and "kan." make 91 characters; with "ka." instead, 90.
    row("example: none too long", example, QStringLiteral("ka ").repeated(29) + u("kan."), "");
    QTest::newRow("example: the longest kept")
        << Rule(example) << QStringLiteral("ka ").repeated(29) + u("ka.")
        << QStringLiteral("Ka ") + QStringLiteral("ka ").repeated(28) + u("ka.");
}

void TestSampleDictionaryBuilder::textRules()
{
    QFETCH(Rule, rule);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(rule(text), result);
}

void TestSampleDictionaryBuilder::entries_data()
{
    QTest::addColumn<QString>("treebank");
    QTest::addColumn<QString>("entries"); // all the lines made
    QTest::addColumn<QStringList>("supplement");

    // A sentence gives examples only when it has a text, and not as a heading. Homographs:
    // the most frequent first; an unmarked spelling joins the most frequent marked one. At
    // most three glosses, the most frequent first, then the first met.
    QTest::newRow("homographs, examples, a derived word, glosses")
        << u(R"(# text = Ba bɛ.
1	Ba	bá	NOUN	_	_	0	root	_	Gloss=mère

# text = ba nyini bè.
1	ba	bà	NOUN	_	_	0	root	_	Gloss=chèvre
2	nyini	ɲíni	VERB	_	_	0	root	_	Gloss=chercher

# text = Musonin [kelen] nana.
1	Musonin	muso.nin	NOUN	_	_	0	root	_	Gloss=fillette|Morf=fillette,femme,DIM

# text = <>Muso</>
1	Muso	mùso	NOUN	_	_	0	root	_	Gloss=femme
2	ba	bá	NOUN	_	_	0	root	_	Gloss=mère
3	ba	ba	NOUN	_	_	0	root	_	Gloss=fille

1	so	so	NOUN	_	_	0	root	_	Gloss=cheval
2	so	so	NOUN	_	_	0	root	_	Gloss=maison
3	so	so	NOUN	_	_	0	root	_	Gloss=case
4	so	so	NOUN	_	_	0	root	_	Gloss=maison
5	so	so	NOUN	_	_	0	root	_	Gloss=demeure)")
        << u("BA [bá] N mère; fille.\n♦ Ba bɛ.\nBA [bà] N chèvre.\n♦ Ba ɲini bɛ.\n"
             "MUSO [mùso] N femme.\n↓MUSONIN\nMUSONIN [musonin] N fillette.\n"
             "♦ Musonin \u2045kelen\u2046 nana.\n↑MUSO\nЛINI [ɲíni] W chercher.\n♦ Ba ɲini bɛ.\n"
             "SO [so] N maison; cheval; case.")
        << QStringList();
    // ʔ U+0294 is a letter, but none of the alphabet: the word has no letter file to go to.
    QTest::newRow("a word beginning outside the alphabet left out")
        << u("1\t\u0294a\t\u0294a\tNOUN\t_\t_\t0\troot\t_\tGloss=cela\n"
             "2\tba\tbá\tNOUN\t_\t_\t0\troot\t_\tGloss=mère\n")
        << u("BA [bá] N mère.") << QStringList();
    QTest::newRow("CR LF line ends")
        << u("# text = Ba.\r\n1\tBa\tbá\tNOUN\t_\t_\t0\troot\t_\tGloss=mère\r\n")
        << u("BA [bá] N mère.\n♦ Ba.") << QStringList();
    // TORA is an inflected form of the verb TO: it points to it and gives its example to
    // the verb, not to the noun of the same spelling. TORALEN, an inflected form of TORA,
    // points to TO too, since a reference is never the base of another.
    QTest::newRow("an inflected form points to the base word of its own kind")
        << u(R"(
1	to	tó	NOUN	_	_	0	root	_	Gloss=rester
2	to	tó	VERB	_	_	0	root	_	Gloss=rester

# text = A tora.
1	tora	tora	VERB	_	_	0	root	_	Gloss=rester|Morf=rester,PFV.INTR

1	toralen	toralen	VERB	_	_	0	root	_	Gloss=rester|Morf=rester,PFV.INTR,PTCP.RES)")
        << u("TO [tó] N rester.\nTO [tó] W rester.\n♦ A tora.\nTORA [tora] W => TO\n"
             "TORALEN [toralen] W => TO")
        << QStringList();
    QTest::newRow("a hand-written entry replaces the word's and is referred to")
        << u(R"(
1	to	tó	VERB	_	_	0	root	_	Gloss=rester

1	tora	tora	VERB	_	_	0	root	_	Gloss=rester|Morf=rester,PFV.INTR)")
        << u("TO [tó] W rester, demeurer.\n♦ A tora.\nTORA [tora] W => TO")
        << ul({"# the supplement's own entry", "TO [tó] W rester, demeurer.", "♦ A tora."});
}

void TestSampleDictionaryBuilder::entries()
{
    QFETCH(QString, treebank);
    QFETCH(QString, entries);
    QFETCH(QStringList, supplement);
    SampleDictionaryBuilder builder;
    builder.addTreebank(TreebankReader::parse(treebank));
    builder.addSupplement(handEditsFromLines(supplement, {}));
    QVector<Diagnostic> warnings;
    QCOMPARE(builder.sources(&warnings).entries.join(QLatin1Char('\n')), entries);
    QStringList shown;
    for (const Diagnostic &warning : qAsConst(warnings))
        shown.append(warning.toString());
    QCOMPARE(shown, QStringList());
}

void TestSampleDictionaryBuilder::localeNames()
{
    const QByteArray xml = R"(<ldml><localeDisplayNames>
 <languages><language type="fr">tubabukan</language><language type="fr" alt="short">x</language><language type="de">alimaɲikan</language></languages>
 <territories><territory type="ML">Mali</territory></territories>
 <territory type="FR">not among the territories</territory>
</localeDisplayNames>
<dates><calendars>
 <calendar type="generic"><months><monthContext type="format"><monthWidth type="wide"><month type="1">M01</month></monthWidth></monthContext></months></calendar>
 <calendar type="gregorian">
  <months><monthContext type="format"><monthWidth type="abbreviated"><month type="1">zan</month></monthWidth>
   <monthWidth type="wide"><month type="1">zanwuyekalo</month></monthWidth></monthContext></months>
  <days><dayContext type="format"><dayWidth type="wide"><day type="sun">kari</day></dayWidth></dayContext></days>
 </calendar>
</calendars></dates></ldml>)";
    QString error;
    const auto names = CldrNames::parse(xml, &error);
    QVERIFY2(names, qPrintable(error));
    QCOMPARE(*names, (CldrNames::Names{{u("language:fr"), u("tubabukan")},
                                       {u("language:de"), u("alimaɲikan")},
                                       {u("territory:ML"), u("Mali")},
                                       {u("month:1"), u("zanwuyekalo")},
                                       {u("day:sun"), u("kari")}}));
    QVERIFY(!CldrNames::parse("<ldml><languages>", &error));
}

namespace {

// The program's inputs as the test of its output has them.
const QMap<QString, QByteArray> &importInputs()
{
    static const QMap<QString, QByteArray> files{
        {u("tb.conllu"),
         R"(1	Ba	bá	NOUN	_	_	0	root	_	Gloss=mère
2	nyini	ɲíni	VERB	_	_	0	root	_	Gloss=chercher
)"},
        {u("bm.xml"), R"(<ldml><localeDisplayNames><languages>
<language type="fr">tubabukan</language><language type="de">alimaɲi|kan</language></languages>
<territories><territory type="ML">Mali</territory></territories></localeDisplayNames></ldml>)"},
        {u("en.xml"), R"(<ldml><localeDisplayNames><languages><language type="fr">French</language>
<language type="de">German</language></languages></localeDisplayNames></ldml>)"},
        {u("entries.txt"), R"(# the project's own entries
BA [ó] N fleuve.
[ò] bà: chèvre
ʃA [ó] N chef.
)"},
        {u("lexicon.txt"), "# comment\nƝƐ|devant\n"}};
    return files;
}

// Runs lexora-import in `dir` on the inputs written there, the given ones changed (an
// empty text: the file left out).
bool runImport(QProcess *tool, const QTemporaryDir &dir, const QMap<QString, QByteArray> &changed,
               const QStringList &args = ul({"tb.conllu", ".", ".", "src"}))
{
    QMap<QString, QByteArray> files = importInputs();
    for (auto file = changed.constBegin(); file != changed.constEnd(); ++file)
        files[file.key()] = *file;
    for (auto file = files.constBegin(); file != files.constEnd(); ++file)
        if (!file->isEmpty() && !testdata::writeFile(dir.filePath(file.key()), *file))
            return false;
    tool->setWorkingDirectory(dir.path());
    tool->start(QStringLiteral(LEXORA_IMPORT_TOOL), args);
    return tool->waitForFinished(30000);
}

} // namespace

// The program's files: the supplement's entries take the place of imported ones; lexicon
// rows come from the treebank's French glosses, the supplement and the locale names that
// have an English one and no "|", which would split their row. --help prints the usage and
// exits with 0.
void TestSampleDictionaryBuilder::importProgramWritesTheSources()
{
    QTemporaryDir dir;
    QProcess tool;
    QVERIFY(runImport(&tool, dir, {}));
    QCOMPARE(tool.exitCode(), 0);
    const auto read = [&](const char *name) {
        QFile file(dir.filePath(QStringLiteral("src/") + QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    // Headwords in search form (Л U+041B), lexicon words in plain capitals (Ɲ U+019D).
    QCOMPARE(read("headwords.txt"), u("BA\nЛINI\nʃA\n"));
    QCOMPARE(read("entries.txt"),
             u("BA [ó] N fleuve.\n[ò] bà: chèvre\nЛINI [ɲíni] W chercher.\nʃA [ó] N chef.\n"));
    QCOMPARE(read("lexicon.txt"),
             u("BA|mère\nƝƐ|devant\nƝINI|chercher\nTUBABUKAN|French (English)\n"));
    // The attribution the treebank's licence asks for, with the licence and its address.
    const QString about = read("about.txt");
    QVERIFY2(about.contains(u("UD Bambara-CRB treebank, K. Aplonova and F. M. Tyers (2018), "
                              "based on the Corpus Référence du Bambara")),
             qPrintable(about));
    QVERIFY(about.contains(u("CC BY-SA 4.0, https://creativecommons.org/licenses/by-sa/4.0/")));

    QVERIFY(runImport(&tool, dir, {}, ul({"--help"})));
    QCOMPARE(tool.exitCode(), 0);
    QVERIFY(tool.readAllStandardOutput().startsWith("Usage: lexora-import"));
}

// An input missing or unreadable: exit 2, the file named, nothing written.
void TestSampleDictionaryBuilder::importProgramRefusesWhatItCannotRead_data()
{
    QTest::addColumn<QString>("file");       // replaced by `content`
    QTest::addColumn<QByteArray>("content"); // empty: the file is missing
    QTest::addColumn<QString>("message");    // in the error output
    QTest::newRow("no treebank") << u("tb.conllu") << QByteArray() << u("tb.conllu");
    QTest::newRow("no Bambara locale file") << u("bm.xml") << QByteArray() << u("bm.xml");
    QTest::newRow("no English locale file") << u("en.xml") << QByteArray() << u("en.xml");
    QTest::newRow("supplement entries not UTF-8, its line named")
        << u("entries.txt") << QByteArray("BA [b\xc3\xa1] N a.\n\xff\n") << u("entries.txt:2: ");
    QTest::newRow("supplement lexicon not UTF-8, its line named")
        << u("lexicon.txt") << QByteArray("A|b\nB|\xff\n") << u("lexicon.txt:2: ");
    QTest::newRow("English locale file not well-formed, its name and line given")
        << u("en.xml") << QByteArray("<ldml>\n<languages>\n</ldml>\n") << u("en.xml: line 3: ");
}

void TestSampleDictionaryBuilder::importProgramRefusesWhatItCannotRead()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QProcess tool;
    QVERIFY(runImport(&tool, dir, {{file, content}}));
    const QString error = QString::fromUtf8(tool.readAllStandardError());
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(tool.exitCode(), 2);
    QVERIFY(!QFileInfo::exists(dir.filePath(u("src"))));
}

// A supplement folder that is not there: exit 2, the folder named, nothing written.
void TestSampleDictionaryBuilder::importProgramRefusesAMissingSupplement()
{
    QTemporaryDir dir;
    QProcess tool;
    QVERIFY(runImport(&tool, dir, {}, ul({"tb.conllu", ".", "nowhere", "src"})));
    const QString error = QString::fromUtf8(tool.readAllStandardError());
    QVERIFY2(error.contains(u("nowhere: not a directory")), qPrintable(error));
    QCOMPARE(tool.exitCode(), 2);
    QVERIFY(!QFileInfo::exists(dir.filePath(u("src"))));
}

QTEST_GUILESS_MAIN(TestSampleDictionaryBuilder)
#include "tst_sampledictionarybuilder.moc"
