// The checker of lexora-data: one broken dictionary per kind of problem, each reported
// with the right file, line and severity (unusable input is shown by "lexora-data check" in
// tst_lexoradata).

#include "datafilenames.h"
#include "dictionarychecker.h"
#include "testdatafiles.h"

#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

// A small dictionary without any problem: homographs, a cross-reference to an entry that is
// reached only through it, and a word under q (Л U+041B, the capital of ɲ).
testdata::Dictionary cleanDictionary()
{
    testdata::Dictionary dictionary;
    dictionary.headwords = ul({"BA", "BƆRA", "ЛA"});
    dictionary.lexicon = ul({"BA|mère", "ƝA|œil"});
    for (const QChar letter : dictionaryAlphabet())
        dictionary.letters.insert(QString(letter), {});
    dictionary.letters[u("b")] = ul({"BA [ó] N mère.", "♦ Ba bɛ so kɔnɔ.", "BA [ò] N chèvre.",
                                     "BƆ [ó] W sortir.", "BƆRA [ò ó] W => BƆ"});
    dictionary.letters[u("q")] = ul({"ЛA [ó] N œil."});
    return dictionary;
}

// A change of the clean dictionary: in `file` ("entries.bna", "lexic.bna" or a letter),
// `text` (lines separated by "\n") takes the place of line `line`, or is appended when
// `line` is 0.
struct Edit
{
    const char *file;
    int line;
    const char *text;
};

testdata::Dictionary edited(std::initializer_list<Edit> edits)
{
    testdata::Dictionary d = cleanDictionary();
    for (const Edit &edit : edits) {
        const QString file = u(edit.file);
        QStringList &lines = file == QLatin1String("entries.bna") ? d.headwords
                             : file == QLatin1String("lexic.bna") ? d.lexicon
                                                                  : d.letters[file];
        const QStringList text = u(edit.text).split(QLatin1Char('\n'));
        if (edit.line == 0)
            lines += text;
        else
            lines = lines.mid(0, edit.line - 1) + text + lines.mid(edit.line);
    }
    return d;
}

