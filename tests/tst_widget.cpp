#include "mylineedit.h"
#include "testdatafiles.h"
#include "widget.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSyntaxHighlighter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// The window's parts, found as a user finds them on screen.
struct WindowParts
{
    explicit WindowParts(Widget &window)
    {
        tabs = window.findChild<QTabWidget *>();
        dictionaryField = window.findChild<MyLineEdit *>();
        headwords = window.findChild<QListWidget *>();
        entry = window.findChild<QTextEdit *>();
        lexicon = window.findChild<QTableWidget *>();
        hint = window.findChild<QLabel *>();
        for (QLineEdit *field : window.findChildren<QLineEdit *>()) {
            if (!qobject_cast<MyLineEdit *>(field) &&
                !qobject_cast<QAbstractSpinBox *>(field->parentWidget()))
                if (field->parentWidget() == lexicon->parentWidget())
                    lexiconField = field;
        }
    }

    QTabWidget *tabs = nullptr;
    MyLineEdit *dictionaryField = nullptr;
    QLineEdit *lexiconField = nullptr;
    QListWidget *headwords = nullptr;
    QTextEdit *entry = nullptr;
    QTableWidget *lexicon = nullptr;
    QLabel *hint = nullptr;
};

const QString informationFirstLines = QStringLiteral(
    "LEXORA 1.5 KUNNAFONI\n"
    "Da\u0272\u025B 13 400 ni k\u0254 \u0272\u025Bf\u0254len don Da\u0272\u025Bgafe "
    "k\u0254n\u0254.\n"
    "Da\u0272\u025B 10 000 ni k\u0254 \u0272\u025Bf\u0254len don Da\u0272\u025Bs\u025Bb\u025Bn "
    "k\u0254n\u0254.\n"
    "Misaliw b\u025B Damin\u025B ni \u2666 taama\u0283y\u025Bn ye k'a kumasen \u0272\u025B "
    "K\u025B \u0272ugubaga ye.\n"
    "Da\u0272\u025B k\u0254r\u0254ma b\u025B Damin\u025B ni \u2191 taama\u0283y\u025Bn ye.\n"
    "Da\u0272\u025B sinama b\u025B Damin\u025B ni \u2193 taama\u0283y\u025Bn ye.\n"
    "\n");

testdata::Dictionary sampleDictionary()
{
    testdata::Dictionary data;
    data.headwords =
        QStringList{QStringLiteral("A"),   QStringLiteral("BA"),        QStringLiteral("BAA"),
                    QStringLiteral("ƐSI"), QStringLiteral("\u041BINI"), QStringLiteral("ʃOFƐRI"),
                    QStringLiteral("SO"),  QStringLiteral("B<I>&AMP;")};
    data.letters.insert(QStringLiteral("a"), {QStringLiteral("A [ò] TU il.")});
    data.letters.insert(QStringLiteral("b"),
                        {QStringLiteral("BA [ó] N mère."), QStringLiteral("♦ Ń ba bɛ so kɔnɔ."),
                         QStringLiteral("BAA [ó] N fleuve."), QStringLiteral("BAR [ó] N."),
                         QString()});
    data.letters.insert(QStringLiteral("ɛ"), {QStringLiteral("ƐSI [ó] N os.")});
    data.letters.insert(QStringLiteral("q"), {QStringLiteral("\u041BINI [ó ó] W chercher.")});
    data.letters.insert(QStringLiteral("x"), {QStringLiteral("ʃOFƐRI [ò ó ó] N chauffeur.")});
    data.letters.insert(QStringLiteral("s"), {QStringLiteral("SU [ó] N nuit.")});
    data.lexicon = QStringList{QStringLiteral("BA|mère"), QStringLiteral("\u019DINI|chercher"),
                               QStringLiteral("\u041BA|œil"), QStringLiteral("SO|maison"),
                               QStringLiteral(" SO B|x")};
    return data;
}

} // namespace

class TestWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void showsItsTextsAndLayout();
    void coloursTheLegendOfTheInformationText();
    void opensWithoutAnyData();
    void entryViewTakesNoInteraction();
    void dictionaryFieldMovesTheListAndShowsTheEntry_data();
    void dictionaryFieldMovesTheListAndShowsTheEntry();
    void clearingSelectsTheFirstHeadword();
    void typingForwardAndDeletingBack();
    void headwordWithoutEntryShowsTheNotFoundLine_data();
    void headwordWithoutEntryShowsTheNotFoundLine();
    void lexiconFieldMovesTheTable_data();
    void lexiconFieldMovesTheTable();
    void showsVeryLongLinesCut();

private:
    QString m_startDir;
    std::unique_ptr<QTemporaryDir> m_workDir;
    std::unique_ptr<Widget> m_window;
};

void TestWidget::initTestCase()
{
    m_startDir = QDir::currentPath();
}

void TestWidget::cleanupTestCase()
{
    QDir::setCurrent(m_startDir);
}

void TestWidget::init()
{
    // The window reads res/ in the working directory.
    m_workDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workDir->isValid());
    QVERIFY(sampleDictionary().writeTo(m_workDir->filePath(QStringLiteral("res"))));
    QVERIFY(QDir::setCurrent(m_workDir->path()));
    m_window = std::make_unique<Widget>();
}

void TestWidget::cleanup()
{
    m_window.reset();
    QDir::setCurrent(m_startDir);
}

void TestWidget::showsItsTextsAndLayout()
{
    Widget &window = *m_window;
    WindowParts parts(window);
    QVERIFY(parts.lexiconField);
    QCOMPARE(window.windowTitle(), QStringLiteral("Lexora"));
    QCOMPARE(window.minimumSize(), QSize(800, 500));
    QCOMPARE(parts.tabs->count(), 2);
    QCOMPARE(parts.tabs->tabText(0), QStringLiteral("DA\u041B\u0190GAFE"));
    QCOMPARE(parts.tabs->tabText(1), QStringLiteral("DA\u041B\u0190S\u0190B\u0190N"));
    QCOMPARE(parts.tabs->currentIndex(), 0);
    QCOMPARE(parts.dictionaryField->placeholderText(), QStringLiteral("A \u041Bini"));
    QCOMPARE(QString::fromLatin1(parts.dictionaryField->metaObject()->className()),
             QStringLiteral("MyLineEdit"));
    QCOMPARE(parts.lexiconField->placeholderText(), QStringLiteral("Chercher"));
    QCOMPARE(parts.hint->text(),
             QStringLiteral("Alt+e=\u025B, q=\u0272, v=\u014B, Alt+o=\u0254, x=\u0283"));
    QVERIFY(parts.entry->toPlainText().startsWith(informationFirstLines));
    QVERIFY(!parts.entry->toPlainText().endsWith(QLatin1Char('\n')));
    QVERIFY(parts.entry->document()->findChild<QSyntaxHighlighter *>());
    QVERIFY(!parts.headwords->currentItem());

    auto *mainLayout = qobject_cast<QVBoxLayout *>(window.layout());
    QVERIFY(mainLayout);
    QCOMPARE(mainLayout->contentsMargins(), QMargins(0, 2, 0, 0));
    QCOMPARE(mainLayout->itemAt(0)->widget(), parts.tabs);

    // Dictionary grid: field over list on the left, entry view over both rows on the
    // right, the hint across the bottom; the entry view and the list take the extra room.
    auto *grid = qobject_cast<QGridLayout *>(parts.tabs->widget(0)->layout());
    QVERIFY(grid);
    const auto cellOf = [](QGridLayout *layout, QWidget *widget) {
        int row, column, rowSpan, columnSpan;
        layout->getItemPosition(layout->indexOf(widget), &row, &column, &rowSpan, &columnSpan);
        return QList<int>{row, column, rowSpan, columnSpan};
    };
    QCOMPARE(cellOf(grid, parts.dictionaryField), (QList<int>{0, 0, 1, 1}));
    QCOMPARE(cellOf(grid, parts.headwords), (QList<int>{1, 0, 1, 1}));
    QCOMPARE(cellOf(grid, parts.entry), (QList<int>{0, 1, 2, 1}));
    QCOMPARE(cellOf(grid, parts.hint), (QList<int>{2, 0, 1, 2}));
    QCOMPARE((QList<int>{grid->columnStretch(0), grid->columnStretch(1), grid->rowStretch(0),
                         grid->rowStretch(1), grid->rowStretch(2)}),
             (QList<int>{0, 1, 0, 1, 0}));

    auto *lexiconGrid = qobject_cast<QGridLayout *>(parts.tabs->widget(1)->layout());
    QVERIFY(lexiconGrid);
    QCOMPARE(cellOf(lexiconGrid, parts.lexiconField), (QList<int>{0, 1, 1, 1}));
    QCOMPARE(cellOf(lexiconGrid, parts.lexicon), (QList<int>{1, 0, 1, 2}));
    QCOMPARE((QList<int>{lexiconGrid->columnStretch(0), lexiconGrid->columnStretch(1),
                         lexiconGrid->rowStretch(0), lexiconGrid->rowStretch(1)}),
             (QList<int>{1, 0, 0, 1}));
    QVERIFY(parts.lexicon->horizontalHeader()->isHidden());
    QVERIFY(parts.lexicon->verticalHeader()->isHidden());
    QCOMPARE(parts.lexicon->selectionBehavior(), QAbstractItemView::SelectRows);

    // However wide the window, the list stays at most 180 pixels wide.
    window.resize(1600, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(parts.headwords->width() <= 180);
    QVERIFY(parts.entry->width() > 1000);
    window.resize(300, 200);
    QVERIFY(window.width() >= 800 && window.height() >= 500);
}

// The highlighter's format at `position` of `block`, as the layout holds it.
static QTextCharFormat formatAt(const QTextBlock &block, int position)
{
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (position >= range.start && position < range.start + range.length)
            return range.format;
    }
    return {};
}

