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

// Lines 2 and 3 name the headwords, then the lexicon rows; the text opens with its title
// and closes with its greeting, after an empty line and without a line feed.
void TestInformationText::statesTheCountsLoaded()
{
    const QStringList lines = informationText(13400, 10000, {}).split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 3);
    QCOMPARE(lines.first(), QStringLiteral("LEXORA 1.5 KUNNAFONI"));
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{QString(), QStringLiteral("I ni ce!")}));
    // ɲ U+0272, ɛ U+025B, ɔ U+0254
    QCOMPARE(lines.at(1), QStringLiteral("Da\u0272\u025B 13 400 ni k\u0254 \u0272\u025Bf\u0254len "
                                         "don Da\u0272\u025Bgafe k\u0254n\u0254."));
    QCOMPARE(lines.at(2), QStringLiteral("Da\u0272\u025B 10 000 ni k\u0254 \u0272\u025Bf\u0254len "
                                         "don Da\u0272\u025Bs\u025Bb\u025Bn k\u0254n\u0254."));
}

QTEST_GUILESS_MAIN(TestInformationText)
#include "tst_informationtext.moc"
