// Importing an MDF database: what records and fields become in the sources (so the entry
// writer both importers share), which lines are reported, and that what is written builds
// and checks clean; the command is run in tst_lexoradata. How the entry view colours what is
// written is read from the highlighter's formats. Code points: U+00E1 a acute, U+019D/0272
// capital/small n with left hook, U+0294 glottal stop, U+0301 combining acute, U+041B Cyrillic
// capital el, U+2026 ellipsis, U+2191/2193 up/down arrow, U+2666 black diamond suit, U+2045/2046
// left/right square bracket with quill, U+2768/2769 medium left/right parenthesis ornament,
// U+034F combining grapheme joiner, U+025B open e, U+00E9 e acute, U+00E0 a grave.

#include "alphabet.h"
#include "dictionarychecker.h"
#include "dictionarycompiler.h"
#include "entrylookup.h"
#include "highlighter.h"
#include "mdfimport.h"
#include "testdatafiles.h"
#include "textfile.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

// What a reader sees of each line in the entry view: its stretches drawn as a headword
// (bold), as an example (italic) or as a tag (dark red), "look:text" joined by " | ",
// the lines joined by "\n"; other colours are "colour".
QString looks(const QStringList &lines)
{
    QTextDocument document;
    Highlighter highlighter(&document);
    document.setPlainText(lines.join(QLatin1Char('\n')));
    highlighter.rehighlight();
    QStringList shown;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        QVector<QString> lookAt(text.size());
        for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
            const QTextCharFormat &f = range.format;
            const QString look = f.fontWeight() == QFont::Bold ? QStringLiteral("bold")
                                 : f.fontItalic()              ? QStringLiteral("example")
                                 : f.foreground().color() == QColor(Qt::darkRed)
                                     ? QStringLiteral("tag")
                                     : QStringLiteral("colour");
            for (int i = range.start; i < range.start + range.length && i < text.size(); ++i)
                lookAt[i] = look;
        }
        QStringList runs;
        for (int i = 0; i < text.size();) {
            int end = i;
            while (end < text.size() && lookAt.at(end) == lookAt.at(i))
                ++end;
            if (!lookAt.at(i).isEmpty())
                runs.append(lookAt.at(i) + QLatin1Char(':') + text.mid(i, end - i));
            i = end;
        }
        shown.append(runs.join(QStringLiteral(" | ")));
    }
    return shown.join(QLatin1Char('\n'));
}

} // namespace

class TestMdfImport : public QObject
{
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void colours_data();
    void colours();
    void pieces_data();
    void pieces();
    void sharedVariant();
    void rolesGivenByTheMap();
    void summary();
};

