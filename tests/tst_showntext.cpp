#include "showntext.h"

#include <QtTest>

class TestShownText : public QObject
{
    Q_OBJECT

private slots:
    void cutsOnlyLinesLongerThanTheMaximum_data();
    void cutsOnlyLinesLongerThanTheMaximum();
    void notFoundMessageShowsTheWordLiterally();
};

void TestShownText::cutsOnlyLinesLongerThanTheMaximum_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    const QString ellipsis(QChar(0x2026));
    QTest::newRow("a line of exactly the maximum whole")
        << QStringLiteral("abcde\nxy") << QStringLiteral("abcde\nxy");
    QTest::newRow("a longer line cut, the others whole")
        << QStringLiteral("ab\nabcdefg\nxy\n")
        << QStringLiteral("ab\nabcde") + ellipsis + QStringLiteral("\nxy\n");
    QTest::newRow("a last line one longer, without line feed, cut")
        << QStringLiteral("abcdef") << QStringLiteral("abcde") + ellipsis;
    QTest::newRow("empty lines kept")
        << QStringLiteral("\n\nabcdefgh\n\n")
        << QStringLiteral("\n\nabcde") + ellipsis + QStringLiteral("\n\n");
}

void TestShownText::cutsOnlyLinesLongerThanTheMaximum()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(cutLongLines(text, 5), shown);
}

void TestShownText::notFoundMessageShowsTheWordLiterally()
{
    QCOMPARE(notFoundMessage(QStringLiteral("\u041BA")), // Л
             QStringLiteral("<strong>\u041BA</strong> ma ye."));
    QCOMPARE(notFoundMessage(QStringLiteral("<B>&AMP;<IMG SRC=X>")),
             QStringLiteral("<strong>&lt;B&gt;&amp;AMP;&lt;IMG SRC=X&gt;</strong> ma ye."));
}

QTEST_GUILESS_MAIN(TestShownText)
#include "tst_showntext.moc"