void TestWidget::coloursTheLegendOfTheInformationText()
{
    WindowParts parts(*m_window);
    QTextDocument *document = parts.entry->document();
    const QTextBlock examples = document->findBlockByNumber(3);
    const int diamond = examples.text().indexOf(QChar(0x2666));
    // The highlighter colours the text already in place on the next pass of the event loop.
    QVERIFY(examples.layout()->formats().isEmpty());
    QCoreApplication::processEvents();

    QVERIFY(!formatAt(examples, diamond - 1).hasProperty(QTextFormat::ForegroundBrush));
    for (int position = diamond; position < examples.length() - 1; ++position) {
        const QTextCharFormat format = formatAt(examples, position);
        QCOMPARE(format.foreground().color(), QColor(Qt::darkCyan));
        QVERIFY(format.fontItalic());
    }
    // Each arrow is followed by a blank, so it is coloured alone.
    const QList<QPair<int, QColor>> arrows = {{4, QColor(0, 153, 0)}, {5, QColor(Qt::darkYellow)}};
    for (const auto &arrow : arrows) {
        const QTextBlock block = document->findBlockByNumber(arrow.first);
        const int at = block.text().indexOf(arrow.first == 4 ? QChar(0x2191) : QChar(0x2193));
        QCOMPARE(formatAt(block, at).foreground().color(), arrow.second);
        QVERIFY(!formatAt(block, at + 1).hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(!formatAt(block, at - 1).hasProperty(QTextFormat::ForegroundBrush));
    }
}

void TestWidget::opensWithoutAnyData()
{
    m_window.reset();
    QVERIFY(QDir(m_workDir->filePath(QStringLiteral("res"))).removeRecursively());
    Widget window;
    WindowParts parts(window);
    QCOMPARE(parts.tabs->count(), 2);
    QCOMPARE(parts.headwords->count(), 0);
    QCOMPARE(parts.lexicon->rowCount(), 0);
    QVERIFY(parts.entry->toPlainText().startsWith(informationFirstLines));
    QTest::keyClicks(parts.dictionaryField, QStringLiteral("ba"));
    QTest::keyClicks(parts.lexiconField, QStringLiteral("so"));
    QCOMPARE(parts.dictionaryField->text(), QStringLiteral("ba"));
    QCOMPARE(parts.lexiconField->text(), QStringLiteral("so"));
    QVERIFY(parts.entry->toPlainText().startsWith(informationFirstLines));
}

void TestWidget::entryViewTakesNoInteraction()
{
    WindowParts parts(*m_window);
    QCOMPARE(parts.entry->textInteractionFlags(), Qt::NoTextInteraction);
    const QString before = parts.entry->toPlainText();
    QTest::keyClicks(parts.entry, QStringLiteral("abc"));
    QTest::keyClick(parts.entry, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(parts.entry->toPlainText(), before);
    QVERIFY(!parts.entry->textCursor().hasSelection());
}

void TestWidget::dictionaryFieldMovesTheListAndShowsTheEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("entry");
    QTest::newRow("first headword that begins with the text")
        << QStringLiteral("b") << 1 << QStringLiteral("BA [ó] N mère.\n♦ Ń ba bɛ so kɔnɔ.\n");
    QTest::newRow("the longer text moves on")
        << QStringLiteral("baa") << 2 << QStringLiteral("BAA [ó] N fleuve.\n");
    QTest::newRow("small ɛ finds Ɛ")
        << QStringLiteral("ɛ") << 3 << QStringLiteral("ƐSI [ó] N os.\n\n");
    QTest::newRow("small ɲ finds Л (U+041B)")
        << QStringLiteral("ɲi") << 4 << QStringLiteral("\u041BINI [ó ó] W chercher.\n\n");
    QTest::newRow("capital Ɲ (U+019D) finds Л too")
        << QStringLiteral("\u019Dini") << 4 << QStringLiteral("\u041BINI [ó ó] W chercher.\n\n");
    QTest::newRow("ʃ finds the small ʃ")
        << QStringLiteral("ʃo") << 5 << QStringLiteral("ʃOFƐRI [ò ó ó] N chauffeur.\n\n");
    QTest::newRow("blanks only select the first row")
        << QStringLiteral("   ") << 0 << QStringLiteral("A [ò] TU il.\n\n");
}

void TestWidget::dictionaryFieldMovesTheListAndShowsTheEntry()
{
    QFETCH(QString, typed);
    QFETCH(int, row);
    QFETCH(QString, entry);
    WindowParts parts(*m_window);
    // Typed as one edit, the way a paste or an input method delivers text.
    parts.dictionaryField->insert(typed);
    QCOMPARE(parts.headwords->currentRow(), row);
    QCOMPARE(parts.headwords->selectedItems().size(), 1);
    QCOMPARE(parts.entry->toPlainText(), entry);
}

void TestWidget::clearingSelectsTheFirstHeadword()
{
    WindowParts parts(*m_window);
    QTest::keyClicks(parts.dictionaryField, QStringLiteral("so"));
    QCOMPARE(parts.headwords->currentRow(), 6);
    parts.dictionaryField->clear();
    QCOMPARE(parts.headwords->currentRow(), 0);
    QCOMPARE(parts.entry->toPlainText(), QStringLiteral("A [ò] TU il.\n\n"));
}

void TestWidget::typingForwardAndDeletingBack()
{
    WindowParts parts(*m_window);
    const QList<QPair<int, int>> steps = {
        {Qt::Key_B, 1}, {Qt::Key_A, 1}, {Qt::Key_A, 2}, {Qt::Key_Z, 2}};
    for (const auto &step : steps) {
        QTest::keyClick(parts.dictionaryField, Qt::Key(step.first));
        QCOMPARE(parts.headwords->currentRow(), step.second);
    }
    // No headword begins with BAAZ: the last match stays, with its entry.
    QCOMPARE(parts.entry->toPlainText(), QStringLiteral("BAA [ó] N fleuve.\n"));
    QTest::keyClick(parts.dictionaryField, Qt::Key_Backspace);
    QTest::keyClick(parts.dictionaryField, Qt::Key_Backspace);
    QCOMPARE(parts.headwords->currentRow(), 1);
    QCOMPARE(parts.entry->toPlainText(), QStringLiteral("BA [ó] N mère.\n♦ Ń ba bɛ so kɔnɔ.\n"));
}

void TestWidget::headwordWithoutEntryShowsTheNotFoundLine_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a headword without entry") << 6 << QStringLiteral("SO ma ye.");
    QTest::newRow("mark-up characters show as themselves")
        << 7 << QStringLiteral("B<I>&AMP; ma ye.");
}

