// The main window as a user drives it, on a small dictionary in res/ of the working
// directory: the fields move the list and the table, the entry shows, the information text
// states what was loaded and its legend is coloured, very long lines are shown cut.

#include "mylineedit.h"
#include "testdatafiles.h"
#include "widget.h"

#include <QAbstractItemDelegate>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

class TestWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void informationText();
    void creditsComeFromTheAboutFile_data();
    void creditsComeFromTheAboutFile();
    void dictionaryFieldMovesTheListAndShowsTheEntry_data();
    void dictionaryFieldMovesTheListAndShowsTheEntry();
    void lexiconFieldMovesTheTable_data();
    void lexiconFieldMovesTheTable();
    void showsVeryLongLinesCut();
    void dictionaryPageLaidOut();

private:
    QString m_startDir = QDir::currentPath();
    std::unique_ptr<QTemporaryDir> m_workDir;
};

// 5 headwords, 4 lexicon rows. Л U+041B, Ɲ U+019D, œ U+0153, ò U+00F2, ó U+00F3, è U+00E8,
// ♦ U+2666, ɛ U+025B, ɔ U+0254
void TestWidget::init()
{
    m_workDir = std::make_unique<QTemporaryDir>();
    const testdata::Dictionary data{
        {QStringLiteral("A"), QStringLiteral("BA"), QStringLiteral("BAA"),
         QStringLiteral("\u041BINI"), QStringLiteral("SO")},
        {QStringLiteral("BA|m\u00E8re"), QStringLiteral("\u019DINI|chercher"),
         QStringLiteral("\u041BA|\u0153il"), QStringLiteral("SO|maison")},
        {{QStringLiteral("a"), {QStringLiteral("A [\u00F2] TU il.")}},
         {QStringLiteral("b"),
          {QStringLiteral("BA [\u00F3] N m\u00E8re."),
           QStringLiteral("\u2666 A b\u025B so k\u0254n\u0254."),
           QStringLiteral("BAA [\u00F3] N fleuve.")}},
         {QStringLiteral("q"), {QStringLiteral("\u041BINI [\u00F3 \u00F3] W.")}}}};
    QVERIFY(data.writeTo(m_workDir->filePath(QStringLiteral("res"))));
    QVERIFY(QDir::setCurrent(m_workDir->path()));
}

void TestWidget::cleanup()
{
    QDir::setCurrent(m_startDir);
}

// Lines 2 and 3 state the numbers of headwords and lexicon rows loaded; the entry view
// colours the legend: ↓ (U+2193) in line 6 olive, as in an entry.
void TestWidget::informationText()
{
    Widget window;
    const QTextDocument *document = window.findChild<QTextEdit *>()->document();
    QVERIFY(document->toPlainText().contains(QStringLiteral("\u025B 5 ni k"))); // ɛ
    QVERIFY(document->toPlainText().contains(QStringLiteral("\u025B 4 ni k")));
    const QTextBlock legend = document->findBlockByNumber(5);
    const QTextLayout::FormatRange arrow = legend.layout()->formats().value(0);
    QCOMPARE(arrow.start, legend.text().indexOf(QChar(0x2193)));
    QCOMPARE(arrow.format.foreground().color(), QColor(Qt::darkYellow));
}

// The credits after the legend's empty line, up to the greeting: the program's makers, then
// the about file's lines, their parenthesis shown as a look-alike (❨ ❩ U+2768, U+2769) and
// coloured as nothing; without an about file, no word on the data's origin.
void TestWidget::creditsComeFromTheAboutFile_data()
{
    QTest::addColumn<QStringList>("about"); // empty: no about file
    QTest::addColumn<QString>("credits");
    // ɛ U+025B, ɲ U+0272
    QTest::newRow("with an about file, its lines")
        << QStringList{QStringLiteral("Misali (test)"), QStringLiteral("CC BY-NC 4.0")}
        << QStringLiteral("Dilanbagaw: Lexora j\u025Bkulu.\nMisali \u2768test\u2769\nCC BY-NC 4.0");
    QTest::newRow("without, no data source named")
        << QStringList{} << QStringLiteral("Dilanbagaw: Lexora j\u025Bkulu.");
}

void TestWidget::creditsComeFromTheAboutFile()
{
    QFETCH(QStringList, about);
    QFETCH(QString, credits);
    if (!about.isEmpty())
        QVERIFY(testdata::writeFile(QStringLiteral("res/about.bna"), encodeDataFile(about)));
    Widget window;
    const QTextDocument *document = window.findChild<QTextEdit *>()->document();
    const QStringList lines = document->toPlainText().split(QLatin1Char('\n'));
    const int start = lines.indexOf(QString()) + 1;
    QCOMPARE(lines.mid(start, lines.size() - start - 2).join(QLatin1Char('\n')), credits);
    for (int i = start; i < lines.size(); ++i)
        QVERIFY2(document->findBlockByNumber(i).layout()->formats().isEmpty(),
                 qPrintable(lines.at(i)));
}

