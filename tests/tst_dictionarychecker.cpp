// The checker of lexora-data: one broken dictionary per kind of problem, each reported
// with the right file, line and severity (unusable input is shown by "lexora-data check" in
// tst_lexoradata).

#include "alphabet.h"
#include "datafilenames.h"
#include "dictionarychecker.h"
#include "testdatafiles.h"

#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

// A small dictionary without any problem: three homographs, a cross-reference to an entry
// that is reached only through it, a word under q (Л U+041B, the capital of ɲ), tone
// group in brackets at the start of a continuation line, an about file whose
// parenthesis the viewer shows as a look-alike, and reversals: keys of the French index
// (ɲa matched by its search form ЛA).
testdata::Dictionary cleanDictionary()
{
    testdata::Dictionary dictionary = testdata::Dictionary::everyLetter();
    dictionary.headwords = ul({"BA", "BƆRA", "ЛA"});
    dictionary.lexicon = ul({"BA|mère", "ƝA|œil"});
    dictionary.letters[u("b")] = ul({"BA [ó] N mère.", "♦ Ba bɛ so kɔnɔ.", "BA [ò] N chèvre.",
                                     "BA [ó] N fleuve.", "BƆ [ó] W sortir.", "BƆRA [ò ó] W => BƆ"});
    dictionary.letters[u("q")] = ul({"ЛA [ó] N œil.", "[ò ó] ɲà: œil."});
    dictionary.about = ul({"Lexora (test)"});
    dictionary.reversal = ul({"BA|maman; mère", "ɲa|*"});
    return dictionary;
}

// The clean dictionary with lines (separated by "\n") added to the end of files
// ("entries.bna", "lexic.bna", "reversal.bna" or a letter).
testdata::Dictionary edited(std::initializer_list<std::pair<const char *, const char *>> added)
{
    testdata::Dictionary d = cleanDictionary();
    for (const auto &[file, text] : added) {
        const QString name = u(file);
        QStringList &lines = name == QLatin1String("entries.bna")    ? d.headwords
                             : name == QLatin1String("lexic.bna")    ? d.lexicon
                             : name == QLatin1String("reversal.bna") ? d.reversal
                                                                     : d.letters[name];
        lines += u(text).split(QLatin1Char('\n'));
    }
    return d;
}

} // namespace

Q_DECLARE_METATYPE(testdata::Dictionary)

class TestDictionaryChecker : public QObject
{
    Q_OBJECT

private slots:
    void problems_data();
    void problems();
};

