// The keys of the French -> Bambara index: the glosses of the lexicon and their parts, or,
// for a word the producer gave reversals, those reversals; "*" keeps a word out.

#include "frenchindex.h"
#include "testdatafiles.h"

#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

// "word|text" lines as rows.
QVector<LexiconRow> rows(const QStringList &lines)
{
    QVector<LexiconRow> result;
    for (const QString &line : lines)
        result.append({line.section(QLatin1Char('|'), 0, 0), line.section(QLatin1Char('|'), 1)});
    return result;
}

} // namespace

class TestFrenchIndex : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
};

void TestFrenchIndex::keys_data()
{
    QTest::addColumn<QStringList>("lexicon");
    QTest::addColumn<QStringList>("reversal");
    QTest::addColumn<QStringList>("index"); // "key: WORD, WORD" in the order of first use

    const QStringList lexicon = ul({"BA|mother", "DA|mouth; door", "BA|goat"});
    QTest::newRow("without reversals: each gloss and each part of it")
        << lexicon << QStringList()
        << ul({"mother: BA", "mouth; door: DA", "mouth: DA", "door: DA", "goat: BA"});
    QTest::newRow("a word's reversals replace all its glosses, each part between \";\" a key")
        << lexicon << ul({"BA|m\u00E8re; maman", "BA|ch\u00E8vre"})
        << ul({"m\u00E8re: BA", "maman: BA", "ch\u00E8vre: BA", "mouth; door: DA", "mouth: DA",
               "door: DA"});
    QTest::newRow("\"*\" keeps the word out of the index")
        << lexicon << ul({"DA| * "}) << ul({"mother: BA", "goat: BA"});
    // ɲ U+0272 and Ɲ U+019D have the search form Л U+041B A.
    QTest::newRow("the reversal's word matched by its search form")
        << ul({"\u019DA|eye", "BA|mother"}) << ul({"\u0272a|\u0153il", "BA|m\u00E8re"})
        << ul({"\u0153il: \u041BA", "m\u00E8re: BA"});
    QTest::newRow("a reversal of a word the lexicon lacks is not used")
        << lexicon << ul({"KO|t\u00EAte"})
        << ul({"mother: BA", "mouth; door: DA", "mouth: DA", "door: DA", "goat: BA"});
    QTest::newRow("two words with one reversal share its key, in alphabet order")
        << ul({"DA|mouth", "BA|mother"}) << ul({"DA|bouche", "BA|bouche"})
        << ul({"bouche: BA, DA"});
}

void TestFrenchIndex::keys()
{
    QFETCH(QStringList, lexicon);
    QFETCH(QStringList, reversal);
    QStringList index;
    for (const FrenchIndexKey &key : frenchIndexKeys(rows(lexicon), rows(reversal))) {
        QStringList words;
        for (const auto &[form, row] : key.words)
            words << form;
        index << key.key + QStringLiteral(": ") + words.join(QStringLiteral(", "));
    }
    QTEST(index, "index");
}

QTEST_GUILESS_MAIN(TestFrenchIndex)
#include "tst_frenchindex.moc"
