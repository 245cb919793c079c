// Importing a LIFT dictionary: which elements, languages and relations make which parts of
// a record (the MDF test covers how records are written, tst_lexoradata the command), what
// is reported at which line, and malformed XML refused with line and column. Code points:
// U+025B/0190 small/capital open e, U+00F9 u grave, U+2022 bullet, U+2260 not equal to.

#include "liftimport.h"
#include "testdatafiles.h"

#include <QBuffer>
#include <QFile>
#include <QtTest>

using testdata::u;

class TestLiftImport : public QObject
{
    Q_OBJECT

private slots:
    void imports_data();
    void imports();
};

void TestLiftImport::imports_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("languages"); // analysis, vernacular; empty: by default
    QTest::addColumn<QString>("entries");       // none: the file is refused; then -- and reversals
    QTest::addColumn<QList<int>>("lines");      // of the problems reported
    QTest::addColumn<QString>("end");           // of the last one's message
    QTest::addColumn<QString>("about");         // the about lines, joined by "\n"
    const auto row = [](const char *name, const char *file, const QStringList &languages,
                        const char *entries, const QList<int> &lines, const char *end,
                        const char *about = "Imported from d.lift.") {
        QTest::newRow(name) << QByteArray(file) << languages << u(entries) << lines << u(end)
                            << (*entries ? u(about) : QString());
    };

    row("homographs by order, pronunciation, most frequent language, example",
        R"(<lift version="0.13">
<entry id="a" order="2"><lexical-unit><form lang="bm"><text>bá</text></form></lexical-unit>
<sense><grammatical-info value="Noun"/><gloss lang="fr"><text>chien</text></gloss><gloss lang="en"><text>dog</text></gloss>
<example><form lang="bm"><text>A bá</text></form><translation><form lang="fr"><text>Le chien.</text></form></translation></example></sense>
</entry>
<entry id="b" order="1"><lexical-unit><form lang="bm"><text>ba</text></form></lexical-unit>
<pronunciation><form lang="bm"><text>bà</text></form></pronunciation>
<sense><grammatical-info value="Verb"/><gloss lang="fr"><text>grandir</text></gloss><definition><form lang="fr"><text>devenir <span>grand</span></text></form></definition></sense>
</entry>
</lift>)",
        {}, "BA [bà] W grandir.\ndevenir grand\nBA [bá] N chien.\n♦ A bá. Le chien.", {3},
        "the analysis language is \"fr\" (--lang)");
    row("relations by entry and sense id, variant, unknown id, deleted entry, unused",
        R"(<lift version="0.13">
<entry id="m"><lexical-unit><form lang="bm"><text>muso</text></form></lexical-unit>
<variant><form lang="bm"><text>musow</text></form></variant>
<sense id="m1"><gloss lang="fr"><text>femme</text></gloss></sense>
</entry>
<entry id="mm"><lexical-unit><form lang="bm"><text>musoman</text></form></lexical-unit>
<relation type="_component-lexeme" ref="m1"/>
<relation type="synonym" ref="nobody"/>
<trait name="t" value="1"/>
<trait name="t" value="2"/>
<relation type="synonym" ref="d"/>
</entry>
<entry id="d" dateDeleted="2020-01-01T00:00:00Z"><lexical-unit><form lang="bm"><text>ba</text></form></lexical-unit>
</entry>
</lift>)",
        {}, "MUSO [muso] femme.\n↓MUSOMAN\nMUSOMAN [musoman]\n↑MUSO\nMUSOW [musow] => MUSO", {8, 9},
        "<trait> elements in <entry> are not imported: left out");
    row("a relation given in a sense", R"(<lift version="0.13">
<entry id="a"><lexical-unit><form lang="bm"><text>so</text></form></lexical-unit>
<sense id="a1"><gloss lang="fr"><text>maison</text></gloss><relation type="synonym" ref="b"/></sense>
</entry>
<entry id="b"><lexical-unit><form lang="bm"><text>bon</text></form></lexical-unit>
<sense><gloss lang="fr"><text>case</text></gloss></sense>
</entry>
</lift>)",
        {}, "BON [bon] case.\nSO [so] maison.\n\u2022 = BON", {}, "");
    row("languages chosen, glosses in others left out", R"(<lift version="0.13">
<entry id="a"><lexical-unit><form lang="bm"><text>x</text></form><form lang="bm-Latn"><text>ji</text></form></lexical-unit>
<sense><gloss lang="en"><text>water</text></gloss><gloss lang="fr"><text>eau</text></gloss><gloss lang="fr"><text>pluie</text></gloss></sense>
</entry>
</lift>)",
        {u("en"), u("bm-Latn")}, "JI [ji] water.", {3}, "the analysis language is \"en\" (--lang)");
    row("header description as the about text; senses and subsenses numbered, each keeping its "
        "example and definition",
        R"(<lift version="0.13">
<header><description><form lang="fr"><text>Dictionnaire bambara-français</text></form><form lang="en"><text>Version 2</text></form></description>
<ranges/></header>
<entry id="d"><lexical-unit><form lang="bm"><text>den</text></form></lexical-unit>
<sense><grammatical-info value="Noun"/><gloss lang="fr"><text>enfant</text></gloss>
<subsense><gloss lang="fr"><text>fils</text></gloss><example><form lang="bm"><text>A den</text></form><translation><form lang="fr"><text>Son fils.</text></form></translation></example></subsense>
<subsense><gloss lang="fr"><text>petit</text></gloss><definition><form lang="fr"><text>d'un animal</text></form></definition></subsense></sense>
<sense><gloss lang="fr"><text>fruit</text></gloss><gloss lang="en"><text>fruit</text></gloss></sense>
</entry>
</lift>)",
        {},
        "DEN [den] 1 N enfant; 1.1 fils; 1.2 petit; 2 fruit.\n1.1 ♦ A den. Son fils.\n"
        "1.2 d'un animal",
        {8}, "the analysis language is \"fr\" (--lang)",
        "Dictionnaire bambara-français\nVersion 2");
    // Nothing outside the file is read: an entity declared outside has no text, and one the
    // file does not declare keeps its name; each is reported at its line.
    row("entities that are not expanded", R"(<?xml version="1.0"?>
<!DOCTYPE lift SYSTEM "lift.dtd" [<!ENTITY xxe SYSTEM "file:///etc/hostname">]>
<lift version="0.13">
<entry id="a"><lexical-unit><form lang="bm"><text>ba</text></form></lexical-unit>
<sense><gloss lang="fr"><text>m&xxe;re</text></gloss>
<gloss lang="fr"><text>&undef;</text></gloss></sense></entry>
</lift>)",
        {}, "BA [ba] mre; &undef;.", {5, 6},
        "entity &undef; is not declared in the file, and nothing else is read: kept as its name");
    // A reversal's language is its form's, else its type.
    row("reversals in the analysis language, by form or by type",
        R"(<lift version="0.13">
<entry id="a"><lexical-unit><form lang="bm"><text>ba</text></form></lexical-unit>
<sense><gloss lang="fr"><text>mère</text></gloss>
<reversal type="fr"><form lang="fr"><text>maman</text></form></reversal>
<reversal type="fr"><form><text>mère</text></form></reversal>
<reversal type="en"><form lang="en"><text>mother</text></form></reversal></sense>
</entry>
</lift>)",
        {u("fr")}, "BA [ba] mère.\n--\nBA|maman\nBA|mère", {6},
        "the analysis language is \"fr\" (--lang)");
    // Expected entries written by hand from the file: citation form in the bracket, subsense
    // numbered under its sense, both gloss languages and the gloss without one, the marks of
    // synonyms and antonyms, the etymology and the typed note, the plural as a reference.
    QFile fieldWorks(QStringLiteral(LEXORA_FIXTURES "/fieldworks.lift"));
    QVERIFY(fieldWorks.open(QIODevice::ReadOnly));
    QTest::newRow("FieldWorks-style export with two analysis languages")
        << fieldWorks.readAll() << QStringList{u("en,fr")}
        << u("CEMAN [ceman] N adult woman.\nC\u0190 [c\u025B] N man; homme.\n"
             "MUSO [m\u00F9so] 1 N woman; femme; 1.1 wife.\n\u2022 = CEMAN\n\u2022 \u2260 C\u0190\n"
             "from Soninke: muusu, woman\ngrammar: plural musow\nMUSOW [musow] plural of => MUSO")
        << QList<int>{14} << u("<trait> elements in <entry> are not imported: left out")
        << u("Bambara test lexicon");
    // The column is the one just after where the XML reader stopped: after the wrong tag.
    row("malformed XML", "<lift>\n<entry id=\"a\">\n<lexical-unit></entry></lift>\n", {}, "", {3},
        " (column 23)");
    row("not LIFT", "<?xml version=\"1.0\"?>\n<html></html>\n", {}, "", {2},
        ": the root element is <html>, not <lift> (column 7)");
    row("no entry", "<lift>\n</lift>\n", {}, "", {0}, "d.lift: error: no entry to import");
}

void TestLiftImport::imports()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, languages);
    QFETCH(QString, entries);
    QFETCH(QList<int>, lines);
    QFETCH(QString, end);
    QFETCH(QString, about);
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    const ImportResult result = importLift(&buffer, QStringLiteral("d.lift"), ImportMap::standard(),
                                           {languages.value(0), languages.value(1)});
    QCOMPARE(result.usable, !entries.isEmpty());
    QCOMPARE(result.sources.entries.join(QLatin1Char('\n')) +
                 (result.sources.reversal.isEmpty()
                      ? QString()
                      : QStringLiteral("\n--\n") + result.sources.reversal.join(QLatin1Char('\n'))),
             entries);
    QCOMPARE(result.sources.about.join(QLatin1Char('\n')), about);
    QList<int> reported;
    for (const Diagnostic &problem : result.diagnostics)
        reported.append(problem.line);
    QCOMPARE(reported, lines);
    const QString last =
        result.diagnostics.isEmpty() ? QString() : result.diagnostics.constLast().toString();
    QVERIFY2(end.isEmpty() ? last.isEmpty() : last.endsWith(end), qPrintable(last));
}

QTEST_GUILESS_MAIN(TestLiftImport)
#include "tst_liftimport.moc"
