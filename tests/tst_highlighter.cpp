#include "highlighter.h"
#include "rulematchers.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegExp>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

namespace {

// The colouring of a text is written as a mask: one letter per UTF-16 code unit naming
// the look of that character ("." plain, "?" a look that no rule gives), "\n" between
// blocks.
struct Look
{
    char letter;
    QRgb foreground;
    bool bold;
    bool italic;
};

const Look looks[] = {
    {'T', qRgb(0x80, 0x00, 0x00), false, false}, // tag word
    {'B', qRgb(0x00, 0x00, 0xff), false, false}, // bullet
    {'E', qRgb(0x00, 0x80, 0x80), false, true},  // example sentence
    {'U', qRgb(0x00, 0x99, 0x00), false, false}, // up-arrow word
    {'D', qRgb(0x80, 0x80, 0x00), false, false}, // down-arrow word
    {'H', qRgb(0x00, 0x00, 0x80), true, false},  // before the last "["
    {'P', qRgb(0x00, 0x00, 0xff), true, false},  // before the last "("
    {'O', qRgb(0x66, 0x00, 0xcc), false, false}, // tone group
    {'C', qRgb(0x00, 0x66, 0x00), false, false}, // brace stretch
    {'S', qRgb(0x80, 0x00, 0x80), false, false}, // slash stretch
};

QChar lookLetter(const QTextCharFormat &format)
{
    const bool bold = format.fontWeight() == QFont::Bold;
    const bool italic = format.fontItalic();
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return QLatin1Char(bold || italic ? '?' : '.');
    const QBrush brush = format.foreground();
    for (const Look &look : looks) {
        if (brush.style() != Qt::SolidPattern || brush.color().rgb() != look.foreground ||
            bold != look.bold || italic != look.italic)
            continue;
        // Examples are set in a 10-point font of no family of their own.
        if (look.letter == 'E' &&
            (format.fontPointSize() != 10 || !format.hasProperty(QTextFormat::FontFamily) ||
             !format.fontFamily().isEmpty()))
            return QLatin1Char('?');
        return QLatin1Char(look.letter);
    }
    return QLatin1Char('?');
}

QString blockMask(const QTextBlock &block)
{
    QString mask(block.length() - 1, QLatin1Char('.'));
    const QVector<QTextLayout::FormatRange> ranges = block.layout()->formats();
    for (const QTextLayout::FormatRange &range : ranges) {
        for (int i = range.start; i < range.start + range.length; ++i)
            mask[i] = lookLetter(range.format);
    }
    return mask;
}

QString documentMask(const QTextDocument &document)
{
    QStringList masks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        masks << blockMask(block);
    return masks.join(QLatin1Char('\n'));
}

// The rule table written out once more, scanned by QRegExp alone: the reference that
// the highlighter's colouring must equal.
struct ReferenceRule
{
    const char16_t *pattern;
    char letter;
};

const ReferenceRule referenceRules[] = {
    {u"\\bTG\\b", 'T'},
    {u"\\bW\\b", 'T'},
    {u"\\bM\\b", 'T'},
    {u"\\bN\\b", 'T'},
    {u"\\bTU\\b", 'T'},
    {u"\\bD\\b", 'T'},
    {u"\\bKB\\b", 'T'},
    {u"\\bKR\\b", 'T'},
    {u"\u2022", 'B'},                 // •
    {u"\u2666[^\\.]*[\\.!\\?]", 'E'}, // ♦
    {u"\u2191[\\w]*", 'U'},           // ↑
    {u"\u2193[\\w]*", 'D'},           // ↓
    {u"\\b.*(?=\\[)", 'H'},
    {u"\\b.*(?=\\()", 'P'},
    {u"[\\[\\(][\u00f2\u00f3\\s]+[\\]\\)]", 'O'}, // ò ó
    {u"\\{.*\\}", 'C'},
    {u"/.*/", 'S'},
};

using Match = QPair<int, int>; // index, length

QVector<Match> regExpScan(const QString &pattern, const QString &text)
{
    QRegExp expression(pattern);
    QVector<Match> matches;
    int index = expression.indexIn(text, 0, QRegExp::CaretAtZero);
    while (index >= 0) {
        const int length = expression.matchedLength();
        matches << Match(index, length);
        if (length == 0)
            break;
        index = expression.indexIn(text, index + length, QRegExp::CaretAtZero);
    }
    return matches;
}

QVector<Match> matcherScan(RuleMatcher matcher, const QString &text)
{
    QVector<Match> matches;
    int length = -1;
    int index = matcher(text, 0, &length);
    while (index >= 0) {
        matches << Match(index, length);
        if (length == 0)
            break;
        index = matcher(text, index + length, &length);
    }
    return matches;
}

QString referenceMask(const QString &text)
{
    QString mask(text.size(), QLatin1Char('.'));
    for (const ReferenceRule &rule : referenceRules) {
        for (const Match &match : regExpScan(QString::fromUtf16(rule.pattern), text))
            mask.replace(match.first, match.second,
                         QString(match.second, QLatin1Char(rule.letter)));
    }
    return mask;
}

struct FastRule
{
    const char *name;
    const char16_t *pattern;
    RuleMatcher matcher;
};

const FastRule fastRules[] = {
    {"example sentence", u"\u2666[^\\.]*[\\.!\\?]", matchExampleSentence},
    {"before last bracket", u"\\b.*(?=\\[)", matchBeforeLastBracket},
    {"before last parenthesis", u"\\b.*(?=\\()", matchBeforeLastParenthesis},
    {"brace stretch", u"\\{.*\\}", matchBraceStretch},
    {"slash stretch", u"/.*/", matchSlashStretch},
};

// Random blocks built from a few pieces each, so that some are dense in one kind of mark.
QString randomBlock(QRandomGenerator &random, bool lineBreaks)
{
    static const QStringList pieces = [] {
        // Letters (ɛ ɔ ɲ ŋ among them), a digit, the underscore, a combining acute, white
        // space (tab, no-break space, line separator) and every character of the mark-up.
        const QString characters =
            QStringLiteral(u"akA2\u025b\u0254\u0272\u014b_\u0301 \t\u00a0\u2028[](){}/.!?,"
                           u"\u2666\u2191\u2193\u2022\u00f2\u00f3"); // ♦ ↑ ↓ • ò ó
        QStringList list = QStringLiteral("TG W M N TU D KB KR").split(QLatin1Char(' '));
        list << QStringLiteral("\U0001D49C") // 𝒜, a letter of two code units
             << QStringLiteral("[\u00f2 \u00f3]") << QStringLiteral("(\u00f3)")
             << QStringLiteral("\u2666 ") << QStringLiteral(" [") << QStringLiteral("a (")
             << QStringLiteral(" TG ");
        for (const QChar c : characters)
            list << QString(c);
        return list;
    }();
    QStringList palette;
    for (int i = 2 + random.bounded(8); i > 0; --i)
        palette << pieces.at(random.bounded(pieces.size()));
    if (lineBreaks)
        palette << QStringLiteral("\n");
    const int roll = random.bounded(100);
    const int length = roll < 85   ? random.bounded(80)
                       : roll < 98 ? random.bounded(400)
                                   : random.bounded(1500);
    QString text;
    while (text.size() < length)
        text += palette.at(random.bounded(palette.size()));
    return text;
}

// Attaches a highlighter to an empty document, which then highlights the text put into
// it as it changes, as in the entry view. A document reports its changes only once it
// has a layout.
void attachHighlighter(QTextDocument *document)
{
    document->documentLayout();
    new Highlighter(document);
}

} // namespace

class TestHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void colouring_data();
    void colouring();
    void fastMatchersAgreeWithRegExp_data();
    void fastMatchersAgreeWithRegExp();
    void colouringAgreesWithRegExpRules();
    void longBlocks_data();
    void longBlocks();
};

void TestHighlighter::colouring_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mask");
    const auto row = [](const char *name, const char16_t *text, const char *mask) {
        QTest::newRow(name) << QString::fromUtf16(text) << QString::fromLatin1(mask);
    };
    row("empty block", u"", "");
    row("no marks", u"a b, c; d2 _e", ".............");
    row("tag between words", u"a TG b", "..TT..");
    row("every tag word", u"TG W M N TU D KB KR", "TT.T.T.T.TT.T.TT.TT");
    row("tags in lower case", u"tg kr w", ".......");
    row("tags glued to letters", u"TGX KRA aTG", "...........");
    row("tags glued to digit, underscore, letter or mark", u"TG2 _KR W\u025b D\u0301",
        ".............");
    row("tags beside punctuation", u"(TG) KR.", ".TT..TT.");
    row("bullets", u"a \u2022 b\u2022", "..B..B");
    row("up arrow before a space", u"\u2191 k\u0254n\u0254", "U.....");
    row("up arrow with its word", u"\u2191k\u0254n\u0254 a", "UUUUU..");
    row("down arrow with letters, underscore, digit and mark", u"\u2193\u014ba_2\u0301-b",
        "DDDDDD..");
    row("example through the first full stop", u"\u2666 a. b.", "EEEE...");
    row("example through the full stop after a !", u"\u2666 A! B.", "EEEEEEE");
    row("example through the last ! without full stop", u"\u2666 A! B", "EEEE..");
    row("example through the last ! or ?", u"\u2666 a? b! c", "EEEEEEE..");
    row("example without end mark", u"\u2666 a b", ".....");
    row("two examples", u"\u2666a. x \u2666b?", "EEE...EEE");
    row("tag inside an example", u"\u2666 TG.", "EEEEE");
    row("headword, tone group, tag after the bracket", u"ba [\u00f2 \u00f3] TG", "HHHOOOOO.TT");
    row("parenthesis overrides headword, tone group overrides both", u"ba [\u00f2] (x) y",
        "PPPOOOP.....");
    row("headword recoloured up to the parenthesis", u"ba [x] (y)", "PPPPPPP...");
    row("headword up to the last bracket", u"a [b] c [d]", "HHHHHHHH...");
    row("no bracket after the first word", u"[x] a", ".....");
    row("headword starts at the first word character", u"\u2022 ba [x]", "B.HHH...");
    row("word glued to the parenthesis", u"so(w)", "PP...");
    row("word glued to the bracket", u"so[w]", "HH...");
    row("arrow word partly overridden by headword", u"\u2191a b [c]", "UHHHH...");
    row("tag overridden by headword", u"TG ba [x]", "HHHHHH...");
    row("example containing a bracket", u"\u2666 A b\u025b [so] k\u0254n\u0254.",
        "EEHHHHHEEEEEEEEEE");
    row("tone group with mixed brackets", u"(\u00f2]", "OOO");
    row("tone group with space and mixed brackets", u"[\u00f3 \u00f2)", "OOOOO");
    row("tone group with tab and no-break space", u"[\u00f2\t\u00a0\u00f3]", "OOOOOO");
    row("tone group of white space only", u"[ ]", "OOO");
    row("bracket group with another letter", u"[\u00f2a]", "....");
    row("bracket group with a plain o", u"[o]", "...");
    row("empty bracket group", u"[]", "..");
    row("tone group after a second opening bracket", u"[[\u00f2]", ".OOO");
    row("braces from first to last", u"a {b} c} d", "..CCCCCC..");
    row("brace without closing", u"a {b c", "......");
    row("closing brace before opening", u"} a {", ".....");
    row("brace stretch overrides everything inside", u"{TG \u2022 \u2666x.}", "CCCCCCCCCC");
    row("brace stretch overrides headword", u"ba {x [y]}", "HHHCCCCCCC");
    row("one slash", u"a/b", "...");
    row("slashes from first to last", u"/a/ b /d/", "SSSSSSSSS");
    row("slash stretch overrides brace stretch", u"{a /b} c/", "CCCSSSSSS");
    row("marks split over lines", u"/a {b ba\n[x] c} d/", "........\n.........");
    row("example split over lines", u"\u2666 a\nb.", "...\n..");
}

