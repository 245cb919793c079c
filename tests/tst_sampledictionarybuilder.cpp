// Making dictionary sources from a treebank, locale names and a hand-written supplement:
// what becomes a headword, an entry, a homograph, a cross-reference, an example and a
// lexicon row; and the lexora-import program. Treebanks are written as their files are:
// CoNLL-U, one token a line, its ten columns separated by tabs.

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
    return SampleDictionaryBuilder::exampleLine(sentence).value_or(QString());
}

// The words of `text`, separated by blanks, in the order of the alphabet.
QString sorted(const QString &text)
{
    QStringList words = text.split(QLatin1Char(' '));
    std::sort(words.begin(), words.end(), SampleDictionaryBuilder::comesBefore);
    return words.join(QLatin1Char(' '));
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
    void supplementAndLocaleNames();
    void localeNames();
    void importProgramWritesTheSources();
};

void TestSampleDictionaryBuilder::textRules_data()
{
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    const auto row = [](const char *name, Rule rule, const QString &text, const char *result) {
        QTest::newRow(name) << rule << text << u(result);
    };
    const Rule toneless = &SampleDictionaryBuilder::toneless;
    const Rule display = &SampleDictionaryBuilder::displayLemma;
    const Rule gloss = &SampleDictionaryBuilder::frenchGloss;
    row("toneless: acute and grave", toneless, u("bámuso"), "bamuso");
    row("toneless: tone on a special letter, dot", toneless, u("ɲɛ́.fɔ"), "ɲɛfɔ");
    row("toneless: decomposed", toneless, QStringLiteral("de\u0301n"), "den"); // combining acute
    row("toneless: caron", toneless, QStringLiteral("b\u01CEn"), "ban");       // a with caron
    row("toneless: no tone", toneless, u("kɔnɔ"), "kɔnɔ");
    row("display: tone kept, dot dropped", display, u("ɲɛ́.fɔ"), "ɲɛ́fɔ");
    row("display: decomposed made one", display, QStringLiteral("de\u0301n"), "dén");
    row("display: caron kept", display, QStringLiteral("b\u01CEn"), "bǎn");
    row("gloss: words joined by dots", gloss, u("oeuf.de.poule"), "oeuf de poule");
    row("gloss: apostrophe kept", gloss, u("globe.de.l'oeil"), "globe de l'oeil");
    row("gloss: grammatical", gloss, u("IPFV.AFF"), "");
    row("gloss: person and number", gloss, u("3SG"), "");
    row("gloss: bracket would open a head line", gloss, u("eau.[pure]"), "eau (pure)");
    row("gloss: mark-up character", gloss, u("a/b"), "");
    row("example: plain statement", example, u("A bɛ so kɔnɔ."), "♦ A bɛ so kɔnɔ.");
    row("example: first letter made capital", example, u("a bɛ taa."), "♦ A bɛ taa.");
    row("example: older spelling respelt", example, u("Nyama bè kònò."), "♦ Ɲama bɛ kɔnɔ.");
    row("example: brackets become parentheses", example, u("A [kelen] nana."), "♦ A (kelen) nana.");
    row("example: none without final dot", example, u("A nana!"), "");
    row("example: none of two sentences", example, u("A nana. A taara."), "");
    row("example: none with an ellipsis", example, u("A nana..."), "");
    row("example: none with heading marks", example, u("<>Den ɲuman.</>"), "");
    row("example: none with a quotation", example, u("A ko: “N bɛ taa”."), "");
    row("example: none with an exclamation inside", example, u("Ayi! A nana."), "");
    row("example: none with a slash, read as mark-up", example, u("A/B nana."), "");
    row("example: none too long", example, QStringLiteral("ka ").repeated(40) + QLatin1Char('.'),
        "");
    // ɛ after e, ɲ (Л U+041B) and ŋ after n, ɔ after o, ʃ after s.
    row("alphabet order", sorted, u("ʃA TA ƆA ЛA ŊA NA ƐA EA FA OA SA N"),
        "EA ƐA FA N NA ЛA ŊA OA ƆA SA ʃA TA");
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

    // A sentence gives examples only when it has a text.
    QTest::newRow("tone homographs, examples, a derived word; no grammatical word or heading")
        << u(R"(# text = Ba bɛ.
1	Ba	bá	NOUN	_	_	0	root	_	Gloss=mère
2	bɛ	bɛ	AUX	_	_	0	root	_	Gloss=IPFV.AFF
3	.	.	PUNCT	_	_	0	root	_	Gloss=.

# text = ba nyini bè.
1	ba	bà	NOUN	_	_	0	root	_	Gloss=chèvre
2	nyini	ɲíni	VERB	_	_	0	root	_	Gloss=chercher

# text = Musonin [kelen] nana.
1	Musonin	muso.nin	NOUN	_	_	0	root	_	Gloss=fillette|Morf=fillette,femme,DIM

# text = <>Muso</>
1	Muso	mùso	NOUN	_	_	0	root	_	Gloss=femme)")
        << u(R"(BA [bà] N chèvre.
♦ Ba ɲini bɛ.
BA [bá] N mère.
♦ Ba bɛ.
MUSO [mùso] N femme.
↓MUSONIN
MUSONIN [musonin] N fillette.
↑MUSO
♦ Musonin (kelen) nana.
ЛINI [ɲíni] W chercher.
♦ Ba ɲini bɛ.)");
    QTest::newRow("homographs: the most frequent first") << u(R"(
1	ba	bà	NOUN	_	_	0	root	_	Gloss=chèvre
2	Ba	bá	NOUN	_	_	0	root	_	Gloss=mère
3	Ba	bá	NOUN	_	_	0	root	_	Gloss=mère)")
                                                         << u("BA [bá] N mère.\nBA [bà] N chèvre.");
    QTest::newRow("an unmarked spelling joins the most frequent marked one")
        << u(R"(
1	ba	bá	NOUN	_	_	0	root	_	Gloss=mère
2	ba	bá	NOUN	_	_	0	root	_	Gloss=mère
3	ba	bà	NOUN	_	_	0	root	_	Gloss=chèvre
4	ba	ba	NOUN	_	_	0	root	_	Gloss=fille)")
        << u("BA [bá] N mère, fille.\nBA [bà] N chèvre.");
    QTest::newRow("at most three glosses, the most frequent first, then the first met")
        << u(R"(
1	so	so	NOUN	_	_	0	root	_	Gloss=cheval
2	so	so	NOUN	_	_	0	root	_	Gloss=maison
3	so	so	NOUN	_	_	0	root	_	Gloss=case
4	so	so	NOUN	_	_	0	root	_	Gloss=maison
5	so	so	NOUN	_	_	0	root	_	Gloss=demeure)")
        << u("SO [so] N maison, cheval, case.");
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
             "TORALEN [toralen] W => TO");
}

