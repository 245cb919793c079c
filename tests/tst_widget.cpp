// The main window as a user drives it, on a small dictionary in res/ of the working
// directory: the fields move the list and the table, the entry shows, the information text
// states what was loaded and its legend is coloured, very long lines are shown cut.

#include "mylineedit.h"
#include "testdatafiles.h"
#include "widget.h"

#include <QAbstractItemDelegate>
#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

namespace {

// 5 headwords, 4 lexicon rows. ɛ U+025B, ɔ U+0254, Л U+041B, Ɲ U+019D, ♦ U+2666,
// ò U+00F2, ó U+00F3, è U+00E8, œ U+0153
testdata::Dictionary sampleDictionary()
{
    testdata::Dictionary data;
    data.headwords = QStringList{QStringLiteral("A"), QStringLiteral("BA"), QStringLiteral("BAA"),
                                 QStringLiteral("\u041BINI"), QStringLiteral("SO")};
    data.letters.insert(QStringLiteral("a"), {QStringLiteral("A [\u00F2] TU il.")});
    data.letters.insert(QStringLiteral("b"), {QStringLiteral("BA [\u00F3] N m\u00E8re."),
                                              QStringLiteral("\u2666 A b\u025B so k\u0254n\u0254."),
                                              QStringLiteral("BAA [\u00F3] N fleuve.")});
    data.letters.insert(QStringLiteral("q"), {QStringLiteral("\u041BINI [\u00F3 \u00F3] W.")});
    data.lexicon = QStringList{QStringLiteral("BA|m\u00E8re"), QStringLiteral("\u019DINI|chercher"),
                               QStringLiteral("\u041BA|\u0153il"), QStringLiteral("SO|maison")};
    return data;
}

// The highlighter's format at `position` of `block`.
QTextCharFormat formatAt(const QTextBlock &block, int position)
{
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (position >= range.start && position < range.start + range.length)
            return range.format;
    }
    return {};
}

} // namespace

class TestWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void informationText();
    void dictionaryFieldMovesTheListAndShowsTheEntry_data();
    void dictionaryFieldMovesTheListAndShowsTheEntry();
    void lexiconFieldMovesTheTable_data();
    void lexiconFieldMovesTheTable();
    void showsVeryLongLinesCut();

private:
    QString m_startDir = QDir::currentPath();
    std::unique_ptr<QTemporaryDir> m_workDir;
};

void TestWidget::init()
{
    m_workDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workDir->isValid());
    QVERIFY(sampleDictionary().writeTo(m_workDir->filePath(QStringLiteral("res"))));
    QVERIFY(QDir::setCurrent(m_workDir->path()));
}

void TestWidget::cleanup()
{
    QDir::setCurrent(m_startDir);
}

// Lines 2 and 3 state the numbers of headwords and lexicon rows loaded. In lines 4 to 6,
// ♦ (U+2666) to the end of its line is dark cyan and italic, ↑ (U+2191) green up to the
// next blank and ↓ (U+2193) olive, what comes before them plain.
void TestWidget::informationText()
{
    Widget window;
    QCoreApplication::processEvents();
    const QTextDocument *document = window.findChild<QTextEdit *>()->document();
    QVERIFY(document->toPlainText().contains(QStringLiteral("\u025B 5 ni k"))); // ɛ
    QVERIFY(document->toPlainText().contains(QStringLiteral("\u025B 4 ni k")));
    const QChar marks[] = {QChar(0x2666), QChar(0x2191), QChar(0x2193)};
    const QColor colours[] = {Qt::darkCyan, QColor(0, 153, 0), Qt::darkYellow};
    for (int i = 0; i < 3; ++i) {
        const QTextBlock block = document->findBlockByNumber(3 + i);
        const int at = block.text().indexOf(marks[i]);
        QVERIFY(at > 0);
        QVERIFY(!formatAt(block, at - 1).hasProperty(QTextFormat::ForegroundBrush));
        const QTextCharFormat end = formatAt(block, i == 0 ? block.length() - 2 : at);
        QCOMPARE(end.foreground().color(), colours[i]);
        QCOMPARE(end.fontItalic(), i == 0);
    }
}