void TestMdfImport::records_data()
{
    QTest::addColumn<QString>("mdf");
    // headwords -- entries -- lexicon -- about, then -- reversal when there is one
    QTest::addColumn<QString>("sources");
    QTest::addColumn<QList<int>>("warnings"); // their lines

    QTest::newRow("header with a name as the about text, wrapped fields joined, part of speech "
                  "missing from table, unknown marker once, headword outside the alphabet")
        << u("\\_sh v3.0  400  MDF 4.0\n\\_DateStampHasFourDigitYear\n\\nm Bamanankan, v2\n\n\\lx "
             "ba\n"
             "\\ps xyz\n\\ge mother,\n  of a child\n\\nt said\nof goats too\n\\lx a\n\\dt 2020\n"
             "\\lx i\n\\dt 2021\n\\lx \u0294a\n\\lx \u0272a\n\\ge eye\n")
        << u("A\nBA\nI\n\u041BA\n--\nA [a]\nBA [ba] mother, of a child.\nsaid of goats too\nI [i]\n"
             "\u041BA [\u0272a] eye.\n--\nBA|mother, of a child\n\u019DA|eye\n--\nBamanankan, v2")
        << QList<int>{6, 12, 15};
    QTest::newRow(
        "homonyms in number order, tone marks composed, senses numbered as given or by "
        "place, sub-entry up and down, variant and main entry as references, a word "
        "to compare with its mark, reference to nothing left out, no header: the file named")
        << u("\\lx ba\u0301\n\\hm 2\n\\ps n\n\\ge goat\n\n\\lx ba\n\\hm 1\n\\ps n\n\\ge mother\n"
             "\\lx ta\n\\ps v\n\\sn 1\n\\ge go\n\\sn 2\n\\ge leave\n\\ps n\n\\ge going\n\\va tan\n"
             "\\cf taa\n\\se tali\n\\ps adj\n\\ge gone\n\\lx tara\n\\ps v\n\\mn ta\n"
             "\\lx sa\n\\ge left\n\\mn si\n")
        << u("BA\nSA\nTA\nTALI\nTAN\nTARA\n--\nBA [ba] N mother.\nBA [b\u00e1] N goat.\n"
             "SA [sa] left.\nTA [ta] 1 W go; 2 leave; 3 N going.\n\u2193TALI\n\u2022 cf. TAA\n"
             "TALI [tali] M gone.\n\u2191TA\nTAN [tan] => TA\nTARA [tara] W => TA\n--\n"
             "BA|mother\nBA|goat\nSA|left\nTA|go\nTA|leave\nTA|going\nTALI|gone\n--\n"
             "Imported from d.txt.")
        << QList<int>{28};
    // BA points to its own variant ZA, which points back: the circle is cut at the variant,
    // and then BA's reference, which would lead to nothing, is left out as well.
    QTest::newRow("a variant that is also the main entry: no reference left to nothing")
        << u("\\lx ba\n\\ge x\n\\va za\n\\mn za\n")
        << u("BA\n--\nBA [ba] x.\n--\nBA|x\n--\nImported from d.txt.") << QList<int>{3, 4};
    QTest::newRow("a sub-entry that cannot be filed, reported at its own line")
        << u("\\lx ba\n\\ge x\n\\se 1ka\n")
        << u("BA\n--\nBA [ba] x.\n--\nBA|x\n--\nImported from d.txt.") << QList<int>{3};
    QTest::newRow("homographs without number after the numbered ones; number 0 ignored")
        << u("\\lx ba\n\\ge first\n\\lx ba\n\\hm 1\n\\ge second\n\\lx ba\n\\hm 0\n\\ge third\n")
        << u("BA\n--\nBA [ba] second.\nBA [ba] first.\nBA [ba] third.\n--\n"
             "BA|second\nBA|first\nBA|third\n--\nImported from d.txt.")
        << QList<int>{7};
    QTest::newRow("numbered senses and sub-senses keep their definitions and examples")
        << u("\\lx d\u00E9n\n\\ps n\n\\sn 1.1\n\\ge enfant\n\\de (fils, fille, neveu)\n"
             "\\xv Den b\u025B kasi.\n\\xe L'enfant pleure.\n\\sn 1.2\n\\ge petit\n"
             "\\de (d'un animal)\n\\sn 2\n\\ge fruit\n\\sn 3\n\\ge fructification\n"
             "\\xv Jiri den.\n\\xe Le fruit de l'arbre.\n\\nt Said of people.\n")
        << u("DEN\n--\nDEN [d\u00E9n] 1.1 N enfant; 1.2 petit; 2 fruit; 3 fructification.\n"
             "1.1 \u2768fils, fille, neveu\u2769\n1.1 \u2666 Den b\u025B kasi. L'enfant pleure.\n"
             "1.2 \u2768d'un animal\u2769\n3 \u2666 Jiri den. Le fruit de l'arbre.\n"
             "Said of people.\n--\nDEN|enfant\nDEN|petit\nDEN|fruit\nDEN|fructification\n--\n"
             "Imported from d.txt.")
        << QList<int>{};
    QTest::newRow("one sense, though numbered: no number, examples before definitions")
        << u("\\lx ji\n\\sn 1\n\\ge eau\n\\de liquide\n\\xv Ji don.\n\\xe C'est de l'eau.\n")
        << u("JI\n--\nJI [ji] eau.\n\u2666 Ji don. C'est de l'eau.\nliquide\n--\nJI|eau\n--\n"
             "Imported from d.txt.")
        << QList<int>{};
    // \re and \rn give the French index's keys, each field once; "*" keeps a word out.
    QTest::newRow("reversals: each field a row, \"*\" kept, \"|\" written as \"/\"")
        << u("\\lx ba\n\\ge mother\n\\re m\u00E8re; maman\n\\rn m\u00E8re|ma\n\\re m\u00E8re; "
             "maman\n"
             "\\lx da\n\\ge mouth\n\\re *\n")
        << u("BA\nDA\n--\nBA [ba] mother.\nDA [da] mouth.\n--\nBA|mother\nDA|mouth\n--\n"
             "Imported from d.txt.\n--\nBA|m\u00E8re; maman\nBA|m\u00E8re/ma\nDA|*")
        << QList<int>{4};
    // Line 1 of both files: the ellipsis (index 12 of the head line, 7 of the lexicon row) takes
    // key digit 1 ((1 + i) mod 5 = 3), stored as U+2022; head lines are reported at their record.
    // Each entry keeps its texts' lines packed (numbers of seven bits a byte): line 301 takes
    // two bytes.
    QTest::newRow("a gloss holding \"|\" far into the file, reported at its line")
        << QString(299, QLatin1Char('\n')) + u("\\lx ba\n\\ge a|b\n")
        << u("BA\n--\nBA [ba] a|b.\n--\nBA|a/b\n--\nImported from d.txt.") << QList<int>{301};
    QTest::newRow("unstorable ellipsis written as three dots, brackets as look-alikes")
        << u("\\lx so\n\\ge wait\u2026\n\\xv A [so] ka bon.\n\\xe His house is big.\n")
        << u("SO\n--\nSO [so] wait....\n\u2666 A \u2045so\u2046 ka bon. His house is big.\n--\n"
             "SO|wait...\n--\nImported from d.txt.")
        << QList<int>{1, 2};
    // U+10000 is D800 DC00; at index 8 of line 1 of entries.txt (key digit 3) and index 3 of
    // line 1 of lexicon.txt (the same digit) D800 is stored as D7FE and DC00, unmoved, would
    // be left unpaired: the character goes whole.
    QTest::newRow("a character stored as a broken surrogate pair is left out whole")
        << u("\\lx ba\n\\ge \U00010000\n")
        << u("BA\n--\nBA [ba] .\n--\nBA|\n--\nImported from d.txt.") << QList<int>{1, 2};
    // Line 2 of entries.txt: index 1 takes key digit 1 ((2 + 1) mod 5 = 3).
    QTest::newRow("a translation without its example is reported at its own line")
        << u("\\lx so\n\\ge x\n\\xe a\u2026\n")
        << u("SO\n--\nSO [so] x.\na...\n--\nSO|x\n--\nImported from d.txt.") << QList<int>{3};
}

