#include "entrylookup.h"

#include <QtTest>

namespace {

// Letter texts as the loader builds them: every line followed by "\n".
// Л U+041B, Ɔ U+0186
LetterTexts sampleLetters()
{
    return {{QStringLiteral("b"), QStringLiteral("BA [o] N mother.\n"
                                                 "  A ka di.  \n"
                                                 "   \n"
                                                 "BA [o] N goat. => BIN\n"
                                                 "BAA [o] N river.\n"
                                                 "BA [o] N third, never shown.\n"
                                                 "   BIN [o] N grass.   \n"
                                                 "[o o] bin: dry grass\n"
                                                 "BIN in [x] ends here\n"
                                                 "BOBO [o] N holds \"BO [\".\n"
                                                 "BO [o] => BIN\n"
                                                 "BE [o] => ZZ\n"
                                                 "BI [o] =>\n"
                                                 "BALA [o] N last.\n")},
            {QStringLiteral("k"), QStringLiteral("KI [o] => KO\nKO [o] => KI\nKA [o] TG.\n")},
            {QStringLiteral("q"), QStringLiteral("\u041BA [o] N eye.\n")}};
}

} // namespace

class TestEntryLookup : public QObject
{
    Q_OBJECT

private slots:
    void showsTheEntryOfAHeadword_data();
    void showsTheEntryOfAHeadword();
    void followsVeryLongChainsWithoutRecursion();
};

void TestEntryLookup::showsTheEntryOfAHeadword_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("form"); // the headword whose entry is shown
    const auto row = [](const char *name, const QString &word, LookupResult::Kind kind,
                        const QString &text, const char16_t *form = u"") {
        QTest::newRow(name) << word << int(kind) << text << QString::fromUtf16(form);
    };
    const auto entry = LookupResult::Entry, notFound = LookupResult::NotFound;
    const QString bin = QStringLiteral("BIN [o] N grass.\n[o o] bin: dry grass\n");

    row("homographs together, lines trimmed, => in a homograph shown as text", QStringLiteral("ba"),
        entry, QStringLiteral("BA [o] N mother.\nA ka di.\n\nBA [o] N goat. => BIN\n"), u"BA");
    row("leading blanks before a head line; [ first continues, [ inside ends",
        QStringLiteral("bin"), entry, bin, u"BIN");
    row("BAA is not BA", QStringLiteral("baa"), entry, QStringLiteral("BAA [o] N river.\n"),
        u"BAA");
    row("the last entry ends with the empty last line", QStringLiteral("bala"), entry,
        QStringLiteral("BALA [o] N last.\n\n"), u"BALA");
    row("a cross-reference shows its target, not the line ending in its word", QStringLiteral("bo"),
        entry, bin, u"BIN");
    row("a target without letter text is not found", QStringLiteral("be"), notFound,
        QStringLiteral("ZZ"));
    row("an empty target changes nothing", QStringLiteral("bi"), LookupResult::Unchanged,
        QString());
    row("A to B to A shows the reference that closes the circle", QStringLiteral("ki"), entry,
        QStringLiteral("KO [o] => KI\n"), u"KI");
    row("\u0272 word under q", QStringLiteral("\u0272a"), entry, // ɲ U+0272
        QStringLiteral("\u041BA [o] N eye.\n\n"), u"\u041BA");
    row("no entry names the search form", QStringLiteral("b\u0254"), notFound, // ɔ U+0254
        QStringLiteral("B\u0186"));
    row("no letter text is not found, not the entry shown before", QStringLiteral("mali"), notFound,
        QStringLiteral("MALI"));
    row("initial outside the alphabet is not found", QStringLiteral("?ba"), notFound,
        QStringLiteral("?BA"));
    row("blank word", QStringLiteral("  "), LookupResult::Unchanged, QString());
}

// Each row through the viewer's lookup, which searches the letter texts directly, and
// through a finder that indexes them from its first search on, as the checker's does: the
// walk ends at the entry shown, or at the search form not found.
void TestEntryLookup::showsTheEntryOfAHeadword()
{
    QFETCH(QString, word);
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QString, form);
    const LetterTexts letters = sampleLetters();
    const LookupResult result = lookUpWord(letters, word);
    QCOMPARE(int(result.kind), kind);
    QCOMPARE(result.text, text);
    QCOMPARE(result.form, form);

    EntryFinder indexing(letters, 0);
    const ReferenceWalk walk = walkReferences(indexing, word);
    switch (kind) {
    case LookupResult::Entry:
        QVERIFY(walk.end == ReferenceWalk::Entry || walk.end == ReferenceWalk::Circle);
        QCOMPARE(walk.entry.text, text);
        break;
    case LookupResult::NotFound:
        QCOMPARE(int(walk.end), int(ReferenceWalk::NoEntry));
        QCOMPARE(walk.form, text);
        break;
    default:
        QVERIFY(walk.end == ReferenceWalk::NoWord || walk.end == ReferenceWalk::EmptyTarget);
    }
}

// W0 => W1 => ... => W100000, written last hop first, ending in an entry, then the same
// chain closed into a circle by its last entry.
void TestEntryLookup::followsVeryLongChainsWithoutRecursion()
{
    const int hops = 100000;
    QString chain;
    for (int i = hops - 1; i >= 0; --i)
        chain += QStringLiteral("W%1 [o] => W%2\n").arg(i).arg(i + 1);
    for (const QString &last : {QStringLiteral("N the end."), QStringLiteral("=> W7")}) {
        const QString end = QStringLiteral("W%1 [o] %2\n").arg(hops).arg(last);
        const LookupResult result =
            lookUpWord({{QStringLiteral("w"), chain + end}}, QStringLiteral("w0"));
        QCOMPARE(int(result.kind), int(LookupResult::Entry));
        QCOMPARE(result.text, end + QLatin1Char('\n'));
    }
}

QTEST_GUILESS_MAIN(TestEntryLookup)
#include "tst_entrylookup.moc"
