// The checker of lexora-data: one broken dictionary per kind of problem, each reported
// with the right file, line and severity, and the exit status of "lexora-data check".

#include "datafilenames.h"
#include "dictionarychecker.h"
#include "testdatafiles.h"

#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

// A small dictionary without any problem: homographs, a cross-reference and a word
// under q (Л U+041B, the capital of ɲ).
testdata::Dictionary cleanDictionary()
{
    testdata::Dictionary dictionary;
    dictionary.headwords = QStringList{QStringLiteral("BA"), QStringLiteral("BƆ"),
                                       QStringLiteral("BƆRA"), QStringLiteral("\u041BA")};
    dictionary.lexicon = QStringList{QStringLiteral("BA|mère"), QStringLiteral("\u019DA|œil")};
    for (const QChar letter : dictionaryAlphabet())
        dictionary.letters.insert(QString(letter), {});
    dictionary.letters[QStringLiteral("b")] = QStringList{
        QStringLiteral("BA [ó] N mère."),     QStringLiteral("♦ Ba bɛ so kɔnɔ."),
        QStringLiteral("BA [ò] N chèvre."),   QStringLiteral("BƆ [ó] W sortir."),
        QStringLiteral("BƆRA [ò ó] W => BƆ"),
    };
    dictionary.letters[QStringLiteral("q")] = QStringList{QStringLiteral("\u041BA [ó] N œil.")};
    return dictionary;
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

QStringList &letter(testdata::Dictionary &dictionary, const char *key)
{
    return dictionary.letters[QString::fromUtf8(key)];
}

} // namespace

Q_DECLARE_METATYPE(testdata::Dictionary)

class TestDictionaryChecker : public QObject
{
    Q_OBJECT

private slots:
    void problems_data();
    void problems();
    void unusableInput_data();
    void unusableInput();
};