void TestHighlighter::colouring()
{
    QFETCH(QString, text);
    QFETCH(QString, mask);
    QCOMPARE(mask.size(), text.size()); // the table itself

    QTextDocument document;
    attachHighlighter(&document);
    document.setPlainText(text);

    QCOMPARE(documentMask(document), mask);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        QCOMPARE(block.userState(), 0);
}

void TestHighlighter::fastMatchersAgreeWithRegExp_data()
{
    QTest::addColumn<int>("rule");
    for (int i = 0; i < int(sizeof fastRules / sizeof *fastRules); ++i)
        QTest::newRow(fastRules[i].name) << i;
}

// Match by match on random blocks, and on short blocks also from every start offset.
void TestHighlighter::fastMatchersAgreeWithRegExp()
{
    QFETCH(int, rule);
    const QString pattern = QString::fromUtf16(fastRules[rule].pattern);
    const RuleMatcher matcher = fastRules[rule].matcher;
    QRandomGenerator random(20240611 + rule);
    for (int n = 0; n < 3000; ++n) {
        const QString text = randomBlock(random, true);
        QCOMPARE(matcherScan(matcher, text), regExpScan(pattern, text));
        if (text.size() > 60)
            continue;
        QRegExp expression(pattern);
        for (int from = 0; from <= text.size(); ++from) {
            int length = -1;
            const int index = matcher(text, from, &length);
            QCOMPARE(index, expression.indexIn(text, from, QRegExp::CaretAtZero));
            if (index >= 0)
                QCOMPARE(length, expression.matchedLength());
        }
    }
}