// "file:line:severity" of each diagnostic, the file without its directory.
QStringList where(const QVector<Diagnostic> &diagnostics)
{
    QStringList places;
    for (const Diagnostic &d : diagnostics) {
        places.append(QFileInfo(d.file).fileName() + QLatin1Char(':') + QString::number(d.line) +
                      (d.severity == Diagnostic::Error ? QStringLiteral(":error")
                                                       : QStringLiteral(":warning")));
    }
    return places;
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
    row("listed headword without entry", edited({{"entries.bna", 0, "DA"}}),
        ul({"entries.bna:4:error"}));
    row("entry in another letter file than its key's",
        edited({{"entries.bna", 0, "KA"}, {"d", 0, "KA [ò] TG marque de l'infinitif."}}),
        ul({"entries.bna:4:error", "d.bna:1:error"}), u("no entry in k.bna"));
    row("entry that no listed headword reaches", edited({{"b", 0, "BI [ó] N herbe."}}),
        ul({"b.bna:6:warning"}));
    row("cross-reference to a headword without entry",
        edited({{"entries.bna", 0, "BI"}, {"b", 0, "BI [ó] W => BIW"}}), ul({"b.bna:6:error"}));
    row("cross-reference without target", edited({{"entries.bna", 0, "BI"}, {"b", 0, "BI [ó] =>"}}),
        ul({"b.bna:6:error"}));
    row("cross-references in a circle, reported once at its first member",
        edited({{"entries.bna", 0, "KA\nKE\nKI"},
                {"k", 0, "KA [ó] => KE\nKE [ó] => KI\nKI [ó] => KA"}}),
        ul({"k.bna:1:error"}), u("KA => KE => KI => KA"));
    row("cross-reference to itself",
        edited({{"entries.bna", 0, "KO\nKA"}, {"k", 0, "KO [ó] N cour.\nKA [ó] => KA"}}),
        ul({"k.bna:2:error"}));
    row("chain ending at a headword without entry",
        edited({{"entries.bna", 0, "MA\nMI"},
                {"m", 0,
                 "MA [ó] => MI\nMI [ó] => BIN\nMI [ò] N but the first entry is a reference."}}),
        ul({"m.bna:2:error"}));
    row("homograph separated from its first entry", edited({{"b", 0, "BA [ó] N fleuve."}}),
        ul({"b.bna:6:error"}), u("(line 1)"));
    row("third homograph right after the others",
        edited({{"b", 3, "BA [ó] N fleuve.\nBA [ò] N chèvre."}}), {});
    row("listed headword not in search form", edited({{"entries.bna", 3, "ɲa"}}),
        ul({"entries.bna:3:error"}), u("write it as \"ЛA\""));
    row("head line not in search form", edited({{"b", 0, "Bi [ó] N herbe."}}),
        ul({"b.bna:6:error"}));
    row("head line without blank before its bracket", edited({{"b", 0, "BI[ó] N herbe."}}),
        ul({"b.bna:6:error"}));
    row("bracket inside a continuation line", edited({{"b", 2, "♦ Ba bɛ [so] kɔnɔ."}}),
        ul({"b.bna:2:error", "b.bna:3:error"}));
    row("lexicon line without separator", edited({{"lexic.bna", 0, "BO tête"}}),
        ul({"lexic.bna:3:error"}));
    row("control character", edited({{"b", 2, "♦ Ba\tbɛ so kɔnɔ."}}), ul({"b.bna:2:error"}));
    row("control character in the lexicon", edited({{"lexic.bna", 1, "BA|mère\a"}}),
        ul({"lexic.bna:1:error"}));
    row("trailing blank", edited({{"b", 4, "BƆ [ó] W sortir. "}}), ul({"b.bna:4:warning"}));
    row("headword listed twice", edited({{"entries.bna", 0, "BA"}}), ul({"entries.bna:4:warning"}));
    row("lines above the first head line",
        edited({{"entries.bna", 0, "ZO"}, {"z", 0, "♦ Zo.\nZO [ó] N x."}}),
        ul({"z.bna:1:warning"}));
    row("listed headword with blanks, which the search field never finds",
        edited({{"entries.bna", 0, "  BA"}}), ul({"entries.bna:4:error", "entries.bna:4:warning"}),
        u("headword \"  BA\" is not in search form"));
    row("empty headword", edited({{"entries.bna", 0, ""}}), ul({"entries.bna:4:error"}),
        u("empty headword"));
    row("headword whose initial has no letter file", edited({{"entries.bna", 0, "1BA"}}),
        ul({"entries.bna:4:error"}), u("no letter file"));

    testdata::Dictionary d = edited({{"entries.bna", 0, "KA\nKI"}, {"k", 0, "KA [ó] => KE"}});
    for (int i = 0; i < 50000; ++i) // a chain checked once, not once per member
        d.letters[u("k")] << QStringLiteral("K%1 [\u00F3] => K%2").arg(i).arg(i + 1);
    d.letters[u("k")] << u("KI [ó] => K0") << u("K50000 [ó] => K0");
    row("a long chain into a circle, reported once at its first member", d,
        ul({"k.bna:1:error", "k.bna:2:error"}), u("cross-reference to \"KE\""));
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
    QStringList messages;
    for (const Diagnostic &d : checker.diagnostics())
        messages.append(d.toString());
    QVERIFY2(where(checker.diagnostics()) == expected,
             qPrintable(messages.join(QLatin1Char('\n'))));
    QCOMPARE(outcome, expected.isEmpty() ? DictionaryChecker::Outcome::Clean
                                         : DictionaryChecker::Outcome::Problems);
    if (!fragment.isEmpty())
        QVERIFY2(messages.constFirst().contains(fragment), qPrintable(messages.constFirst()));
}

QTEST_GUILESS_MAIN(TestDictionaryChecker)
#include "tst_dictionarychecker.moc"
