#include "widget.h"

#include "aboutfile.h"
#include "datafilenames.h"
#include "dataloading.h"
#include "dictionarydata.h"
#include "entrylookup.h"
#include "highlighter.h"
#include "informationtext.h"
#include "longtextdelegate.h"
#include "mylineedit.h"
#include "alphabet.h"
#include "showntext.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int headwordListMaximumWidth = 180;
constexpr int minimumWindowWidth = 800;
constexpr int minimumWindowHeight = 500;

} // namespace

Widget::Widget(QWidget *parent) : QWidget(parent)
{
    // The files are read, and the lexicon's cells made, on a second thread meanwhile. The
    // cells are declared first, so that they outlive `files`, which waits for that thread.
    LexiconCells lexiconCells;
    DictionaryReading files(dataDirectory(), [&lexiconCells](const auto &rows) {
        lexiconCells = makeLexiconCells(rows);
    });
    QWidget *dictionaryPage = createDictionaryPage();
    headwordTexts = loadHeadwords(headwordList, files.takeHeadwords());
    QWidget *lexiconPage = createLexiconPage();
    const auto lexicon = files.takeLexicon();
    loadLexicon(lexiconTable, lexicon, std::move(lexiconCells));
    letterTexts = files.takeLetterTexts();
    showInformationText();
    createTabs(dictionaryPage, lexiconPage);
}

Widget::~Widget() = default;

QWidget *Widget::createDictionaryPage()
{
    auto *searchField = new MyLineEdit;
    searchField->setPlaceholderText(QStringLiteral("A \u041Bini")); // Л U+041B
    connect(searchField, SIGNAL(textChanged(QString)), this, SLOT(dicFilter(QString)));

    headwordList = new QListWidget;
    headwordList->setMaximumWidth(headwordListMaximumWidth);
    headwordList->setItemDelegate(new LongTextDelegate(headwordList));
    connect(headwordList, SIGNAL(currentTextChanged(QString)), this, SLOT(findWord(QString)));

    entryView = new QTextEdit(this);
    entryView->setTextInteractionFlags(Qt::NoTextInteraction);
    new Highlighter(entryView->document());

    // ɛ U+025B, ɲ U+0272, ŋ U+014B, ɔ U+0254, ʃ U+0283
    auto *hint = new QLabel(QStringLiteral("Alt+e=\u025B, q=\u0272, v=\u014B, Alt+o=\u0254, "
                                           "x=\u0283"));

    auto *grid = new QGridLayout;
    grid->addWidget(searchField, 0, 0);
    grid->addWidget(headwordList, 1, 0);
    grid->addWidget(entryView, 0, 1, 2, 1);
    grid->addWidget(hint, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    auto *page = new QWidget;
    page->setLayout(grid);
    return page;
}

QWidget *Widget::createLexiconPage()
{
    auto *searchField = new QLineEdit;
    searchField->setPlaceholderText(QStringLiteral("Chercher"));
    connect(searchField, SIGNAL(textChanged(QString)), this, SLOT(lexicFilter(QString)));

    lexiconTable = new QTableWidget;
    lexiconTable->setColumnCount(2);
    lexiconTable->verticalHeader()->hide();
    lexiconTable->horizontalHeader()->hide();
    lexiconTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    lexiconTable->setItemDelegate(new LongTextDelegate(lexiconTable));

    auto *grid = new QGridLayout;
    grid->addWidget(searchField, 0, 1);
    grid->addWidget(lexiconTable, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);

    auto *page = new QWidget;
    page->setLayout(grid);
    return page;
}

// Shown once the data are loaded, since it states how much was loaded.
void Widget::showInformationText()
{
    // Plain text: the about lines come from the data and may look like mark-up.
    entryView->setPlainText(
        informationText(headwordTexts.size(), lexiconTable->rowCount(),
                        readAboutLines(dataDirectory()).value_or(QStringList())));
}

void Widget::createTabs(QWidget *dictionaryPage, QWidget *lexiconPage)
{
    auto *tabs = new QTabWidget;
    tabs->addTab(dictionaryPage, QStringLiteral("DA\u041B\u0190GAFE")); // Л U+041B, Ɛ U+0190
    tabs->addTab(lexiconPage,
                 QStringLiteral("DA\u041B\u0190S\u0190B\u0190N")); // Л U+041B, Ɛ U+0190

    auto *mainLayout = new QVBoxLayout;
    mainLayout->setContentsMargins(0, 2, 0, 0);
    mainLayout->addWidget(tabs);
    setLayout(mainLayout);

    setWindowTitle(QStringLiteral("Lexora"));
    setMinimumSize(minimumWindowWidth, minimumWindowHeight);
}

void Widget::dicFilter(QString filterString)
{
    const QString form = searchForm(filterString);
    const int rows = headwordTexts.size();
    for (int row = 0; row < rows; ++row) {
        if (headwordTexts.at(row).startsWith(form)) {
            headwordList->setCurrentRow(row);
            return;
        }
    }
}

void Widget::lexicFilter(QString filterString)
{
    const QString upper = filterString.toUpper();
    const int rows = lexiconTable->rowCount();
    for (int row = 0; row < rows; ++row) {
        QTableWidgetItem *cell = lexiconTable->item(row, 0);
        if (cell && cell->text().startsWith(upper)) {
            lexiconTable->setCurrentItem(cell);
            return;
        }
    }
}

void Widget::findWord(QString word)
{
    const LookupResult result = lookUpWord(letterTexts, word);
    switch (result.kind) {
    case LookupResult::Unchanged:
        break;
    case LookupResult::Entry:
        // Always plain lines, even when a line looks like mark-up.
        entryView->setPlainText(cutLongLines(result.text));
        break;
    case LookupResult::NotFound:
        entryView->setHtml(notFoundMessage(cutLongLines(result.text)));
        break;
    }
}
