#include "datafile.h"
#include "dataloading.h"
#include "longtextdelegate.h"
#include "textcellsizes.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>

class TestDataLoading : public QObject
{
    Q_OBJECT

private slots:
    void viewsShowTheLinesSizedAsTheyMeasureThemselves_data();
    void viewsShowTheLinesSizedAsTheyMeasureThemselves();
    void aDamagedHeadwordFileIsListedInRowsOfOneSize();
};

// Each row: the lines of the headword file and of the lexicon file.
void TestDataLoading::viewsShowTheLinesSizedAsTheyMeasureThemselves_data()
{
    QTest::addColumn<QString>("headwords");
    QTest::addColumn<QString>("lexicon");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("uniform"); // whether the list must lay out without measuring items
    // Ɛ U+0190, Ɔ U+0186, Л U+041B, ŋ U+014B, ʃ U+0283, è U+00E8
    const QString bambara = QStringLiteral("A\nBA\nD\u0190G\u0190\nK\u0186N\u0186NIN BA\n"
                                           "\u041BANA\n\u014BANIN\u014BANIN\n\u0283I\n");
    QTest::newRow("short and long texts, wider than the list, an empty line")
        << bambara + QStringLiteral("SUNGURUNNINMUSOKORONIN\n\n")
        << QStringLiteral("A|x\nSUNGURUNNIN BA|jeune fille\n  BA \t| m\u00E8re  \nB|\n") << 10
        << true;
    QTest::newRow("fewer wide letters outmeasure more narrow ones")
        << QStringLiteral("IIIIIIIIIIIIIIIIIIIIIIII\nMWMWMWMWMW\nijlijlijlijlijlijlijl\n"
                          "\u0190\u0186\u0190\u0186\u0190\n")
        << QStringLiteral("iiiiiiiiiiiiiiiiiiiiiii|WWWWWWWW\nWMWMWMW|lilililililililililililili\n")
        << 14 << true;
    QTest::newRow("kerned pairs and blanks around texts")
        << QStringLiteral("AVAVAVAVAVAVAV\nAXAXAXAXAXAXAX\n   LTLTLTLT\nTATATA      \n"
                          "F.F.F.F.P,P,P,\n")
        << QStringLiteral("  AVAVAV |TYTYTY  \nAXAXAX|TOTOTO\n") << 11 << true;
    // The i's are wider than the W's, but not the 4096 of them that a cell draws.
    QTest::newRow("texts longer than a cell draws")
        << QString(20000, u'i') + QStringLiteral("\nBA\n") + QString(4200, u'W')
        << QString(5000, u'i') + QStringLiteral("|W\nW|") + QString(4097, u'M') << 9 << true;
    QTest::newRow("letters another font draws, taller ones among them")
        // N'Ko, Thai, Devanagari, combining acute and grave, Arabic, an emoji, a soft hyphen
        << bambara + QStringLiteral("\u07D2\u07DE\u07CF\n\u0E20\u0E32\u0E29\u0E32\n"
                                    "\u0928\u092E\u0938\u094D\u0924\u0947\nB\u0301A\u0300\n"
                                    "\u0645\u0631\u062D\u0628\u0627\n\U0001F600A\nA\tB\nA\u00ADB\n")
        << QStringLiteral("\u07D2\u07DE\u07CF|N'Ko\nB\u0301A\u0300|\u0E20\u0E32\u0E29\u0E32\n")
        << 10 << false;
    // The table measures only the first 1000 rows, as the toolkit does while hidden.
    const QString ba = QStringLiteral("BA|m\u00E8re\n");
    QTest::newRow("more rows than the table measures")
        << QStringLiteral("BA\n").repeated(1500) + QStringLiteral("BABABABABABABA\n")
        << ba.repeated(999) + QStringLiteral("KAN|langue, cou\n") + ba.repeated(100) +
               QStringLiteral("SUNGURUNNINMUSOKORONIN|une femme qui est encore jeune\n") +
               ba.repeated(99)
        << 10 << true;
    QTest::newRow("a column narrower than the header lets it be")
        << QStringLiteral("I\n") << QStringLiteral("I\nI|\n") << 8 << true;
}

