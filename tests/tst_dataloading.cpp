#include "dataloading.h"
#include "dictionarydata.h"
#include "longtextdelegate.h"
#include "testdatafiles.h"

#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestDataLoading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void viewsShowTheFilesSizedAsTheyMeasureThemselves_data();
    void viewsShowTheFilesSizedAsTheyMeasureThemselves();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDataLoading::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// Views set up as the window sets up its own.
template <typename View> void setUpLikeTheWindow(View *view, int pointSize)
{
    view->setItemDelegate(new LongTextDelegate(view));
    QFont font = view->font();
    font.setPointSize(pointSize);
    view->setFont(font);
}

// Each row: the plain text of the headword file and of the lexicon file.
void TestDataLoading::viewsShowTheFilesSizedAsTheyMeasureThemselves_data()
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
    QTest::newRow("texts longer than a cell draws")
        << QString(6000, QLatin1Char('i')) + QLatin1Char('\n') + QString(4200, QLatin1Char('W')) +
               QStringLiteral("\nBA\n")
        << QString(5000, QLatin1Char('i')) + QLatin1Char('|') + QString(4097, QLatin1Char('M')) +
               QStringLiteral("\nW|W\n")
        << 9 << true;
    QTest::newRow("letters another font draws, taller ones among them")
        // N'Ko ߒߞߏ U+07D2 U+07DE U+07CF, Thai ภาษา U+0E20 U+0E32 U+0E29 U+0E32, Devanagari
        // नमस्ते U+0928 U+092E U+0938 U+094D U+0924 U+0947, combining acute U+0301 and grave
        // U+0300, Arabic مرحبا U+0645 U+0631 U+062D U+0628 U+0627, 😀 U+1F600, soft hyphen U+00AD
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

// The list and the table show the files' lines in file order, in cells a user cannot edit,
// and sized from their texts they are laid out exactly as when they measure every cell
// themselves: the same scroll ranges, rows and column widths.
void TestDataLoading::viewsShowTheFilesSizedAsTheyMeasureThemselves()
{
    QFETCH(QString, headwords);
    QFETCH(QString, lexicon);
    QFETCH(int, pointSize);
    QFETCH(bool, uniform);
    testdata::Dictionary data;
    data.headwords = splitLines(headwords);
    data.lexicon = splitLines(lexicon);
    QVERIFY(data.writeTo(m_dir->path()));

    QListWidget list;
    QListWidget measuredByItself;
    setUpLikeTheWindow(&list, pointSize);
    setUpLikeTheWindow(&measuredByItself, pointSize);
    QCOMPARE(loadHeadwords(&list, readHeadwords(m_dir->path())), data.headwords);
    measuredByItself.addItems(data.headwords);
    if (uniform)
        QVERIFY(list.uniformItemSizes());
    for (QListWidget *view : {&list, &measuredByItself}) {
        view->resize(150, 200);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    QCOMPARE(list.horizontalScrollBar()->maximum(),
             measuredByItself.horizontalScrollBar()->maximum());
    QCOMPARE(list.verticalScrollBar()->maximum(), measuredByItself.verticalScrollBar()->maximum());
    for (int row = 0; row < data.headwords.size(); ++row) {
        QCOMPARE(list.item(row)->text(), data.headwords.at(row));
        QCOMPARE(list.visualItemRect(list.item(row)),
                 measuredByItself.visualItemRect(measuredByItself.item(row)));
    }

    QTableWidget table(0, 2);
    QTableWidget resizedByItself(0, 2);
    for (QTableWidget *view : {&table, &resizedByItself}) {
        setUpLikeTheWindow(view, pointSize);
        view->verticalHeader()->hide();
        view->horizontalHeader()->hide();
    }
    loadLexicon(&table, readLexicon(m_dir->path()));
    const auto rows = readLexicon(m_dir->path());
    QVERIFY(rows);
    QCOMPARE(table.rowCount(), rows->size());
    resizedByItself.setRowCount(rows->size());
    for (int row = 0; row < rows->size(); ++row) {
        const QString texts[] = {rows->at(row).word, rows->at(row).gloss};
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

QTEST_MAIN(TestDataLoading)
#include "tst_dataloading.moc"