void TestDictionaryChecker::problems_data()
{
    QTest::addColumn<testdata::Dictionary>("dictionary");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("fragment"); // of the first message

    QTest::newRow("clean dictionary") << cleanDictionary() << QStringList() << QString();

    testdata::Dictionary d = cleanDictionary();
    d.headwords.append(QStringLiteral("DA"));
    QTest::newRow("listed headword without entry") << d << ul({"entries.bna:5:error"}) << QString();

    d = cleanDictionary();
    d.headwords.append(QStringLiteral("KA"));
    letter(d, "d") = QStringList{QStringLiteral("KA [ò] TG marque de l'infinitif.")};
    QTest::newRow("entry in another letter file than its key's")
        << d << ul({"entries.bna:5:error", "d.bna:1:error"}) << u("no entry in k.bna");

    d = cleanDictionary();
    letter(d, "b").append(QStringLiteral("BI [ó] N herbe."));
    QTest::newRow("entry that no listed headword reaches")
        << d << ul({"b.bna:6:warning"}) << QString();

    d = cleanDictionary();
    d.headwords.removeAll(QStringLiteral("BƆ"));
    QTest::newRow("entry reached only through a cross-reference")
        << d << QStringList() << QString();

    d = cleanDictionary();
    letter(d, "b")[4] = QStringLiteral("BƆRA [ò ó] W => BƆW");
    QTest::newRow("cross-reference to a headword without entry")
        << d << ul({"b.bna:5:error"}) << QString();

    d = cleanDictionary();
    letter(d, "b")[4] = QStringLiteral("BƆRA [ò ó] W =>");
    QTest::newRow("cross-reference without target") << d << ul({"b.bna:5:error"}) << QString();

    d = cleanDictionary();
    d.headwords << QStringLiteral("KA") << QStringLiteral("KE") << QStringLiteral("KI");
    letter(d, "k") = QStringList{QStringLiteral("KA [ó] => KE"), QStringLiteral("KE [ó] => KI"),
                                 QStringLiteral("KI [ó] => KA")};
    QTest::newRow("cross-references in a circle, reported once at its first member")
        << d << ul({"k.bna:1:error"}) << u("KA => KE => KI => KA");

    d = cleanDictionary();
    d.headwords << QStringLiteral("KO");
    letter(d, "k") = QStringList{QStringLiteral("KO [ó] N cour."), QStringLiteral("KA [ó] => KA")};
    d.headwords << QStringLiteral("KA");
    QTest::newRow("cross-reference to itself") << d << ul({"k.bna:2:error"}) << QString();

    d = cleanDictionary();
    d.headwords << QStringLiteral("MA") << QStringLiteral("MI");
    letter(d, "m") = QStringList{QStringLiteral("MA [ó] => MI"), QStringLiteral("MI [ó] => BIN"),
                                 QStringLiteral("MI [ò] N but the first entry is a reference.")};
    QTest::newRow("chain ending at a headword without entry")
        << d << ul({"m.bna:2:error"}) << QString();

    d = cleanDictionary();
    letter(d, "b").append(QStringLiteral("BA [ó] N fleuve."));
    QTest::newRow("homograph separated from its first entry")
        << d << ul({"b.bna:6:error"}) << u("(line 1)");

    d = cleanDictionary();
    letter(d, "b").insert(3, QStringLiteral("BA [ó] N fleuve."));
    QTest::newRow("third homograph right after the others") << d << QStringList() << QString();

    d = cleanDictionary();
    d.headwords[3] = QStringLiteral("\u0272a"); // ɲa, whose search form is ЛA
    QTest::newRow("listed headword not in search form")
        << d << ul({"entries.bna:4:error"}) << u("write it as \"\u041BA\"");

    d = cleanDictionary();
    d.headwords[3] = QStringLiteral("\u019DA"); // Ɲ U+019D instead of Л U+041B
    QTest::newRow("listed headword with U+019D for the capital of ɲ")
        << d << ul({"entries.bna:4:error"}) << QString();

    d = cleanDictionary();
    letter(d, "b").append(QStringLiteral("Bi [ó] N herbe."));
    QTest::newRow("head line not in search form") << d << ul({"b.bna:6:error"}) << QString();

    d = cleanDictionary();
    letter(d, "b").append(QStringLiteral("BI[ó] N herbe."));
    QTest::newRow("head line without blank before its bracket")
        << d << ul({"b.bna:6:error"}) << QString();

    d = cleanDictionary();
    letter(d, "b")[1] = QStringLiteral("♦ Ba bɛ [so] kɔnɔ.");
    QTest::newRow("bracket inside a continuation line")
        << d << ul({"b.bna:2:error", "b.bna:3:error"}) << QString();

    d = cleanDictionary();
    d.lexicon.append(QStringLiteral("BO tête"));
    QTest::newRow("lexicon line without separator") << d << ul({"lexic.bna:3:error"}) << QString();

    d = cleanDictionary();
    letter(d, "b")[1] = QStringLiteral("♦ Ba\tbɛ so kɔnɔ.");
    QTest::newRow("control character") << d << ul({"b.bna:2:error"}) << QString();

    d = cleanDictionary();
    d.lexicon[0] = QStringLiteral("BA|mère\u0007");
    QTest::newRow("control character in the lexicon")
        << d << ul({"lexic.bna:1:error"}) << QString();

    d = cleanDictionary();
    letter(d, "b")[3] = QStringLiteral("BƆ [ó] W sortir. ");
    QTest::newRow("trailing blank") << d << ul({"b.bna:4:warning"}) << QString();

    d = cleanDictionary();
    d.headwords.append(QStringLiteral("BA"));
    QTest::newRow("headword listed twice") << d << ul({"entries.bna:5:warning"}) << QString();

    d = cleanDictionary();
    letter(d, "z") = QStringList{QStringLiteral("♦ Zo."), QStringLiteral("ZO [ó] N x.")};
    d.headwords.append(QStringLiteral("ZO"));
    QTest::newRow("lines above the first head line") << d << ul({"z.bna:1:warning"}) << QString();

    d = cleanDictionary();
    d.headwords.append(QStringLiteral("  BA"));
    QTest::newRow("listed headword with blanks, which the search field never finds")
        << d << ul({"entries.bna:5:error", "entries.bna:5:warning"})
        << u("headword \"  BA\" is not in search form");

    d = cleanDictionary();
    d.headwords.append(QString());
    QTest::newRow("empty headword") << d << ul({"entries.bna:5:error"}) << u("empty headword");

    d = cleanDictionary();
    d.headwords.append(QStringLiteral("1BA"));
    QTest::newRow("headword whose initial has no letter file")
        << d << ul({"entries.bna:5:error"}) << u("no letter file");

    d = cleanDictionary();
    d.headwords << QStringLiteral("KA") << QStringLiteral("KI");
    letter(d, "k") = QStringList{QStringLiteral("KA [\u00F3] => KE")};
    for (int i = 0; i < 50000; ++i) // a chain checked once, not once per member
        letter(d, "k") << QStringLiteral("K%1 [\u00F3] => K%2").arg(i).arg(i + 1);
    letter(d, "k") << QStringLiteral("KI [\u00F3] => K0")
                   << QStringLiteral("K50000 [\u00F3] => K0");
    QTest::newRow("a long chain into a circle, reported once at its first member")
        << d << ul({"k.bna:1:error", "k.bna:2:error"}) << u("cross-reference to \"KE\"");
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

void TestDictionaryChecker::unusableInput_data()
{
    QTest::addColumn<QString>("removed"); // a file name, or "." for the whole directory
    QTest::addColumn<QString>("reportedFile");

    QTest::newRow("missing directory") << u(".") << u("");
    QTest::newRow("missing letter file") << u("ɔ.bna") << u("ɔ.bna");
}

void TestDictionaryChecker::unusableInput()
{
    QFETCH(QString, removed);
    QFETCH(QString, reportedFile);

    QTemporaryDir dir;
    const QString res = dir.filePath(QStringLiteral("res"));
    QVERIFY(cleanDictionary().writeTo(res));
    if (removed == QLatin1String("."))
        QVERIFY(QDir(res).removeRecursively());
    else
        QVERIFY(QFile::remove(dataFilePath(res, removed)));

    DictionaryChecker checker;
    QCOMPARE(checker.check(res), DictionaryChecker::Outcome::Unusable);
    QCOMPARE(checker.diagnostics().size(), 1);
    const Diagnostic &problem = checker.diagnostics().constFirst();
    QCOMPARE(problem.file, reportedFile.isEmpty() ? res : dataFilePath(res, reportedFile));
    QCOMPARE(problem.severity, Diagnostic::Error);
}

QTEST_GUILESS_MAIN(TestDictionaryChecker)
#include "tst_dictionarychecker.moc"
