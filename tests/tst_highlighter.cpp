// The entry view's colouring of hand-written entries, as a user sees it. The colouring of
// a text is written as a mask, one letter per character naming its look ("." plain, "?"
// a look no mark has), "\n" between blocks.

#include "highlighter.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

namespace {

struct Look
{
    char letter;
    QColor colour;
    bool bold;
    bool italic;
};

const Look looks[] = {
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

QChar lookLetter(const QTextCharFormat &format)
{
    const bool bold = format.fontWeight() == QFont::Bold;
    const bool italic = format.fontItalic();
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return QLatin1Char(bold || italic ? '?' : '.');
    for (const Look &look : looks) {
        if (format.foreground().color() == look.colour && bold == look.bold &&
            italic == look.italic)
            return QLatin1Char(look.letter);
    }
    return QLatin1Char('?');
}

QString blockMask(const QTextBlock &block)
{
    QString mask(block.length() - 1, QLatin1Char('.'));
    for (const QTextLayout::FormatRange &range : block.layout()->formats())
        mask.replace(range.start, range.length, QString(range.length, lookLetter(range.format)));
    return mask;
}

} // namespace

class TestHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void colouring_data();
    void colouring();
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
    row("tags in lower case", u"tg kr w", ".......");
    row("tags glued to a letter, digit, underscore or mark", u"TGX aTG KR2 _W D\u0301",
        ".................");
    row("tags beside punctuation", u"(TG) KR.", ".TT..TT.");
    row("bullets", u"a \u2022 b\u2022", "..B..B");
    row("up arrow with its word", u"\u2191k\u0254n\u0254 a", "UUUUU..");
    row("down arrow with letters, underscore, digit and mark", u"\u2193\u014Ba_2\u0301-b",
        "DDDDDD..");
    row("example through the first full stop", u"\u2666 a. b.", "EEEE...");
    row("example through the full stop after a !", u"\u2666 A! B.", "EEEEEEE");
    row("example through the last ! or ? without full stop", u"\u2666 a? b! c", "EEEEEEE..");
    row("example without end mark", u"\u2666 a b", ".....");
    row("headword, tone group, tag after the bracket", u"ba [\u00F2 \u00F3] TG", "HHHOOOOO.TT");
    row("tag before the bracket taken by the headword", u"TG ba [x]", "HHHHHH...");
    row("parenthesis over headword, tone group over both", u"ba [\u00F2] (x) y", "PPPOOOP.....");
    row("headword up to the last bracket", u"a [b] c [d]", "HHHHHHHH...");
    row("no word before the only bracket", u"[x] a", ".....");
    row("headword from the first word character", u"\u2022 ba [x]", "B.HHH...");
    row("a combining mark is a letter where the headword starts", u"\u0301a [x]", "HHH...");
    row("word glued to the bracket", u"so[w]", "HH...");
    row("example holding a bracket", u"\u2666 A [so] b.", "EEHHEEEEEEE");
    row("tone group with mixed brackets", u"(\u00F2]", "OOO");
    row("tone group with tab and no-break space", u"[\u00F2\t\u00A0\u00F3]", "OOOOOO");
    row("bracket group with another letter", u"[\u00F2a]", "....");
    row("tone group after a second opening bracket", u"[[\u00F2]", ".OOO");
    row("braces from the first to the last", u"a {b} c} d", "..CCCCCC..");
    row("closing brace before the opening one", u"} a {", ".....");
    row("brace stretch over every other mark", u"{TG \u2022 \u2666x.} ba [y]", "CCCCCCCCCCHHHH...");
    row("slashes from the first to the last", u"/a/ b /d/", "SSSSSSSSS");
    row("slash stretch over brace stretch", u"{a /b} c/", "CCCSSSSSS");
    row("marks split over lines", u"/a {b ba\n[x] c} d/", "........\n.........");
    row("example split over lines", u"\u2666 a\nb.", "...\n..");
    row("braces without closing", u"|{a |", "|...|");
    row("slash words", u"|/ab |/", "|SSSS|S");
    row("words before parentheses", u"|a (|a (", "|PPP|PP.");
    row("words before brackets", u"|a [|a [", "|HHH|HH.");
    row("words after the only bracket", u"[|ab |", ".|...|");
    row("example up to the last !", u"\u2666| a!| b", "E|EEE|..");
    row("open tone groups", u"[\u00F2 \u00F3 |[\u00F2 \u00F3 |[\u00F2 \u00F3", ".HHHH|HHHHH|....");
    row("arrows and bullets", u"|\u2191ab \u2193c\u2022|", "|UUU.DDB|");
    row("all slow marks mixed", u"{a (/\u2666 |{a (/\u2666 |{a (/\u2666 ",
        ".PPPSSS|SSSSSSS|SSSSS..");
}

// A text "head|unit|tail" is a block of 100 000 characters, the unit repeated between head
// and tail, as long as the entry view shows; each is built so that searching the matches
// of a mark from every position would take minutes. All are coloured in moments.
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

QTEST_MAIN(TestHighlighter)
#include "tst_highlighter.moc"