void TestWidget::dictionaryFieldMovesTheListAndShowsTheEntry_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("entry");
    const QString ba =
        QStringLiteral("BA [\u00F3] N m\u00E8re.\n\u2666 A b\u025B so k\u0254n\u0254.\n");
    const QString baa = QStringLiteral("BAA [\u00F3] N fleuve.\n\n");
    QTest::newRow("first headword that begins with it") << QStringLiteral("b") << 1 << ba;
    QTest::newRow("typing on moves on") << QStringLiteral("baa") << 2 << baa;
    QTest::newRow("no headword begins with it: the last match stays")
        << QStringLiteral("baaz") << 2 << baa;
    QTest::newRow("deleting back moves back") << QStringLiteral("baa\b") << 1 << ba;
    QTest::newRow("clearing selects the first headword")
        << QStringLiteral("ba\b\b") << 0 << QStringLiteral("A [\u00F2] TU il.\n\n");
    QTest::newRow("q types \u0272, which finds the headword written with \u041B")
        << QStringLiteral("qi") << 3 << QStringLiteral("\u041BINI [\u00F3 \u00F3] W.\n\n");
    QTest::newRow("a headword without entry")
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
    QTest::newRow("a leading blank matches no trimmed word")
        << QStringList{QStringLiteral("ba"), QStringLiteral(" so")} << 0;
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
    const QList<QLineEdit *> fields = window.findChildren<QLineEdit *>(); // the other one
    QLineEdit *field = *std::find_if(fields.begin(), fields.end(), [](QLineEdit *candidate) {
        return !qobject_cast<MyLineEdit *>(candidate);
    });
    for (const QString &text : texts)
        field->setText(text);
    QCOMPARE(window.findChild<QTableWidget *>()->currentRow(), row);
}

// An entry line beyond 100 000 characters ends cut in "…"; a list cell draws at most
// 4 096 characters, so that a cell of 20 000 is narrower than 5 000 would be; the list
// keeps the whole headword and looks it up whole.
void TestWidget::showsVeryLongLinesCut()
{
    const QString longLine = QStringLiteral("LONG [\u00F3] N ") + QString(150000, QLatin1Char('x'));
    const QString longer = QStringLiteral("L") + QString(5000, QLatin1Char('O'));
    testdata::Dictionary data;
    data.headwords = QStringList{QStringLiteral("LONG"), longer,
                                 QStringLiteral("L") + QString(20000, QLatin1Char('O'))};
    data.letters.insert(QStringLiteral("l"), {longLine, QStringLiteral("\u2666 Short.")});
    QVERIFY(data.writeTo(m_workDir->filePath(QStringLiteral("res"))));
    Widget window;
    auto *entry = window.findChild<QTextEdit *>();
    auto *list = window.findChild<QListWidget *>();

    QTest::keyClicks(window.findChild<MyLineEdit *>(), QStringLiteral("long"));
    QCOMPARE(entry->toPlainText(),
             longLine.left(100000) + QChar(0x2026) + QStringLiteral("\n\u2666 Short.\n\n"));

    const QStyleOptionViewItem option;
    const auto width = [&](int row) {
        return list->itemDelegate()->sizeHint(option, list->model()->index(row, 0)).width();
    };
    QVERIFY(width(2) < list->fontMetrics().horizontalAdvance(QString(5000, QLatin1Char('O'))));

    list->setCurrentRow(1);
    QCOMPARE(list->currentItem()->text(), longer);
    QCOMPARE(entry->toPlainText(), longer + QStringLiteral(" ma ye."));
}

QTEST_MAIN(TestWidget)
#include "tst_widget.moc"