void TestWidget::dictionaryFieldMovesTheListAndShowsTheEntry_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("entry");
    const QString ba =
        QStringLiteral("BA [\u00F3] N m\u00E8re.\n\u2666 A b\u025B so k\u0254n\u0254.\n");
    QTest::newRow("first headword that begins with it") << QStringLiteral("baa\b") << 1 << ba;
    QTest::newRow("no headword begins with it: the last match stays")
        << QStringLiteral("baaz") << 2 << QStringLiteral("BAA [\u00F3] N fleuve.\n\n");
    QTest::newRow("clearing selects the first headword")
        << QStringLiteral("ba\b\b") << 0 << QStringLiteral("A [\u00F2] TU il.\n\n");
    QTest::newRow("q types \u0272, which finds the headword written with \u041B")
        << QStringLiteral("qi") << 3 << QStringLiteral("\u041BINI [\u00F3 \u00F3] W.\n\n");
    QTest::newRow("a headword whose letter file is missing: not found")
        << QStringLiteral("so") << 4 << QStringLiteral("SO ma ye.");
}

void TestWidget::dictionaryFieldMovesTheListAndShowsTheEntry()
{
    QFETCH(QString, keys);
    QFETCH(int, row);
    QFETCH(QString, entry);
    Widget window;
    QTest::keyClicks(window.findChild<MyLineEdit *>(), keys);
    QCOMPARE(window.findChild<QListWidget *>()->currentRow(), row);
    QCOMPARE(window.findChild<QTextEdit *>()->toPlainText(), entry);
}

void TestWidget::lexiconFieldMovesTheTable_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("row");
    QTest::newRow("upper-cased, first row that begins with it")
        << QStringList{QStringLiteral("s")} << 3;
    QTest::newRow("\u0272 upper-cased to \u019D, not to the headwords' \u041B")
        << QStringList{QStringLiteral("\u0272")} << 1;
    QTest::newRow("no match keeps the row")
        << QStringList{QStringLiteral("so"), QStringLiteral("zz")} << 3;
    QTest::newRow("clearing selects the first row")
        << QStringList{QStringLiteral("so"), QString()} << 0;
}

void TestWidget::lexiconFieldMovesTheTable()
{
    QFETCH(QStringList, texts);
    QFETCH(int, row);
    Widget window;
    auto *table = window.findChild<QTableWidget *>();
    for (const QString &text : texts)
        table->parentWidget()->findChild<QLineEdit *>()->setText(text); // the field above it
    QCOMPARE(table->currentRow(), row);
    // The row found is shown selected whole, word and gloss.
    QCOMPARE(table->selectionModel()->selectedRows(),
             QModelIndexList{table->model()->index(row, 0)});
}

// An entry line beyond 100 000 characters ends cut in "…"; a list cell draws at most
// 4 096 characters, so that a cell of 20 000 is narrower than 5 000 would be; the list
// keeps the whole headword and looks it up whole.
void TestWidget::showsVeryLongLinesCut()
{
    const QString longLine = QStringLiteral("LONG [\u00F3] N ") + QString(150000, QLatin1Char('x'));
    const QString longer = QStringLiteral("L") + QString(20000, QLatin1Char('O'));
    const testdata::Dictionary data{
        {QStringLiteral("LONG"), longer}, {}, {{QStringLiteral("l"), {longLine}}}};
    QVERIFY(data.writeTo(m_workDir->filePath(QStringLiteral("res"))));
    Widget window;
    auto *entry = window.findChild<QTextEdit *>();
    QTest::keyClicks(window.findChild<MyLineEdit *>(), QStringLiteral("long"));
    QCOMPARE(entry->toPlainText(), longLine.left(100000) + QChar(0x2026) + QStringLiteral("\n\n"));

    auto *list = window.findChild<QListWidget *>();
    const QSize cell = list->itemDelegate()->sizeHint({}, list->model()->index(1, 0));
    QVERIFY(cell.width() < list->fontMetrics().horizontalAdvance(QString(5000, QLatin1Char('O'))));
    list->setCurrentRow(1);
    QCOMPARE(list->currentItem()->text(), longer);
    QCOMPARE(entry->toPlainText(), longer + QStringLiteral(" ma ye."));
}

// The dictionary page as a user sees it: the search field above the headword list, the
// entry view to the right of both and as tall as the two, the hint under all three.
void TestWidget::dictionaryPageLaidOut()
{
    Widget window;
    window.resize(800, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto place = [&](const QWidget *widget) {
        return QRect(widget->mapTo(&window, QPoint()), widget->size());
    };
    const QRect field = place(window.findChild<MyLineEdit *>());
    const QRect list = place(window.findChild<QListWidget *>());
    const QRect entry = place(window.findChild<QTextEdit *>());
    QLabel *hint = nullptr;
    for (QLabel *label : window.findChildren<QLabel *>())
        if (label->text().startsWith(QStringLiteral("Alt+e=")))
            hint = label;
    QVERIFY(hint);
    QVERIFY(field.bottom() < list.top());
    QVERIFY(field.right() < entry.left() && list.right() < entry.left());
    QVERIFY(entry.top() <= field.top() && entry.bottom() >= list.bottom());
    QVERIFY(place(hint).top() > qMax(list.bottom(), entry.bottom()));
}

QTEST_MAIN(TestWidget)
#include "tst_widget.moc"
