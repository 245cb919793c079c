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
    void headwordsInFileOrder();
    void lexiconRowsBecomeCells();
    void viewsSizedAsTheyMeasureThemselves_data();
    void viewsSizedAsTheyMeasureThemselves();
    void missingFilesLeaveViewsEmpty();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDataLoading::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestDataLoading::headwordsInFileOrder()
{
    testdata::Dictionary data;
    data.headwords = QStringList{QStringLiteral("SO"), QString(), QStringLiteral("  BA "),
                                 QStringLiteral("ЛINI")};
    QVERIFY(data.writeTo(m_dir->path()));
    QListWidget list;
    QCOMPARE(loadHeadwords(&list, readHeadwords(m_dir->path())), data.headwords);
    QStringList shown;
    for (int row = 0; row < list.count(); ++row)
        shown << list.item(row)->text();
    QCOMPARE(shown, data.headwords);
}

// The rows themselves are split as tst_lexiconline shows; here, that they become cells.
void TestDataLoading::lexiconRowsBecomeCells()
{
    testdata::Dictionary data;
    data.lexicon = QStringList{QStringLiteral("A|lui"), QStringLiteral("  BA \t| m\u00E8re  ")};
    QVERIFY(data.writeTo(m_dir->path()));
    QTableWidget table(0, 2);
    loadLexicon(&table, readLexicon(m_dir->path()));
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.item(1, 0)->text(), QStringLiteral("BA"));
    QCOMPARE(table.item(1, 1)->text(), QStringLiteral(" m\u00E8re  "));
    for (int column = 0; column < 2; ++column)
        QCOMPARE(int(table.item(1, column)->flags()), 33); // selectable and enabled only
}

// Views set up as the window sets up its own.
template <typename View> void setUpLikeTheWindow(View *view, int pointSize)
{
    view->setItemDelegate(new LongTextDelegate(view));
    QFont font = view->font();
    font.setPointSize(pointSize);
    view->setFont(font);
}

void hideHeaders(QTableWidget *table)
{
    table->verticalHeader()->hide();
    table->horizontalHeader()->hide();
}

QStringList repeated(const QString &line, int times)
{
    QStringList lines;
    for (int i = 0; i < times; ++i)
        lines << line;
    return lines;
}

void TestDataLoading::viewsSizedAsTheyMeasureThemselves_data()
{
    using testdata::u;
    QTest::addColumn<QStringList>("headwords");
    QTest::addColumn<QStringList>("lexicon");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("uniform"); // whether the list must lay out without measuring items

    // Ɛ U+0190, Ɔ U+0186, Л U+041B, ŋ U+014B, ʃ U+0283
    const QStringList bambara = testdata::ul({"A", "BA", "D\u0190G\u0190", "K\u0186N\u0186NIN BA",
                                              "\u041BANA", "\u014BANIN\u014BANIN", "\u0283I"});
    QTest::newRow("short and long texts, wider than the list")
        << bambara + QStringList{QStringLiteral("SUNGURUNNINMUSOKORONIN"), QString()}
        << QStringList{QStringLiteral("A|x"), QStringLiteral("SUNGURUNNIN BA|jeune fille"),
                       QStringLiteral("B|")}
        << 10 << true;
    QTest::newRow("fewer wide letters outmeasure more narrow ones")
        << QStringList{QStringLiteral("IIIIIIIIIIIIIIIIIIIIIIII"), QStringLiteral("MWMWMWMWMW"),
                       QStringLiteral("ijlijlijlijlijlijlijl"), u("\u0190\u0186\u0190\u0186\u0190")}
        << QStringList{QStringLiteral("iiiiiiiiiiiiiiiiiiiiiii|WWWWWWWW"),
                       QStringLiteral("WMWMWMW|lilililililililililililili")}
        << 14 << true;
    QTest::newRow("kerned pairs and blanks around texts")
        << QStringList{QStringLiteral("AVAVAVAVAVAVAV"), QStringLiteral("AXAXAXAXAXAXAX"),
                       QStringLiteral("   LTLTLTLT"), QStringLiteral("TATATA      "),
                       QStringLiteral("F.F.F.F.P,P,P,")}
        << QStringList{QStringLiteral("  AVAVAV |TYTYTY  "), QStringLiteral("AXAXAX|TOTOTO")} << 11
        << true;
    QTest::newRow("texts longer than a cell draws")
        << QStringList{QString(6000, QLatin1Char('i')), QString(4200, QLatin1Char('W')),
                       QStringLiteral("BA")}
        << QStringList{QString(5000, QLatin1Char('i')) + QStringLiteral("|") +
                           QString(4097, QLatin1Char('M')),
                       QStringLiteral("W|W")}
        << 9 << true;
    QTest::newRow("letters another font draws, taller ones among them")
        // N'Ko ߒߞߏ U+07D2 U+07DE U+07CF, Thai ภาษา U+0E20 U+0E32 U+0E29 U+0E32, Devanagari
        // नमस्ते U+0928 U+092E U+0938 U+094D U+0924 U+0947, combining acute U+0301 and grave
        // U+0300, Arabic مرحبا U+0645 U+0631 U+062D U+0628 U+0627, 😀 U+1F600, soft hyphen U+00AD
        << bambara +
               testdata::ul({"\u07D2\u07DE\u07CF", "\u0E20\u0E32\u0E29\u0E32",
                             "\u0928\u092E\u0938\u094D\u0924\u0947", "B\u0301A\u0300",
                             "\u0645\u0631\u062D\u0628\u0627", "\U0001F600A", "A\tB", "A\u00ADB"})
        << testdata::ul({"\u07D2\u07DE\u07CF|N'Ko", "B\u0301A\u0300|\u0E20\u0E32\u0E29\u0E32"})
        << 10 << false;
    // The table measures only the first 1000 rows, as the toolkit does while hidden.
    QStringList manyRows = repeated(QStringLiteral("BA|mère"), 1200);
    manyRows[1100] = QStringLiteral("SUNGURUNNINMUSOKORONIN|une femme qui est encore jeune");
    manyRows[999] = QStringLiteral("KAN|langue, cou");
    QTest::newRow("more rows than the table measures")
        << repeated(QStringLiteral("BA"), 1500) + QStringList{QStringLiteral("BABABABABABABA")}
        << manyRows << 10 << true;
    QTest::newRow("a column narrower than the header lets it be")
        << QStringList{QStringLiteral("I")}
        << QStringList{QStringLiteral("I"), QStringLiteral("I|")} << 8 << true;
}