void TestWidget::headwordWithoutEntryShowsTheNotFoundLine()
{
    QFETCH(int, row);
    QFETCH(QString, shown);
    WindowParts parts(*m_window);
    parts.headwords->setCurrentRow(row);
    QCOMPARE(parts.entry->toPlainText(), shown);
    // The word is bold, the rest is not.
    QTextCursor cursor(parts.entry->document());
    cursor.setPosition(1);
    QVERIFY(cursor.charFormat().fontWeight() >= QFont::Bold);
    cursor.setPosition(shown.size() - 1);
    QVERIFY(cursor.charFormat().fontWeight() < QFont::Bold);
    QCOMPARE(parts.entry->document()->blockCount(), 1);
}

void TestWidget::lexiconFieldMovesTheTable_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("row");
    QTest::newRow("upper-cased, first row that begins with it")
        << QStringList{QStringLiteral("s")} << 3;
    QTest::newRow("ɲ becomes Ɲ (U+019D), not Л (U+041B)") << QStringList{QStringLiteral("ɲ")} << 1;
    QTest::newRow("a leading blank matches no trimmed word")
        << QStringList{QStringLiteral("ba"), QStringLiteral(" so")} << 0;
    QTest::newRow("no match keeps the selection")
        << QStringList{QStringLiteral("so"), QStringLiteral("zz")} << 3;
    QTest::newRow("clearing selects the first row")
        << QStringList{QStringLiteral("so"), QString()} << 0;
}

