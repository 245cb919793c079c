#include "searchform.h"

#include <QtTest>

class TestSearchForm : public QObject
{
    Q_OBJECT

private slots:
    void searchFormAndLetterKey_data();
    void searchFormAndLetterKey();
};

void TestSearchForm::searchFormAndLetterKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("key");
    const auto row = [](const char *name, const char16_t *text, const char16_t *form,
                        const char16_t *key) {
        QTest::newRow(name) << QString::fromUtf16(text) << QString::fromUtf16(form)
                            << QString::fromUtf16(key);
    };
    // ɛ U+025B, Ɛ U+0190, ɲ U+0272, Л U+041B, Ɲ U+019D, ŋ U+014B, Ŋ U+014A, ʃ U+0283,
    // Ʃ U+01A9, ɔ U+0254, Ɔ U+0186
    row("small \u025B files under \u025B", u"\u025Bsi", u"\u0190SI", u"\u025B");
    row("\u0272 becomes \u041B (U+041B) under q", u"\u0272a", u"\u041BA", u"q");
    row("\u019D (U+019D) becomes \u041B (U+041B)", u"\u019Da", u"\u041BA", u"q");
    row("\u014B under v", u"\u014Bani", u"\u014AANI", u"v");
    row("\u0283 stays small, under x", u"\u0283a", u"\u0283A", u"x");
    row("\u01A9 (U+01A9) becomes small \u0283", u"\u01A9a", u"\u0283A", u"x");
    row("\u0254 under \u0254", u"\u0254nh\u0254n", u"\u0186NH\u0186N", u"\u0254");
    row("blanks around are trimmed", u"  ba\t", u"BA", u"b");
    row("blanks only give nothing", u"   ", u"", u"");
    row("a digit is its own key", u"1ba", u"1BA", u"1");
}

void TestSearchForm::searchFormAndLetterKey()
{
    QFETCH(QString, text);
    QFETCH(QString, form);
    QFETCH(QString, key);
    QCOMPARE(searchForm(text), form);
    QCOMPARE(letterKey(searchForm(text)), key);
}

QTEST_GUILESS_MAIN(TestSearchForm)
#include "tst_searchform.moc"
