// The entry view's colouring of entries as a user sees it, written as a mask: one letter per
// character naming its look ("." plain, "?" a look no mark has), "\n" between blocks. The
// looks every export styles an entry by (entrystyle.h) are the ones the view shows.

#include "highlighter.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

namespace {

// Each look: its letter, colour, whether bold, whether italic.
const std::tuple<char, QColor, bool, bool> looks[] = {
    {'T', Qt::darkRed, false, false},              // tag word
    {'B', Qt::blue, false, false},                 // bullet
    {'E', Qt::darkCyan, false, true},              // ♦ example sentence
    {'U', QColor(0x00, 0x99, 0x00), false, false}, // ↑ word, green
    {'D', Qt::darkYellow, false, false},           // ↓ word, olive
    {'H', Qt::darkBlue, true, false},              // headword, before the last "["
    {'P', Qt::blue, true, false},                  // before the last "("
    {'O', QColor(0x66, 0x00, 0xcc), false, false}, // tone group, purple
    {'C', QColor(0x00, 0x66, 0x00), false, false}, // {…}, green
    {'S', Qt::darkMagenta, false, false},          // /…/
};

// The letter of each look the exports are given.
const std::pair<EntryLook, char> lookLetters[] = {
    {EntryLook::Tag, 'T'},
    {EntryLook::Bullet, 'B'},
    {EntryLook::Example, 'E'},
    {EntryLook::UpArrowWord, 'U'},
    {EntryLook::DownArrowWord, 'D'},
    {EntryLook::Headword, 'H'},
    {EntryLook::BeforeParenthesis, 'P'},
    {EntryLook::ToneGroup, 'O'},
    {EntryLook::Brace, 'C'},
    {EntryLook::Slash, 'S'},
};

QString blockMask(const QTextBlock &block)
{
    QString mask(block.length() - 1, QLatin1Char('.'));
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        const QTextCharFormat &format = range.format;
        QChar letter = QLatin1Char(format.properties().isEmpty() ? '.' : '?');
        for (const auto &[look, colour, bold, italic] : looks) {
            if (format.foreground().color() == colour && format.fontItalic() == italic &&
                (format.fontWeight() == QFont::Bold) == bold)
                letter = QLatin1Char(look);
        }
        mask.replace(range.start, range.length, QString(range.length, letter));
    }
    return mask;
}

// The mask of the runs styledRuns() gives a line; "?" where runs overlap, touch with one
// look or hold a look without letter.
QString runMask(const QString &line)
{
    QString mask(line.size(), QLatin1Char('.'));
    int end = 0;
    EntryLook previous = EntryLook::Plain;
    for (const StyledRun &run : styledRuns(line)) {
        QChar letter = QLatin1Char('?');
        for (const auto &[look, lookLetter] : lookLetters) {
            if (look == run.look)
                letter = QLatin1Char(lookLetter);
        }
        if (run.start < end || (run.start == end && run.look == previous) || run.length <= 0)
            letter = QLatin1Char('?');
        mask.replace(run.start, run.length, QString(run.length, letter));
        end = run.start + run.length;
        previous = run.look;
    }
    return mask;
}

} // namespace

class TestHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void colouring_data();
    void colouring();
    void runsAsShown_data() { colouring_data(); }
    void runsAsShown();
};

