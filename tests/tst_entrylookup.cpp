#include "entrylookup.h"
#include "textfile.h"

#include <QtTest>

namespace {

QString lines(const QStringList &list)
{
    return joinLines(list);
}

// Letter texts as the loader builds them: every line followed by "\n".
QHash<QString, QString> sampleLetters()
{
    QHash<QString, QString> letters;
    letters.insert(QStringLiteral("b"), lines({
                                            QStringLiteral("BA [ó] N mère."),
                                            QStringLiteral("♦ Ń ba bɛ so kɔnɔ."),
                                            QStringLiteral("↓BADEN"),
                                            QStringLiteral("   "),
                                            QStringLiteral("BA [ò] N chèvre. => BIN"),
                                            QStringLiteral("BAA [ó] N fleuve."),
                                            QStringLiteral("BA [ó] N troisième, jamais montré."),
                                            QStringLiteral("BA[ó] N collé."),
                                            QStringLiteral("   BIN [ó] N herbe.   "),
                                            QStringLiteral("[ò ó] bìn: herbe sèche"),
                                            QStringLiteral("BIN in [x] ends here"),
                                            QStringLiteral("BOBO [ó] N holds \"BO [\"."),
                                            QStringLiteral("BO [ó] => BIN"),
                                            QStringLiteral("BU [ó] => KUN"),
                                            QStringLiteral("BE [ó] => ZZ"),
                                            QStringLiteral("BI [ó] =>"),
                                            QStringLiteral("BALA [ó] N dernière."),
                                        }));
    letters.insert(QStringLiteral("k"), lines({
                                            QStringLiteral("KA [ò] TG infinitif."),
                                            QStringLiteral("KE [ó] => KE"),
                                            QStringLiteral("KI [ó] => KO"),
                                            QStringLiteral("KO [ó] => KI"),
                                            QStringLiteral("KI [ó] second homograph"),
                                        }));
    letters.insert(QStringLiteral("ɛ"), lines({QStringLiteral("ƐSI [ó] N os.")}));
    letters.insert(QStringLiteral("q"), lines({QStringLiteral("ЛA [ó] N œil.")}));
    letters.insert(QStringLiteral("v"), lines({QStringLiteral("ŊANI [ó] N bien.")}));
    letters.insert(QStringLiteral("x"), lines({QStringLiteral("ʃA [ó] N chef.")}));
    letters.insert(QStringLiteral("t"), lines({
                                            QStringLiteral("T<B> [ó] <b>not bold</b> & more"),
                                            QStringLiteral("TA [ó] N feu."),
                                        }));
    return letters;
}

} // namespace

class TestEntryLookup : public QObject
{
    Q_OBJECT

private slots:
    void showsTheEntryOfAHeadword_data();
    void showsTheEntryOfAHeadword();
    void stopsCrossReferenceCycles_data();
    void stopsCrossReferenceCycles();
    void followsVeryLongChainsWithoutRecursion();
};