void TestMdfImport::records()
{
    QFETCH(QString, mdf);
    QFETCH(QString, sources);
    QFETCH(QList<int>, warnings);
    const ImportResult result = importMdf(mdf, QStringLiteral("d.txt"), ImportMap::standard());
    const QStringList files{QStringLiteral("--")}; // between the files
    const DictionarySources &made = result.sources;
    QCOMPARE((made.headwords.lines() + files + made.entries.lines() + files + made.lexicon.lines() +
              files + made.about.lines() +
              (made.reversal.isEmpty() ? QStringList() : files + made.reversal.lines()))
                 .join(QLatin1Char('\n')),
             sources);
    QList<int> lines;
    for (const Diagnostic &warning : result.diagnostics)
        lines.append(warning.severity == Diagnostic::Warning ? warning.line : -1);
    QCOMPARE(lines, warnings);

    QTemporaryDir dir;
    const QString res = dir.filePath(QStringLiteral("res"));
    QVERIFY(testdata::writeFile(dir.filePath(u("headwords.txt")), made.headwords.bytes()));
    QVERIFY(testdata::writeFile(dir.filePath(u("entries.txt")), made.entries.bytes()));
    QVERIFY(testdata::writeFile(dir.filePath(u("lexicon.txt")), made.lexicon.bytes()));
    QVERIFY(testdata::writeFile(dir.filePath(u("about.txt")), made.about.bytes()));
    QVERIFY(made.reversal.isEmpty() ||
            testdata::writeFile(dir.filePath(u("reversal.txt")), made.reversal.bytes()));
    DictionaryCompiler compiler;
    QString error;
    QVERIFY(replaceDirectory({res, DictionaryCompiler::dataFileNames(), {}},
                             DictionaryCompiler::encode(compiler.compile(dir.path())), &error));
    QVERIFY(compiler.diagnostics().isEmpty());
    DictionaryChecker checker;
    QCOMPARE(checker.check(res), DictionaryChecker::Outcome::Clean);
}

// Parentheses and brackets in a gloss, a definition and an example colour nothing: the head
// line keeps its headword and tag, the example its look, the rest stays plain.
void TestMdfImport::colours_data()
{
    QTest::addColumn<QString>("mdf");
    QTest::addColumn<QString>("looks");

    QTest::newRow("gloss with a parenthesis after text and a tone group")
        << u("\\lx d\u025Bm\u025B\n\\ps v\n\\ge aider (à -- mà) (ò)\n")
        << u("bold:D\u0190M\u0190  | tag:W");
    QTest::newRow("definition holding brackets, a tag word and slashes")
        << u("\\lx den\n\\ps n\n\\ge enfant\n\\de D'un animal [petit] et/ou /jeune/\n")
        << u("bold:DEN  | tag:N\n");
    QTest::newRow("example holding a parenthesis in its translation and a bracket")
        << u("\\lx ba\n\\ps n\n\\ge m\u00E8re\n\\xv \u00C0 [b\u00E1] d\u00F2n.\n"
             "\\xe C'est sa m\u00E8re (la m\u00E8re de lui).\n")
        << u("bold:BA  | tag:N\nexample:\u2666 \u00C0 \u2045b\u00E1\u2046 d\u00F2n.");
}

