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
    QTest::newRow("small ɛ files under ɛ")
        << QStringLiteral("ɛsi") << QStringLiteral("ƐSI") << QStringLiteral("ɛ");
    QTest::newRow("capital Ɛ files under ɛ")
        << QStringLiteral("Ɛsi") << QStringLiteral("ƐSI") << QStringLiteral("ɛ");
    QTest::newRow("ɲ becomes Л (U+041B) under q")
        << QStringLiteral("ɲa") << QStringLiteral("\u041BA") << QStringLiteral("q");
    QTest::newRow("Ɲ (U+019D) becomes Л (U+041B)")
        << QStringLiteral("\u019Da") << QStringLiteral("\u041BA") << QStringLiteral("q");
    QTest::newRow("ŋ under v") << QStringLiteral("ŋani") << QStringLiteral("ŊANI")
                               << QStringLiteral("v");
    QTest::newRow("ʃ stays small, under x")
        << QStringLiteral("ʃa") << QStringLiteral("ʃA") << QStringLiteral("x");
    QTest::newRow("Ʃ (U+01A9) becomes small ʃ")
        << QStringLiteral("\u01A9a") << QStringLiteral("ʃA") << QStringLiteral("x");
    QTest::newRow("ɔ under ɔ") << QStringLiteral("ɔnhɔn") << QStringLiteral("ƆNHƆN")
                               << QStringLiteral("ɔ");
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