// ♦ U+2666, • U+2022, ↑ U+2191, ↓ U+2193, ò U+00F2, ó U+00F3, ɛ U+025B, ɔ U+0254,
// ŋ U+014B, combining acute U+0301.
void TestHighlighter::colouring_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mask");
    const auto row = [](const char *name, const char16_t *text, const char *mask) {
        QTest::newRow(name) << QString::fromUtf16(text) << QString::fromLatin1(mask);
    };
    row("no marks", u"a b, c; d2 _e", ".............");
    row("every tag word", u"TG W M N TU D KB KR", "TT.T.T.T.TT.T.TT.TT");
    row("tags beside punctuation, not glued to a letter, digit, underscore or mark, nor small",
        u"(TG) KR. TGX aTG KR2 _W D\u0301 tg", ".TT..TT......................");
    row("arrows with their words of letters, underscores, digits and marks; bullets alone",
        u"\u2191k\u0254n\u0254 \u2193\u014Ba_2\u0301-b \u2022x", "UUUUU.DDDDDD...B.");
    row("example through the first full stop, else the last ! or ?, else not at all",
        u"\u2666 A! B. c.\n\u2666 a? b! c\n\u2666 a b", "EEEEEEE...\nEEEEEEE..\n.....");
    row("headword, tone group, tag after the bracket", u"ba [\u00F2 \u00F3] TG", "HHHOOOOO.TT");
    row("parenthesis over headword, tone group over both", u"ba [\u00F2] (x) y", "PPPOOOP.....");
    row("headword up to the last bracket, glued to it or not", u"a [b] so[w]", "HHHHHHHH...");
    row("headword from the first word character, a mark too, over tags", u"\u2022 \u0301a TG [x]",
        "B.HHHHHH...");
    row("example holding a bracket", u"\u2666 A [so] b.", "EEHHEEEEEEE");
    row("tone group of tone letters and blanks in any brackets, from the last opening one",
        u"(\u00F2\t\u00A0\u00F3]\n[\u00F2a]\n[[\u00F2]", "OOOOOO\n....\n.OOO");
    row("braces from the first to the last after it", u"a {b} c} d\n} a {", "..CCCCCC..\n.....");
    row("brace stretch over every other mark", u"{TG \u2022 \u2666x.} ba [y]", "CCCCCCCCCCHHHH...");
    row("slashes from the first to the last, over a brace stretch", u"{a /b} c/ d /e/",
        "CCCSSSSSSSSSSSS");
    row("marks split over lines", u"\u2666 a /b {c ba\n[x] c} d/.", "............\n..........");
    row("words before brackets", u"|a [|a [", "|HHH|HH.");
    row("words after the only bracket", u"[|ab |", ".|...|");
    row("example up to the last !", u"\u2666| a!| b", "E|EEE|..");
    row("open tone groups", u"[\u00F2 \u00F3 |[\u00F2 \u00F3 |[\u00F2 \u00F3", ".HHHH|HHHHH|....");
    row("arrows and bullets", u"|\u2191ab \u2193c\u2022|", "|UUU.DDB|");
    row("all slow marks mixed", u"{a (/\u2666 |{a (/\u2666 |{a (/\u2666 ",
        ".PPPSSS|SSSSSSS|SSSSS..");
}

// "head|unit|tail" is a block of 100 000 characters (the unit repeated), on which searching a
// mark's matches from every position would take minutes; all are coloured in moments.
void TestHighlighter::colouring()
{
    QFETCH(QString, text);
    QFETCH(QString, mask);
    const QStringList parts = text.split(QLatin1Char('|'));
    if (parts.size() == 3) {
        const QStringList masks = mask.split(QLatin1Char('|'));
        const int count = (100000 - parts.at(0).size() - parts.at(2).size()) / parts.at(1).size();
        text = parts.at(0) + parts.at(1).repeated(count) + parts.at(2);
        mask = masks.at(0) + masks.at(1).repeated(count) + masks.at(2);
    }
    QTextDocument document;
    document.documentLayout(); // a document reports its changes once it has a layout
    new Highlighter(&document);
    QElapsedTimer timer;
    timer.start();
    document.setPlainText(text);
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QStringList masks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        masks << blockMask(block);
    QCOMPARE(masks.join(QLatin1Char('\n')), mask);
}

// The runs an export is given for each line are the looks the entry view shows it in.
void TestHighlighter::runsAsShown()
{
    QFETCH(QString, text);
    text.replace(QLatin1Char('|'), QString());
    QTextDocument document;
    document.documentLayout();
    new Highlighter(&document);
    document.setPlainText(text);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        QCOMPARE(runMask(block.text()), blockMask(block));
}

QTEST_MAIN(TestHighlighter)
#include "tst_highlighter.moc"