void TestWidget::lexiconFieldMovesTheTable()
{
    QFETCH(QStringList, typed);
    QFETCH(int, row);
    WindowParts parts(*m_window);
    for (const QString &text : typed)
        parts.lexiconField->setText(text);
    QCOMPARE(parts.lexicon->currentRow(), row);
    QCOMPARE(parts.lexicon->currentColumn(), 0);
    // Whole rows are selected.
    QCOMPARE(parts.lexicon->selectedItems().size(), 2);
    QCOMPARE(parts.lexicon->selectedItems().at(0)->row(), row);
    // Nothing listens to the table: the dictionary side is untouched.
    QVERIFY(parts.entry->toPlainText().startsWith(informationFirstLines));
}

void TestWidget::showsVeryLongLinesCut()
{
    m_window.reset();
    const QString longHeadword = QStringLiteral("L") + QString(5000, QLatin1Char('O'));
    const QString longLine = QStringLiteral("LONG [ó] N ") + QString(150000, QLatin1Char('x'));
    testdata::Dictionary data;
    data.headwords = QStringList{QStringLiteral("LONG"), longHeadword};
    data.letters.insert(QStringLiteral("l"), {longLine, QStringLiteral("♦ Short.")});
    QVERIFY(data.writeTo(m_workDir->filePath(QStringLiteral("res"))));
    Widget window;
    WindowParts parts(window);
    parts.dictionaryField->insert(QStringLiteral("long"));
    QCOMPARE(parts.entry->toPlainText(),
             longLine.left(100000) + QChar(0x2026) + QStringLiteral("\n♦ Short.\n\n"));
    // The list item keeps the whole headword: choosing it looks the whole word up.
    parts.headwords->setCurrentRow(1);
    QCOMPARE(parts.headwords->currentItem()->text(), longHeadword);
    QCOMPARE(parts.entry->toPlainText().size(),
             longHeadword.size() + QStringLiteral(" ma ye.").size());
}

QTEST_MAIN(TestWidget)
#include "tst_widget.moc"