void TestMdfImport::colours()
{
    QFETCH(QString, mdf);
    QFETCH(QString, looks);
    const ImportResult result = importMdf(mdf, QStringLiteral("d.txt"), ImportMap::standard());
    QCOMPARE(::looks(result.sources.entries.lines()), looks);
}

// A file is read a piece of whole lines at a time; what it holds is read as a whole.
void TestMdfImport::pieces_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("flaw"); // "line:column", or empty

    QTest::newRow("line ends of every kind across pieces")
        << QByteArray("\\lx ba\r\n\\ge one\r\\lx da\n\\ge two\n  more\n")
        << u("BA [ba] one.\nDA [da] two more.") << QString();
    QTest::newRow("a byte-order mark at the start only: later, a character of the line")
        << QByteArray("\xEF\xBB\xBF\\lx ba\n\\ge one\n\xEF\xBB\xBF\\lx da\n")
        << u("BA [ba] one \uFEFF\\lx da.") << QString(); // U+FEFF zero width no-break space
    QTest::newRow("a flaw in a later piece at its own line and column")
        << QByteArray("\\lx ba\n\\ge one\n\\ge t\xFFo\n") << QString() << u("3:6");
}

void TestMdfImport::pieces()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, entries);
    QFETCH(QString, flaw);
    QTemporaryDir dir;
    const QString path = dir.filePath(u("d.txt"));
    QVERIFY(testdata::writeFile(path, file));
    TextReadReport report;
    const ImportResult result =
        importMdfFile(path, ImportMap::standard(), TextEncoding::Unicode, &report, 4);
    QCOMPARE(result.sources.entries.join(QLatin1Char('\n')), entries);
    QString found;
    for (const TextFlaw &f : qAsConst(report.flaws))
        found += QStringLiteral("%1:%2").arg(f.line).arg(f.column);
    QCOMPARE(found, flaw);
    QCOMPARE(result.usable, flaw.isEmpty());
}

// A spelling that two headwords list as their variant: the viewer's lookup of it shows both,
// where a reference could lead to one only; a variant listed twice by homographs of one
// headword stays a reference, and nothing is reported.
void TestMdfImport::sharedVariant()
{
    const ImportResult result = importMdf(
        u("\\lx ta\n\\ge go\n\\va tan\n\\lx taga\n\\ge walk\n\\va tan\n"
          "\\lx so\n\\hm 1\n\\ge house\n\\va sow\n\\lx so\n\\hm 2\n\\ge horse\n\\va sow\n"),
        QStringLiteral("d.txt"), ImportMap::standard());
    QVERIFY(result.diagnostics.isEmpty());
    LetterTexts letters;
    for (const QString &line : result.sources.entries.lines())
        letters[letterKey(headLineHeadword(line).toString())] += line + QLatin1Char('\n');
    QCOMPARE(lookUpWord(letters, u("TAN")).text,
             u("TAN [tan] variant of \u2191TA \u2191TAGA\n\n")); // the last line of its letter text
    QCOMPARE(lookUpWord(letters, u("SOW")).text, u("SO [so] house.\nSO [so] horse.\n"));
}

// Markers the built-in map does not know, given the roles of related words by a map file:
// the words a headword comes from (↑) and those that come from it (↓).
void TestMdfImport::rolesGivenByTheMap()
{
    ImportMap map = ImportMap::standard();
    QVERIFY(map.read({u("\\from up"), u("\\gives down")}, u("m.map")).isEmpty());
    const ImportResult result =
        importMdf(u("\\lx bamuso\n\\ge mother\n\\from ba\n\\gives bamusoden\n"),
                  QStringLiteral("d.txt"), map);
    QCOMPARE(result.sources.entries.lines(),
             ul({"BAMUSO [bamuso] mother.", "\u2191BA", "\u2193BAMUSODEN"}));
}

// The closing line counts what was read and written, the fields ignored by marker and the
// texts whose mark-up characters became look-alikes (a gloss's; the lexicon keeps its own).
void TestMdfImport::summary()
{
    const ImportResult result =
        importMdf(u("\\lx ba\n\\ge mother (of)\n\\dt 2020\n\\lx da\n\\dt 2021\n\\ge x\n"),
                  QStringLiteral("d.txt"), ImportMap::standard());
    QCOMPARE(result.summary.text(QStringLiteral("d.txt")),
             u("d.txt: 2 records read, 2 entries written under 2 headwords, 2 lexicon rows; "
               "fields ignored: \\dt 2; texts with mark-up characters written as look-alikes: 1"));
}

QTEST_MAIN(TestMdfImport)
#include "tst_mdfimport.moc"
