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
    // ɛ U+025B, Ɛ U+0190, ɲ U+0272, Л U+041B, Ɲ U+019D, ŋ U+014B, Ŋ U+014A, ʃ U+0283, Ʃ U+01A9, ɔ
    // U+0254, Ɔ U+0186
    QTest::newRow("small \u025B files under \u025B")
        << QStringLiteral("\u025Bsi") << QStringLiteral("\u0190SI") << QStringLiteral("\u025B");
    QTest::newRow("\u0272 becomes \u041B (U+041B) under q")
        << QStringLiteral("\u0272a") << QStringLiteral("\u041BA") << QStringLiteral("q");
    QTest::newRow("\u019D (U+019D) becomes \u041B (U+041B)")
        << QStringLiteral("\u019Da") << QStringLiteral("\u041BA") << QStringLiteral("q");
    QTest::newRow("\u014B under v")
        << QStringLiteral("\u014Bani") << QStringLiteral("\u014AANI") << QStringLiteral("v");
    QTest::newRow("\u0283 stays small, under x")
        << QStringLiteral("\u0283a") << QStringLiteral("\u0283A") << QStringLiteral("x");
    QTest::newRow("\u01A9 (U+01A9) becomes small \u0283")
        << QStringLiteral("\u01A9a") << QStringLiteral("\u0283A") << QStringLiteral("x");
    QTest::newRow("\u0254 under \u0254")
        << QStringLiteral("\u0254nh\u0254n") << QStringLiteral("\u0186NH\u0186N")
        << QStringLiteral("\u0254");
    QTest::newRow("blanks around are trimmed")
        << QStringLiteral("  ba\t") << QStringLiteral("BA") << QStringLiteral("b");
    QTest::newRow("blanks only give nothing") << QStringLiteral("   ") << QString() << QString();
    QTest::newRow("a digit is its own key")
        << QStringLiteral("1ba") << QStringLiteral("1BA") << QStringLiteral("1");
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