void TestHighlighter::colouringAgreesWithRegExpRules()
{
    QRandomGenerator random(7151);
    QStringList blocks;
    for (int n = 0; n < 3000; ++n)
        blocks << randomBlock(random, false);

    QTextDocument document;
    attachHighlighter(&document);
    document.setPlainText(blocks.join(QLatin1Char('\n')));

    QCOMPARE(document.blockCount(), blocks.size());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString actual = blockMask(block);
        const QString expected = referenceMask(block.text());
        QVERIFY2(actual == expected,
                 qPrintable(QStringLiteral("block %1\n  text %2\n  want %3\n  got  %4")
                                .arg(block.blockNumber())
                                .arg(block.text(), expected, actual)));
    }
}

void TestHighlighter::longBlocks_data()
{
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("headMask");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("unitMask");
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("tailMask");
    const auto row = [](const char *name, const char16_t *head, const char *headMask,
                        const char16_t *unit, const char *unitMask, const char16_t *tail,
                        const char *tailMask) {
        QTest::newRow(name) << QString::fromUtf16(head) << QString::fromLatin1(headMask)
                            << QString::fromUtf16(unit) << QString::fromLatin1(unitMask)
                            << QString::fromUtf16(tail) << QString::fromLatin1(tailMask);
    };
    row("braces without closing", u"", "", u"{a ", "...", u"", "");
    row("slash words", u"", "", u"/ab ", "SSSS", u"/", "S");
    row("words before parentheses", u"", "", u"a (", "PPP", u"a (", "PP.");
    row("words before brackets", u"", "", u"a [", "HHH", u"a [", "HH.");
    row("words after the only bracket", u"[", ".", u"ab ", "...", u"", "");
    row("examples without end mark", u"", "", u"\u2666 a ", "....", u"", "");
    row("example up to the last !", u"\u2666", "E", u" a!", "EEE", u" b", "..");
    row("examples ending in full stops", u"", "", u"\u2666 a. ", "EEEE.", u"", "");
    row("open tone groups", u"[\u00f2 \u00f3 ", ".HHHH", u"[\u00f2 \u00f3 ", "HHHHH",
        u"[\u00f2 \u00f3", "....");
    row("tone groups", u"", "", u"(\u00f2 \u00f3]", "OOOOO", u"", "");
    row("tag words", u"", "", u"TG KRA ", "TT.....", u"", "");
    row("arrow words and bullets", u"", "", u"\u2191ab \u2193c\u2022", "UUU.DDB", u"", "");
    row("arrows and bullets only", u"", "", u"\u2191\u2193\u2022", "UDB", u"", "");
    row("all slow marks mixed", u"{a (/\u2666 ", ".PPPSSS", u"{a (/\u2666 ", "SSSSSSS",
        u"{a (/\u2666 ", "SSSSS..");
}

// Blocks of 100 000 characters built to be slow for a plain regular-expression scan.
void TestHighlighter::longBlocks()
{
    QFETCH(QString, head);
    QFETCH(QString, headMask);
    QFETCH(QString, unit);
    QFETCH(QString, unitMask);
    QFETCH(QString, tail);
    QFETCH(QString, tailMask);
    const int count = (100000 - head.size() - tail.size()) / unit.size();
    const QString text = head + unit.repeated(count) + tail;
    const QString mask = headMask + unitMask.repeated(count) + tailMask;
    QCOMPARE(mask.size(), text.size());

    QTextDocument document;
    document.setPlainText(text);
    auto *highlighter = new Highlighter(&document);
    QElapsedTimer timer;
    timer.start();
    highlighter->rehighlightBlock(document.firstBlock());
    const qint64 nanoseconds = timer.nsecsElapsed();
    qInfo("%d characters highlighted in %.1f ms", text.size(), nanoseconds / 1e6);

    QCOMPARE(blockMask(document.firstBlock()), mask);
}

QTEST_MAIN(TestHighlighter)
#include "tst_highlighter.moc"