void TestSampleDictionaryBuilder::entries()
{
    QFETCH(QString, treebank);
    QFETCH(QString, entries);
    SampleDictionaryBuilder builder;
    builder.addTreebank(TreebankReader::parse(treebank));
    QCOMPARE(builder.sources().entries.join(QLatin1Char('\n')), entries);
}

// The supplement's entries take the place of imported ones; lexicon rows come from the
// treebank's French glosses, the supplement and the locale names that have an English one.
void TestSampleDictionaryBuilder::supplementAndLocaleNames()
{
    SampleDictionaryBuilder builder;
    builder.addTreebank(TreebankReader::parse(u(R"(
1	Ba	bá	NOUN	_	_	0	root	_	Gloss=mère
2	bɛ	bɛ	AUX	_	_	0	root	_	Gloss=IPFV.AFF
3	nyini	ɲíni	VERB	_	_	0	root	_	Gloss=chercher)")));
    // A name holding "|" would split its row.
    builder.addLocaleNames({{u("language:fr"), u("tubabukan")},
                            {u("language:de"), u("alimaɲi|kan")},
                            {u("day:mon"), u("ntɛnɛn")}},
                           {{u("language:fr"), u("French")}, {u("language:de"), u("German")}});
    builder.addSupplement(
        ul({"# the project's own entries", "BA [ó] N fleuve.", "[ò] bà: chèvre", "ʃA [ó] N chef."}),
        ul({"# comment", "ƝƐ|devant"}));
    const DictionarySources made = builder.sources();
    // Headwords in search form (Л U+041B), lexicon words in plain capitals (Ɲ U+019D).
    QCOMPARE(made.headwords, ul({"BA", "ЛINI", "ʃA"}));
    QCOMPARE(made.entries, ul({"BA [ó] N fleuve.", "[ò] bà: chèvre", "ЛINI [ɲíni] W chercher.",
                               "ʃA [ó] N chef."}));
    QCOMPARE(made.lexicon,
             ul({"BA|mère", "ƝƐ|devant", "ƝINI|chercher", "TUBABUKAN|French (English)"}));
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
    QCOMPARE(*names, (CldrNames::Names{{u("language:fr"), u("tubabukan")},
                                       {u("language:de"), u("alimaɲikan")},
                                       {u("territory:ML"), u("Mali")},
                                       {u("month:1"), u("zanwuyekalo")},
                                       {u("day:sun"), u("kari")}}));

    QVERIFY(!CldrNames::parse("<ldml><languages>", &error));
}

void TestSampleDictionaryBuilder::importProgramWritesTheSources()
{
    QTemporaryDir dir;
    const QMap<QString, QByteArray> files{
        {u("tb.conllu"), "# text = Ba bɛ.\n1\tBa\tbá\tNOUN\t_\t_\t0\troot\t_\tGloss=mère\n"},
        {u("cldr/bm.xml"), R"(<ldml><localeDisplayNames><languages>
<language type="fr">tubabukan</language></languages></localeDisplayNames></ldml>)"},
        {u("cldr/en.xml"), R"(<ldml><localeDisplayNames><languages>
<language type="fr">French</language></languages></localeDisplayNames></ldml>)"},
        {u("extra/entries.txt"), "ƐA [ó] N x.\n"},
        {u("extra/lexicon.txt"), ""}};
    for (auto file = files.constBegin(); file != files.constEnd(); ++file) {
        QVERIFY(QDir().mkpath(QFileInfo(dir.filePath(file.key())).path()));
        QVERIFY(testdata::writeFile(dir.filePath(file.key()), *file));
    }
    QProcess tool;
    tool.setWorkingDirectory(dir.path());
    tool.start(QStringLiteral(LEXORA_IMPORT_TOOL), ul({"tb.conllu", "cldr", "extra", "src"}));
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 0);
    const auto read = [&](const char *name) {
        QFile file(dir.filePath(QStringLiteral("src/") + QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    QCOMPARE(read("headwords.txt"), u("BA\nƐA\n"));
    QCOMPARE(read("entries.txt"), u("BA [bá] N mère.\n♦ Ba bɛ.\nƐA [ó] N x.\n"));
    QCOMPARE(read("lexicon.txt"), u("BA|mère\nTUBABUKAN|French (English)\n"));
}

QTEST_GUILESS_MAIN(TestSampleDictionaryBuilder)
#include "tst_sampledictionarybuilder.moc"
