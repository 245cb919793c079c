#include "longlines.h"

#include <QtTest>

class TestLongLines : public QObject
{
    Q_OBJECT

private slots:
    void cutsOnlyLinesLongerThanTheMaximum_data();
    void cutsOnlyLinesLongerThanTheMaximum();
};

void TestLongLines::cutsOnlyLinesLongerThanTheMaximum_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    const QString ellipsis(QChar(0x2026));
    QTest::newRow("short lines whole")
        << QStringLiteral("BA\n♦ Ba.\n") << QStringLiteral("BA\n♦ Ba.\n");
    QTest::newRow("a line of exactly the maximum whole")
        << QStringLiteral("abcde\nxy") << QStringLiteral("abcde\nxy");
    QTest::newRow("a longer line cut, the others whole")
        << QStringLiteral("ab\nabcdefg\nxy\n")
        << QStringLiteral("ab\nabcde") + ellipsis + QStringLiteral("\nxy\n");
    QTest::newRow("the last line without line feed")
        << QStringLiteral("abcdefgh") << QStringLiteral("abcde") + ellipsis;
    QTest::newRow("empty lines kept")
        << QStringLiteral("\n\nabcdefgh\n\n")
        << QStringLiteral("\n\nabcde") + ellipsis + QStringLiteral("\n\n");
}

void TestLongLines::cutsOnlyLinesLongerThanTheMaximum()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(cutLongLines(text, 5), shown);
}

QTEST_GUILESS_MAIN(TestLongLines)
#include "tst_longlines.moc"