// The list and the table show the lines in order, in cells a user cannot edit, and sized
// from their texts they are laid out exactly as when they measure every cell themselves: the
// same rows and column widths. All views are set up as the window sets up its own.
void TestDataLoading::viewsShowTheLinesSizedAsTheyMeasureThemselves()
{
    QFETCH(QString, headwords);
    QFETCH(QString, lexicon);
    QFETCH(int, pointSize);
    QFETCH(bool, uniform);
    const QStringList lines = splitLines(headwords);
    QVector<LexiconRow> rows; // as the lexicon reader makes them
    for (const QString &line : splitLines(lexicon))
        if (const auto row = splitLexiconLine(line))
            rows.append(*row);
    QListWidget list, measuredByItself;
    QTableWidget table(0, 2), resizedByItself(0, 2);
    QFont font;
    font.setPointSize(pointSize);
    for (QAbstractItemView *view : std::initializer_list<QAbstractItemView *>{
             &list, &measuredByItself, &table, &resizedByItself}) {
        view->setItemDelegate(new LongTextDelegate(view));
        view->setFont(font);
    }

    QCOMPARE(loadHeadwords(&list, lines), lines);
    measuredByItself.addItems(lines);
    QCOMPARE(list.uniformItemSizes(), uniform);
    for (QListWidget *view : {&list, &measuredByItself}) {
        view->resize(150, 200);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    for (int row = 0; row < lines.size(); ++row) {
        QCOMPARE(list.item(row)->text(), lines.at(row));
        QCOMPARE(list.visualItemRect(list.item(row)),
                 measuredByItself.visualItemRect(measuredByItself.item(row)));
    }

    for (QTableWidget *view : {&table, &resizedByItself}) {
        view->verticalHeader()->hide();
        view->horizontalHeader()->hide();
    }
    loadLexicon(&table, rows);
    QCOMPARE(table.rowCount(), rows.size());
    resizedByItself.setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const QString texts[] = {rows.at(row).word, rows.at(row).gloss};
        for (int column = 0; column < 2; ++column) {
            QCOMPARE(table.item(row, column)->text(), texts[column]);
            QCOMPARE(table.item(row, column)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            resizedByItself.setItem(row, column, new QTableWidgetItem(texts[column]));
        }
    }
    resizedByItself.resizeColumnsToContents();
    resizedByItself.horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    QCOMPARE(table.columnWidth(0), resizedByItself.columnWidth(0));
    QCOMPARE(table.columnWidth(1), resizedByItself.columnWidth(1));
}

// Bytes that are not a headword file read as many rows of many scripts, more than the list
// lays out one by one: every row is listed, all in one size, as wide as the longest text
// and as high as the tallest.
void TestDataLoading::aDamagedHeadwordFileIsListedInRowsOfOneSize()
{
    // Devanagari and N'Ko beside Latin letters, each drawn by a font of its own.
    const QString mixed = QStringLiteral("\u0928\u092Ea\u07D2\u07DEb\u0928c\u07CFd");
    QStringList lines;
    for (int row = 0; row <= longestMeasuredByView / mixed.size(); ++row)
        lines.append(mixed);
    const QString longest = mixed.repeated(8);
    const QString tallest = mixed + QStringLiteral("\u0F40"); // Tibetan, drawn taller
    lines.insert(lines.size() / 2, longest);
    lines.insert(lines.size() / 3, tallest);
    QListWidget list, alone;
    for (QListWidget *view : {&list, &alone})
        view->setItemDelegate(new LongTextDelegate(view));
    QCOMPARE(loadHeadwords(&list, lines), lines);
    QCOMPARE(list.count(), lines.size());
    QCOMPARE(list.item(lines.size() / 3)->text(), tallest);
    QVERIFY(list.uniformItemSizes());
    alone.addItems({longest, tallest});
    for (QListWidget *view : {&list, &alone}) {
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    QCOMPARE(list.visualItemRect(list.item(0)).size(),
             QSize(alone.visualItemRect(alone.item(0)).width(),
                   alone.visualItemRect(alone.item(1)).height()));
}

QTEST_MAIN(TestDataLoading)
#include "tst_dataloading.moc"
