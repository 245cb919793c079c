// Importing a LIFT dictionary: which elements, languages and relations make which parts of
// a record (the MDF test covers how records are written, tst_lexoradata the command), and
// malformed XML refused with line and column.

#include "liftimport.h"
#include "testdatafiles.h"

#include <QBuffer>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

ImportResult import(QByteArray xml, const QStringList &languages = {})
{
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    return importLift(&buffer, QStringLiteral("d.lift"), ImportMap::standard(),
                      {languages.value(0), languages.value(1)});
}

} // namespace

class TestLiftImport : public QObject
{
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void malformed_data();
    void malformed();
};

void TestLiftImport::entries_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("languages"); // analysis, vernacular; empty: by default
    QTest::addColumn<QString>("sources");       // entries -- lexicon
    QTest::addColumn<QList<int>>("warnings");   // their lines

    // Line 1 is <lift>, then the body's lines from 2 on.
    QTest::newRow("homographs by order, pronunciation, most frequent language, example")
        << u(R"(<entry id="a" order="2"><lexical-unit><form lang="bm"><text>bá</text></form></lexical-unit>
<sense><grammatical-info value="Noun"/><gloss lang="fr"><text>chien</text></gloss><gloss lang="en"><text>dog</text></gloss>
<example><form lang="bm"><text>A bá</text></form><translation><form lang="fr"><text>Le chien.</text></form></translation></example></sense>
</entry>
<entry id="b" order="1"><lexical-unit><form lang="bm"><text>ba</text></form></lexical-unit>
<pronunciation><form lang="bm"><text>bà</text></form></pronunciation>
<sense><grammatical-info value="Verb"/><gloss lang="fr"><text>grandir</text></gloss><definition><form lang="fr"><text>devenir <span>grand</span></text></form></definition></sense>
</entry>
)") << QStringList()
        << u("BA [bà] W grandir.\ndevenir grand\nBA [bá] N chien.\n♦ A bá. Le chien.\n--\n"
             "BA|grandir\nBA|chien")
        << QList<int>{3};
    QTest::newRow("relations by entry and sense id, variant, unknown id, deleted entry, unused")
        << u(R"(<entry id="m"><lexical-unit><form lang="bm"><text>muso</text></form></lexical-unit>
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
)") << QStringList()
        << u("MUSO [muso] femme.\n↓MUSOMAN\nMUSOMAN [musoman]\n↑MUSO\nMUSOW [musow] => MUSO\n--\n"
             "MUSO|femme")
        << QList<int>{8, 9};
    QTest::newRow("languages chosen, glosses in others left out")
        << u(R"(<entry id="a"><lexical-unit><form lang="bm"><text>x</text></form><form lang="bm-Latn"><text>ji</text></form></lexical-unit>
<sense><gloss lang="en"><text>water</text></gloss><gloss lang="fr"><text>eau</text></gloss><gloss lang="fr"><text>pluie</text></gloss></sense>
</entry>
)") << ul({"en", "bm-Latn"})
        << u("JI [ji] water.\n--\nJI|water") << QList<int>{3};
}

void TestLiftImport::entries()
{
    QFETCH(QString, body);
    QFETCH(QStringList, languages);
    QFETCH(QString, sources);
    QFETCH(QList<int>, warnings);
    const ImportResult result =
        import("<lift version=\"0.13\">\n" + body.toUtf8() + "</lift>\n", languages);
    QCOMPARE((result.sources.entries + QStringList{QStringLiteral("--")} + result.sources.lexicon)
                 .join(QLatin1Char('\n')),
             sources);
    QList<int> lines;
    for (const Diagnostic &warning : result.diagnostics)
        lines.append(warning.line);
    QCOMPARE(lines, warnings);
}

void TestLiftImport::malformed_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("end"); // of the one error, after the XML reader's words

    // The column is the one just after where the reader stopped: after the wrong tag.
    QTest::newRow("mismatched end tag")
        << QByteArray("<lift>\n<entry id=\"a\">\n<lexical-unit></entry></lift>\n") << 3
        << QStringLiteral(" (column 23)");
    QTest::newRow("cut off") << QByteArray("<lift>\n<entry id=\"a\">\n") << 3
                             << QStringLiteral(" (column 1)");
    QTest::newRow("not LIFT") << QByteArray("<?xml version=\"1.0\"?>\n<html></html>\n") << 2
                              << QStringLiteral(
                                     ": the root element is <html>, not <lift> (column 7)");
    QTest::newRow("no entry") << QByteArray("<lift>\n</lift>\n") << 0
                              << QStringLiteral("d.lift: error: no entry to import");
}

void TestLiftImport::malformed()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, line);
    QFETCH(QString, end);
    const ImportResult result = import(xml);
    QVERIFY(!result.usable);
    QCOMPARE(result.diagnostics.size(), 1);
    QCOMPARE(result.diagnostics.first().line, line);
    QVERIFY2(result.diagnostics.first().toString().endsWith(end),
             qPrintable(result.diagnostics.first().toString()));
}

QTEST_GUILESS_MAIN(TestLiftImport)
#include "tst_liftimport.moc"