void TestEntryLookup::showsTheEntryOfAHeadword_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    const int entry = LookupResult::Entry;
    const int notFound = LookupResult::NotFound;
    const int unchanged = LookupResult::Unchanged;

    QTest::newRow("homographs together, lines trimmed, => in a homograph shown as text")
        << QStringLiteral("ba") << entry
        << lines({QStringLiteral("BA [ó] N mère."), QStringLiteral("♦ Ń ba bɛ so kɔnɔ."),
                  QStringLiteral("↓BADEN"), QString(), QStringLiteral("BA [ò] N chèvre. => BIN")});
    QTest::newRow("leading blanks before a head line; [ first continues, [ inside ends")
        << QStringLiteral("bin") << entry
        << lines({QStringLiteral("BIN [ó] N herbe."), QStringLiteral("[ò ó] bìn: herbe sèche")});
    QTest::newRow("BAA is not BA")
        << QStringLiteral("baa") << entry << lines({QStringLiteral("BAA [ó] N fleuve.")});
    QTest::newRow("the last entry ends with the empty last line")
        << QStringLiteral("bala") << entry << lines({QStringLiteral("BALA [ó] N dernière."), {}});
    QTest::newRow("a cross-reference shows its target, not the line ending in its word")
        << QStringLiteral("bo") << entry
        << lines({QStringLiteral("BIN [ó] N herbe."), QStringLiteral("[ò ó] bìn: herbe sèche")});
    QTest::newRow("a target without entry is not found")
        << QStringLiteral("bu") << notFound << QStringLiteral("KUN");
    QTest::newRow("a target without letter text is not found")
        << QStringLiteral("be") << notFound << QStringLiteral("ZZ");
    QTest::newRow("an empty target changes nothing")
        << QStringLiteral("bi") << unchanged << QString();
    QTest::newRow("ɛ word") << QStringLiteral("ɛsi") << entry
                            << lines({QStringLiteral("ƐSI [ó] N os."), {}});
    QTest::newRow("ɲ word under q")
        << QStringLiteral("ɲa") << entry << lines({QStringLiteral("ЛA [ó] N œil."), {}});
    QTest::newRow("ŋ word under v")
        << QStringLiteral("Ŋani") << entry << lines({QStringLiteral("ŊANI [ó] N bien."), {}});
    QTest::newRow("ʃ word under x")
        << QStringLiteral("ʃa") << entry << lines({QStringLiteral("ʃA [ó] N chef."), {}});
    QTest::newRow("no entry names the search form")
        << QStringLiteral("bɔ") << notFound << QStringLiteral("BƆ");
    QTest::newRow("no letter text is not found, not the entry shown before")
        << QStringLiteral("mali") << notFound << QStringLiteral("MALI");
    QTest::newRow("initial outside the alphabet is not found")
        << QStringLiteral("?ba") << notFound << QStringLiteral("?BA");
    QTest::newRow("empty word") << QString() << unchanged << QString();
    QTest::newRow("blank word") << QStringLiteral("  ") << unchanged << QString();
    QTest::newRow("an entry that looks like mark-up is text")
        << QStringLiteral("t<b>") << entry
        << lines({QStringLiteral("T<B> [ó] <b>not bold</b> & more")});
}

void TestEntryLookup::showsTheEntryOfAHeadword()
{
    QFETCH(QString, word);
    QFETCH(int, kind);
    QFETCH(QString, text);
    const LookupResult result = lookUpWord(sampleLetters(), word);
    QCOMPARE(int(result.kind), kind);
    QCOMPARE(result.text, text);
}

void TestEntryLookup::stopsCrossReferenceCycles_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("text");
    QTest::newRow("an entry pointing to itself shows its own lines")
        << QStringLiteral("ke") << lines({QStringLiteral("KE [ó] => KE")});
    QTest::newRow("A to B to A shows the reference that closes the circle")
        << QStringLiteral("ki") << lines({QStringLiteral("KO [ó] => KI")});
    QTest::newRow("B to A to B") << QStringLiteral("ko") << lines({QStringLiteral("KI [ó] => KO")});
}

void TestEntryLookup::stopsCrossReferenceCycles()
{
    QFETCH(QString, word);
    QFETCH(QString, text);
    const LookupResult result = lookUpWord(sampleLetters(), word);
    QCOMPARE(int(result.kind), int(LookupResult::Entry));
    QCOMPARE(result.text, text);
}

void TestEntryLookup::followsVeryLongChainsWithoutRecursion()
{
    // W0 => W1 => ... => W100000, written last hop first, then the same chain closed
    // into a circle by its last entry.
    const int hops = 100000;
    QStringList chain;
    for (int i = hops - 1; i >= 0; --i)
        chain << QStringLiteral("W%1 [ó] => W%2").arg(i).arg(i + 1);
    QHash<QString, QString> letters;
    letters.insert(QStringLiteral("w"),
                   lines(chain) + lines({QStringLiteral("W%1 [ó] N the end.").arg(hops)}));
    LookupResult result = lookUpWord(letters, QStringLiteral("w0"));
    QCOMPARE(int(result.kind), int(LookupResult::Entry));
    QCOMPARE(result.text, lines({QStringLiteral("W%1 [ó] N the end.").arg(hops), {}}));

    letters.insert(QStringLiteral("w"),
                   lines(chain) + lines({QStringLiteral("W%1 [ó] => W7").arg(hops)}));
    result = lookUpWord(letters, QStringLiteral("w0"));
    QCOMPARE(int(result.kind), int(LookupResult::Entry));
    QCOMPARE(result.text, lines({QStringLiteral("W%1 [ó] => W7").arg(hops), {}}));
}

QTEST_GUILESS_MAIN(TestEntryLookup)
#include "tst_entrylookup.moc"
