#include "lexiconline.h"

#include <QtTest>

class TestLexiconLine : public QObject
{
    Q_OBJECT

private slots:
    void splitsWordAndGloss_data();
    void splitsWordAndGloss();
};

void TestLexiconLine::splitsWordAndGloss_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("gloss");
    QTest::newRow("word and gloss")
        << QStringLiteral("BA|m\u00E8re") << QStringLiteral("BA") << QStringLiteral("m\u00E8re");
    QTest::newRow("blanks around the word go, around the gloss stay")
        << QStringLiteral("  BA \t| m\u00E8re  ") << QStringLiteral("BA")
        << QStringLiteral(" m\u00E8re  ");
    QTest::newRow("a third field is ignored")
        << QStringLiteral("BA|m\u00E8re|ch\u00E8vre") << QStringLiteral("BA")
        << QStringLiteral("m\u00E8re");
    QTest::newRow("a leading bar gives an empty word")
        << QStringLiteral("|m\u00E8re") << QString() << QStringLiteral("m\u00E8re");
    QTest::newRow("only a bar") << QStringLiteral("|") << QString() << QString();
    QTest::newRow("no bar keeps the text as the word")
        << QStringLiteral(" BA m\u00E8re ") << QStringLiteral("BA m\u00E8re") << QString();
}

void TestLexiconLine::splitsWordAndGloss()
{
    QFETCH(QString, line);
    QFETCH(QString, word);
    QFETCH(QString, gloss);
    const auto row = splitLexiconLine(line);
    QVERIFY(row);
    QCOMPARE(row->word, word);
    QCOMPARE(row->gloss, gloss);
    QVERIFY(!splitLexiconLine(QString())); // an empty line gives no row
}

QTEST_GUILESS_MAIN(TestLexiconLine)
#include "tst_lexiconline.moc"