void TestDictionaryChecker::problems_data()
{
    QTest::addColumn<testdata::Dictionary>("dictionary");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("fragment"); // of the first message

    const auto row = [](const char *name, const testdata::Dictionary &dictionary,
                        const QStringList &expected, const QString &fragment = {}) {
        QTest::newRow(name) << dictionary << expected << fragment;
    };
    row("clean dictionary", cleanDictionary(), {});
    row("listed headword without entry", edited({{"entries.bna", "DA"}}),
        ul({"entries.bna:4: error"}));
    row("entry in another letter file than its key's",
        edited({{"entries.bna", "KA"}, {"d", "KA [ò] TG marque de l'infinitif."}}),
        ul({"entries.bna:4: error", "d.bna:1: error"}), u("no entry in k.bna"));
    row("entry that no listed headword reaches", edited({{"b", "BI [ó] N herbe."}}),
        ul({"b.bna:7: warning"}));
    row("cross-references in a circle, reported once at its first member",
        edited({{"entries.bna", "KA\nKE\nKI"}, {"k", "KA [ó] => KE\nKE [ó] => KI\nKI [ó] => KA"}}),
        ul({"k.bna:1: error"}), u("KA => KE => KI => KA"));
    row("chain ending at a headword without entry",
        edited(
            {{"entries.bna", "MA\nMI"},
             {"m", "MA [ó] => MI\nMI [ó] => BIN\nMI [ò] N but the first entry is a reference."}}),
        ul({"m.bna:2: error"}));
    // ↑BA names an entry; ↓BUN none; ↑ЛA (under q) one: each word as the colouring draws it.
    row("related words that name no entry", edited({{"b", "↑BA ↓BUN, ↑ЛA"}}),
        ul({"b.bna:7: warning"}), u("related word ↓BUN names no entry"));
    row("homograph separated from its first entry", edited({{"b", "BA [ó] N fleuve."}}),
        ul({"b.bna:7: error"}), u("(line 1)"));
    row("continuation line with a bracket, read as a head line not in search form",
        edited({{"b", "♦ Ba bɛ [so] kɔnɔ."}}), ul({"b.bna:7: error"}));
    row("lexicon line without separator", edited({{"lexic.bna", "BO tête"}}),
        ul({"lexic.bna:3: error"}));
    row("reversal line without separator, and one of a word the lexicon lacks",
        edited({{"reversal.bna", "KO tête\nDA|bouche"}}),
        ul({"reversal.bna:3: error", "reversal.bna:4: warning"}),
        u("no \"|\" between the word and its reversal"));
    row("control character", edited({{"b", "♦ Ba\tbɛ so kɔnɔ."}}), ul({"b.bna:7: error"}));
    row("trailing blank", edited({{"lexic.bna", "BA|chèvre "}}), ul({"lexic.bna:3: warning"}));
    row("lines above the first head line",
        edited({{"entries.bna", "ZO"}, {"z", "♦ Zo.\nZO [ó] N x."}}), ul({"z.bna:1: warning"}));
    // The search field compares the headword as listed, blanks included.
    row("listed headword not in search form, and so listed twice",
        edited({{"entries.bna", "  ɲa"}}), ul({"entries.bna:4: error", "entries.bna:4: warning"}),
        u("headword \"  ɲa\" is not in search form, so the search field never finds it; write "
          "it as \"ЛA\""));
    row("headword listed twice", edited({{"entries.bna", "BA"}}), ul({"entries.bna:4: warning"}),
        u("headword \"BA\" is listed already at line 1"));
    row("empty headword", edited({{"entries.bna", ""}}), ul({"entries.bna:4: error"}),
        u("empty headword"));
    row("headword whose initial has no letter file", edited({{"entries.bna", "1BA"}}),
        ul({"entries.bna:4: error"}), u("no letter file"));

    // The colouring rules draw the text in front of the last "(" bold blue and the text in
    // front of the last "[" as a headword: meant only for a head line's own bracket.
    row("parenthesis after a gloss: the head line, tag and all, drawn as a headword",
        edited({{"d", "DA [ó] N aider (à -- mà)."}, {"entries.bna", "DA"}}),
        ul({"d.bna:1: warning"}),
        u("the text in front of the last \"(\" is coloured as a headword"));
    row("parenthesis in an example", edited({{"b", "♦ À bá dòn. C'est sa mère (la mère de lui)."}}),
        ul({"b.bna:7: warning"}));
    row("second bracket on a head line",
        edited({{"b", "BI [ó] N herbe [ò ó]."}, {"entries.bna", "BI"}}), ul({"b.bna:7: warning"}),
        u("in front of the last \"[\""));
    testdata::Dictionary withoutAbout = cleanDictionary();
    withoutAbout.about.clear();
    row("no about file", withoutAbout, ul({"about.bna: warning"}), u("no about file"));

    testdata::Dictionary d = edited({{"entries.bna", "KA\nKI"}, {"k", "KA [ó] => KE"}});
    for (int i = 0; i < 50000; ++i) // a chain checked once, not once per member
        d.letters[u("k")] << QStringLiteral("K%1 [\u00F3] => K%2").arg(i).arg(i + 1);
    d.letters[u("k")] << u("KI [ó] => K0") << u("K50000 [ó] => K0");
    row("a long chain into a circle, reported once at its first member", d,
        ul({"k.bna:1: error", "k.bna:2: error"}), u("cross-reference to \"KE\""));
}

void TestDictionaryChecker::problems()
{
    QFETCH(testdata::Dictionary, dictionary);
    QFETCH(QStringList, expected);
    QFETCH(QString, fragment);

    QTemporaryDir dir;
    QVERIFY(dictionary.writeTo(dir.path()));
    DictionaryChecker checker;
    const DictionaryChecker::Outcome outcome = checker.check(dir.path());
    QStringList messages, where; // where: "file:line: severity", the file without its directory
    for (const Diagnostic &d : checker.diagnostics()) {
        messages.append(d.toString());
        where.append(
            messages.constLast().mid(dir.path().size() + 1).section(QStringLiteral(": "), 0, 1));
    }
    QVERIFY2(where == expected, qPrintable(messages.join(QLatin1Char('\n'))));
    QCOMPARE(outcome, expected.isEmpty() ? DictionaryChecker::Outcome::Clean
                                         : DictionaryChecker::Outcome::Problems);
    if (!fragment.isEmpty())
        QVERIFY2(messages.constFirst().contains(fragment), qPrintable(messages.constFirst()));
}

QTEST_GUILESS_MAIN(TestDictionaryChecker)
#include "tst_dictionarychecker.moc"
