#include "informationtext.h"

#include <QtTest>

class TestInformationText : public QObject
{
    Q_OBJECT

private slots:
    void groupsDigitsByThree_data();
    void groupsDigitsByThree();
    void statesTheCountsLoaded();
};

void TestInformationText::groupsDigitsByThree_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("written");
    QTest::newRow("three digits, no blank") << 750 << QStringLiteral("750");
    QTest::newRow("four digits") << 1163 << QStringLiteral("1 163");
    QTest::newRow("seven digits, two blanks") << 1000000 << QStringLiteral("1 000 000");
}

void TestInformationText::groupsDigitsByThree()
{
    QFETCH(int, number);
    QFETCH(QString, written);
    QCOMPARE(groupedNumber(number), written);
}

// Line 2 states the number of headwords and line 3 that of lexicon rows, each grouped by
// three; the about lines come last, their mark-up as look-alikes (❨ ❩ U+2768, U+2769),
// then an empty line and the greeting, without a line feed.
void TestInformationText::statesTheCountsLoaded()
{
    const QString text = informationText(13400, 1000, {QStringLiteral("Misali (a)")});
    const QStringList lines = text.split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 5);
    QVERIFY2(lines.at(1).contains(QStringLiteral(" 13 400 ")) &&
                 !lines.at(1).contains(QStringLiteral("1 000")),
             qPrintable(lines.at(1)));
    QVERIFY2(lines.at(2).contains(QStringLiteral(" 1 000 ")) &&
                 !lines.at(2).contains(QStringLiteral("13 400")),
             qPrintable(lines.at(2)));
    QCOMPARE(lines.at(lines.size() - 3), QStringLiteral("Misali \u2768a\u2769"));
    QCOMPARE(lines.at(lines.size() - 2), QString());
    QVERIFY(!lines.last().isEmpty());
}

QTEST_GUILESS_MAIN(TestInformationText)
#include "tst_informationtext.moc"