// The list and the table sized from their texts are laid out exactly as when they measure
// every cell themselves: the same scroll ranges, rows and column widths.
void TestDataLoading::viewsSizedAsTheyMeasureThemselves()
{
    QFETCH(QStringList, headwords);
    QFETCH(QStringList, lexicon);
    QFETCH(int, pointSize);
    QFETCH(bool, uniform);
    testdata::Dictionary data;
    data.headwords = headwords;
    data.lexicon = lexicon;
    QVERIFY(data.writeTo(m_dir->path()));

    QListWidget list;
    QListWidget measuredByItself;
    setUpLikeTheWindow(&list, pointSize);
    setUpLikeTheWindow(&measuredByItself, pointSize);
    loadHeadwords(&list, readHeadwords(m_dir->path()));
    measuredByItself.addItems(headwords);
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
    for (int row = 0; row < headwords.size(); ++row)
        QCOMPARE(list.visualItemRect(list.item(row)),
                 measuredByItself.visualItemRect(measuredByItself.item(row)));

    QTableWidget table(0, 2);
    QTableWidget resizedByItself(0, 2);
    for (QTableWidget *view : {&table, &resizedByItself}) {
        setUpLikeTheWindow(view, pointSize);
        hideHeaders(view);
    }
    loadLexicon(&table, readLexicon(m_dir->path()));
    const auto rows = readLexicon(m_dir->path());
    QVERIFY(rows);
    resizedByItself.setRowCount(rows->size());
    for (int row = 0; row < rows->size(); ++row) {
        resizedByItself.setItem(row, 0, new QTableWidgetItem(rows->at(row).word));
        resizedByItself.setItem(row, 1, new QTableWidgetItem(rows->at(row).gloss));
    }
    resizedByItself.resizeColumnsToContents();
    resizedByItself.horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    QCOMPARE(table.columnWidth(0), resizedByItself.columnWidth(0));
    QCOMPARE(table.columnWidth(1), resizedByItself.columnWidth(1));
}

void TestDataLoading::missingFilesLeaveViewsEmpty()
{
    const QString nowhere = m_dir->filePath(QStringLiteral("res"));
    QListWidget list;
    QTableWidget table(0, 2);
    const int width = table.columnWidth(0);
    loadHeadwords(&list, readHeadwords(nowhere));
    loadLexicon(&table, readLexicon(nowhere));
    QCOMPARE(list.count(), 0);
    QCOMPARE(table.rowCount(), 0);
    QCOMPARE(table.columnWidth(0), width);
    QCOMPARE(table.horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
}

QTEST_MAIN(TestDataLoading)
#include "tst_dataloading.moc"
