// lexora-data export pdf as a reader meets its result: the PDF exported from sources
// written here is read with Debian's poppler-utils (pdftotext for the text in the order it
// is printed and where, pdftohtml for the looks, pdffonts, pdfinfo). Every answer is
// written by hand.

#include "alphabet.h"
#include "testdatafiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using testdata::Run;
using testdata::run;

// ɛ U+025B, Ɛ U+0190, ɔ U+0254, Ɔ U+0186, ɲ U+0272, Ɲ U+019D, Л U+041B (the capital of ɲ
// in headwords), è U+00E8, ♦ U+2666, → U+2192, combining acute U+0301, combining grave
// U+0300.
testdata::Dictionary sample()
{
    testdata::Dictionary dictionary = testdata::Dictionary::everyLetter();
    dictionary.headwords = QStringList{QStringLiteral("BA"),        QStringLiteral("B\u0186"),
                                       QStringLiteral("B\u0186RA"), QStringLiteral("DEN"),
                                       QStringLiteral("ESI"),       QStringLiteral("\u0190R\u0190"),
                                       QStringLiteral("\u041BAMA"), QStringLiteral("\u0186R\u0186"),
                                       QStringLiteral("WULU")};
    dictionary.lexicon = QStringList{QStringLiteral("BA|m\u00E8re"), QStringLiteral("WULU|chien"),
                                     QStringLiteral("DEN|enfant; petit")};
    dictionary.letters[QStringLiteral("b")] =
        QStringList{QStringLiteral("BA [\u00F3] N m\u00E8re."),
                    QStringLiteral("\u2666 Ba b\u025B so."),
                    QStringLiteral("BA [\u00F2] N ch\u00E8vre."),
                    QStringLiteral("B\u0186 [b\u0254\u0301] W sortir."),
                    QStringLiteral("\u2666 A b\u0254ra."),
                    QStringLiteral("B\u0186RA [b\u0254\u0301ra] W => B\u0186")};
    dictionary.letters[QStringLiteral("d")] =
        QStringList{QStringLiteral("DEN [d\u00E9n] N enfant.")};
    dictionary.letters[QStringLiteral("e")] =
        QStringList{QStringLiteral("ESI [\u00E9si] N esprit.")};
    dictionary.letters[QStringLiteral("\u025B")] =
        QStringList{QStringLiteral("\u0190R\u0190 [\u025B\u0300r\u025B] N heure.")};
    dictionary.letters[QStringLiteral("q")] =
        QStringList{QStringLiteral("\u041BAMA [\u0272\u00E1ma] N ordure.")};
    dictionary.letters[QStringLiteral("\u0254")] =
        QStringList{QStringLiteral("\u0186R\u0186 [\u0254\u0301r\u0254] N or.")};
    dictionary.letters[QStringLiteral("w")] =
        QStringList{QStringLiteral("WULU [w\u00F9lu] N chien.")};
    return dictionary;
}

Run exportPdf(const QString &res, const QString &out, const QStringList &options = {})
{
    return run(QStringLiteral(LEXORA_DATA_TOOL),
               QStringList{QStringLiteral("export"), QStringLiteral("pdf"), res, out} + options);
}

// The lines pdftotext gives of pages `first` to `last` in the order they are printed.
QStringList textOf(const QString &pdf, int first, int last)
{
    const Run read = run(QStringLiteral("pdftotext"),
                         {QStringLiteral("-raw"), QStringLiteral("-f"), QString::number(first),
                          QStringLiteral("-l"), QString::number(last), pdf, QStringLiteral("-")});
    QStringList lines = QString::fromUtf8(read.out).split(QLatin1Char('\n'));
    for (QString &line : lines)
        line.remove(QLatin1Char('\f'));
    lines.removeAll(QString());
    return lines;
}

// A word as printed on a page, its box in points from the top left corner.
struct PrintedWord
{
    QString text;
    double left = 0;
    double right = 0;
    double top = 0;
    double height = 0;
};

// The words pdftotext finds on `page`, in the order it reads them, and the page's width.
QVector<PrintedWord> wordsOf(const QString &pdf, int page, double *pageWidth)
{
    const Run read = run(QStringLiteral("pdftotext"),
                         {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                          QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    const QString html = QString::fromUtf8(read.out);
    *pageWidth = QRegularExpression(QStringLiteral("<page width=\"([0-9.]+)\""))
                     .match(html)
                     .captured(1)
                     .toDouble();
    QVector<PrintedWord> words;
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                                                 "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)<"));
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto found = match.next();
        words.append({found.captured(5), found.captured(1).toDouble(), found.captured(3).toDouble(),
                      found.captured(2).toDouble(),
                      found.captured(4).toDouble() - found.captured(2).toDouble()});
    }
    return words;
}

// A stretch of text printed in one look, as pdftohtml reads it, in points from the top
// left corner of the page.
struct PrintedRun
{
    QString text;
    int top = 0;
    int left = 0;
    QString colour; // "#rrggbb"
    bool bold = false;
    bool italic = false;
};

QVector<PrintedRun> runsOf(const QString &pdf, int page)
{
    const Run read = run(QStringLiteral("pdftohtml"),
                         {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-zoom"),
                          QStringLiteral("1"), QStringLiteral("-stdout"), QStringLiteral("-f"),
                          QString::number(page), QStringLiteral("-l"), QString::number(page), pdf});
    const QString xml = QString::fromUtf8(read.out);
    QMap<QString, QString> colours; // font id -> colour
    const QRegularExpression font(
        QStringLiteral("<fontspec id=\"(\\d+)\"[^>]* color=\"(#[0-9a-f]{6})\""));
    for (auto match = font.globalMatch(xml); match.hasNext();) {
        const auto found = match.next();
        colours.insert(found.captured(1), found.captured(2));
    }
    QVector<PrintedRun> runs;
    const QRegularExpression text(
        QStringLiteral("<text top=\"(\\d+)\" left=\"(\\d+)\"[^>]* font=\"(\\d+)\">(.*)</text>"));
    for (auto match = text.globalMatch(xml); match.hasNext();) {
        const auto found = match.next();
        QString content = found.captured(4);
        PrintedRun printed;
        printed.top = found.captured(1).toInt();
        printed.left = found.captured(2).toInt();
        printed.colour = colours.value(found.captured(3));
        printed.bold = content.contains(QStringLiteral("<b>"));
        printed.italic = content.contains(QStringLiteral("<i>"));
        content.remove(QRegularExpression(QStringLiteral("</?[bi]>")));
        printed.text = content.trimmed(); // the pieces looked at hold no entity
        runs.append(printed);
    }
    return runs;
}

// A printed line: its words in reading order, its box in points from the top left corner.
struct PrintedLine
{
    QString text;
    double left = 0;
    double top = 0;
    int column = 0; // counted over the pages given, two a page
};

// The lines of the columns of pages `first` to `last`, column after column, without the
// guide words and the page number of each page.
QVector<PrintedLine> columnLinesOf(const QString &pdf, int first, int last)
{
    QVector<PrintedLine> all;
    for (int page = first; page <= last; ++page) {
        double width = 0;
        QMap<std::pair<int, double>, PrintedLine> lines; // column, top -> line
        for (const PrintedWord &word : wordsOf(pdf, page, &width)) {
            const int column = word.left < width / 2 ? 0 : 1;
            PrintedLine &line = lines[{column, word.top}];
            if (line.text.isEmpty()) {
                line = {word.text, word.left, word.top, 2 * (page - first) + column};
            } else {
                line.text += QLatin1Char(' ') + word.text;
            }
        }
        QList<double> tops;
        for (const PrintedLine &line : qAsConst(lines))
            tops << line.top;
        std::sort(tops.begin(), tops.end());
        for (const PrintedLine &line : qAsConst(lines)) {
            if (line.top != tops.first() && line.top != tops.last()) // guide words, number
                all.append(line);
        }
    }
    return all;
}

int pageCount(const QString &pdf)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}).out);
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
}

} // namespace

class TestPdfExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printedText_data();
    void printedText();
    void entryLinesIndented();
    void longEntryGoesOn();
    void columnFeet_data();
    void columnFeet();
    void looksAndIndents_data();
    void looksAndIndents();
    void placesOnThePage();
    void fontsEmbedded();
    void paperSize_data();
    void paperSize();
    void greyPrint();
    void sameBytesAndDate();
    void unreadableDirectory_data();
    void unreadableDirectory();

private:
    QTemporaryDir m_dir;
    QString m_res;
    QString m_pdf;
};

void TestPdfExport::initTestCase()
{
    // The readers come from poppler-utils, which the test command installs: without them
    // the test fails rather than passing unchecked.
    for (const char *tool : {"pdftotext", "pdffonts", "pdfinfo", "pdftohtml"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 "poppler-utils is not installed (scripts/deps.sh installs it)");
    QVERIFY(m_dir.isValid());
    m_res = m_dir.filePath(QStringLiteral("res"));
    m_pdf = m_dir.filePath(QStringLiteral("out.pdf"));
    QVERIFY(sample().writeTo(m_res));
    QVERIFY(testdata::writeFile(
        dataFilePath(m_res, aboutFileName()),
        encodeDataFile({QStringLiteral("Petit dictionnaire"), QStringLiteral("A. Diarra"),
                        QStringLiteral("Notes de terrain"), QStringLiteral("CC BY 4.0")})));
    const Run exported = exportPdf(m_res, m_pdf);
    QVERIFY2(exported.status == 0, exported.err);
    QVERIFY2(!exported.err.contains("lexora-data"), exported.err);
}

void TestPdfExport::printedText_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("title page: the about file and the counts")
        << 1
        << QStringList{QStringLiteral("Petit dictionnaire"), QStringLiteral("A. Diarra"),
                       QStringLiteral("Source: Notes de terrain"),
                       QStringLiteral("Licence: CC BY 4.0"),
                       QStringLiteral("9 headwords, 3 lexicon rows")};
    // Guide words, page number, then the entries in list order, a heading at each letter
    // (Ɛ after E, Ɲ after N, Ɔ after O), homographs together, a cross-reference as one line.
    QTest::newRow("entries in list order with letter headings")
        << 2
        << QStringList{QStringLiteral("BA WULU"),
                       QStringLiteral("1"),
                       QStringLiteral("B b"),
                       QStringLiteral("BA [\u00F3] N m\u00E8re."),
                       QStringLiteral("\u2666 Ba b\u025B so."),
                       QStringLiteral("BA [\u00F2] N ch\u00E8vre."),
                       QStringLiteral("B\u0186 [b\u0254\u0301] W sortir."),
                       QStringLiteral("\u2666 A b\u0254ra."),
                       QStringLiteral("B\u0186RA \u2192 B\u0186"),
                       QStringLiteral("D d"),
                       QStringLiteral("DEN [d\u00E9n] N enfant."),
                       QStringLiteral("E e"),
                       QStringLiteral("ESI [\u00E9si] N esprit."),
                       QStringLiteral("\u0190 \u025B"),
                       QStringLiteral("\u0190R\u0190 [\u025B\u0300r\u025B] N heure."),
                       QStringLiteral("\u019D \u0272"),
                       QStringLiteral("\u041BAMA [\u0272\u00E1ma] N ordure."),
                       QStringLiteral("\u0186 \u0254"),
                       QStringLiteral("\u0186R\u0186 [\u0254\u0301r\u0254] N or."),
                       QStringLiteral("W w"),
                       QStringLiteral("WULU [w\u00F9lu] N chien.")};
    QTest::newRow("word list in lexicon order")
        << 3
        << QStringList{QStringLiteral("BA DEN"),
                       QStringLiteral("2"),
                       QStringLiteral("Bambara \u2013 French word list"),
                       QStringLiteral("BA m\u00E8re"),
                       QStringLiteral("WULU chien"),
                       QStringLiteral("DEN enfant; petit")};
    QTest::newRow("French index in French order")
        << 4
        << QStringList{QStringLiteral("chien petit"),
                       QStringLiteral("3"),
                       QStringLiteral("French \u2013 Bambara index"),
                       QStringLiteral("chien WULU"),
                       QStringLiteral("enfant DEN"),
                       QStringLiteral("enfant; petit DEN"),
                       QStringLiteral("m\u00E8re BA"),
                       QStringLiteral("petit DEN")};
}

void TestPdfExport::printedText()
{
    QFETCH(int, page);
    QFETCH(QStringList, lines);
    QCOMPARE(pageCount(m_pdf), 4);
    QCOMPARE(textOf(m_pdf, page, page), lines);
}

// The lines of an entry after its head line are set in from it, each wrapped line of one
// of them beginning where its first line begins, all in the left half of the page.
void TestPdfExport::entryLinesIndented()
{
    testdata::Dictionary dictionary = testdata::Dictionary::everyLetter();
    dictionary.headwords = QStringList{QStringLiteral("KUMA")};
    QStringList example;
    for (int i = 1; i <= 40; ++i)
        example << QStringLiteral("kuma%1").arg(i);
    dictionary.letters[QStringLiteral("k")] =
        QStringList{QStringLiteral("KUMA [k\u00F9ma] N parole."),
                    QStringLiteral("\u2666 ") + example.join(QLatin1Char(' ')) + QLatin1Char('.')};
    const QString res = m_dir.filePath(QStringLiteral("indented"));
    const QString pdf = m_dir.filePath(QStringLiteral("indented.pdf"));
    QVERIFY(dictionary.writeTo(res));
    const Run exported = exportPdf(res, pdf);
    QVERIFY2(exported.status == 0, exported.err);
    // The letter heading, the head line, then the example on three lines or more, all in
    // the first column.
    const QVector<PrintedLine> lines = columnLinesOf(pdf, 2, 2);
    QVERIFY(lines.size() >= 5);
    QCOMPARE(lines.constLast().column, 0);
    const double headLine = lines.at(1).left;
    const double exampleStart = lines.at(2).left;
    QVERIFY2(exampleStart > headLine + 1, qPrintable(QString::number(exampleStart - headLine)));
    for (int i = 3; i < lines.size(); ++i)
        QCOMPARE(lines.at(i).left, exampleStart);
}

// An entry longer than a column goes on in the next column and page, every line kept in
// order; its head line stays with its first line.
void TestPdfExport::longEntryGoesOn()
{
    testdata::Dictionary dictionary = testdata::Dictionary::everyLetter();
    dictionary.headwords = QStringList{QStringLiteral("FALA"), QStringLiteral("KUMA")};
    dictionary.letters[QStringLiteral("f")] =
        QStringList{QStringLiteral("FALA [f\u00E1la] N orphelin.")};
    QStringList expected{QStringLiteral("KUMA [k\u00F9ma] N parole.")};
    for (int i = 1; i <= 300; ++i)
        expected << QStringLiteral("\u2666 Kuma %1 ye nin ye.").arg(i);
    dictionary.letters[QStringLiteral("k")] = expected;
    const QString res = m_dir.filePath(QStringLiteral("long"));
    const QString pdf = m_dir.filePath(QStringLiteral("long.pdf"));
    QVERIFY(dictionary.writeTo(res));
    const Run exported = exportPdf(res, pdf);
    QVERIFY2(exported.status == 0, exported.err);
    QStringList printed;
    const int pages = pageCount(pdf);
    for (int page = 2; page <= pages - 2; ++page) {
        const QStringList lines = textOf(pdf, page, page);
        // A page where no entry begins shows the entry that goes on there.
        if (page > 2)
            QCOMPARE(lines.at(0), QStringLiteral("KUMA KUMA"));
        printed << lines.mid(2);
    }
    QVERIFY2(pages - 2 >= 3, "300 lines should fill more than a page");
    const QStringList before{QStringLiteral("F f"), QStringLiteral("FALA [f\u00E1la] N orphelin."),
                             QStringLiteral("K k")};
    QCOMPARE(printed, before + expected);
}

void TestPdfExport::columnFeet_data()
{
    QTest::addColumn<bool>("rows");
    QTest::newRow("entries") << false;
    QTest::newRow("rows of the word list") << true;
}

// Many entries of two to five lines, or many rows of the word list, one or two lines
// each, over many pages. At the foot of a column, the lines kept together never part: a
// letter heading, an entry's head line and the line after it, a row's lines. Nor do they
// leave more room at a foot than they need: the unit that opens a column did not fit at
// the foot of the one before. Two columns a page; at the head of each page the guide
// words, the first and the last word beginning on it, then the page number.
void TestPdfExport::columnFeet()
{
    QFETCH(bool, rows);
    testdata::Dictionary dictionary = testdata::Dictionary::everyLetter();
    const int count = 600;
    if (rows) {
        dictionary.headwords << QStringLiteral("KA");
        dictionary.letters[QStringLiteral("k")] << QStringLiteral("KA [k\u00E1] N mot.");
        // One gloss in five or in seven takes two lines, so that the columns end at
        // different places in the pattern.
        for (int i = 0; i < count; ++i)
            dictionary.lexicon
                << QStringLiteral("KA%1|mot %2").arg(i, 3, 10, QLatin1Char('0')).arg(i) +
                       (i % 5 && i % 7 != 3 ? QString() : QStringLiteral(" long").repeated(12));
    } else {
        // One to four example lines, as a generator with a fixed seed draws them, so that
        // the columns end at ever other places in the pattern and many entries go on past
        // a column's foot; under sixteen letters, whose headings stand at different
        // heights.
        QRandomGenerator lines(1);
        for (int i = 0; i < count; ++i) {
            const QString letter = QString(QStringLiteral("bdfghjklmnprstwy").at(i * 16 / count));
            const QString word =
                letter.toUpper() + QStringLiteral("A%1").arg(i, 3, 10, QLatin1Char('0'));
            dictionary.headwords << word;
            QStringList &entries = dictionary.letters[letter];
            entries << word + QStringLiteral(" [k\u00E1] N mot.");
            for (int line = int(lines.bounded(4)); line >= 0; --line)
                entries << QStringLiteral("\u2666 Ka a f\u0254 %1 %2.").arg(i).arg(line);
        }
    }
    const QString res = m_dir.filePath(QStringLiteral("feet"));
    const QString pdf = m_dir.filePath(QStringLiteral("feet.pdf"));
    QVERIFY(dictionary.writeTo(res));
    const Run exported = exportPdf(res, pdf);
    QVERIFY2(exported.status == 0, exported.err);

    // The units in print order, each the lines it has: a head line or a row's word begins
    // one. The letter heading above a unit, if any.
    const QRegularExpression begins(rows ? QStringLiteral("^KA\\d{3} mot")
                                         : QStringLiteral("^[BDFGHJKLMNPRSTWY]A\\d{3} \\["));
    const QRegularExpression letterHeading(
        QStringLiteral("^[BDFGHJKLMNPRSTWY] [bdfghjklmnprstwy]$"));
    QVector<QVector<PrintedLine>> units;
    QMap<int, PrintedLine> headings; // unit -> the heading above it
    for (const PrintedLine &line : columnLinesOf(pdf, 2, pageCount(pdf))) {
        if (line.text == QStringLiteral("French \u2013 Bambara index"))
            break;
        if (letterHeading.match(line.text).hasMatch())
            headings.insert(units.size(), line);
        else if (begins.match(line.text).hasMatch())
            units.append({line});
        else if (!units.isEmpty() && (line.text.startsWith(QStringLiteral("long")) ||
                                      line.text.startsWith(QStringLiteral("\u2666"))))
            units.last().append(line);
    }
    QCOMPARE(units.size(), count);
    // The distance of two lines of a unit, that of the last line of a unit and the first of
    // the next, and the lowest line of any column: a line no lower fits in every column.
    double step = 0, space = 0, lowest = 0;
    for (int i = 0; i < units.size(); ++i) {
        const QVector<PrintedLine> &unit = units.at(i);
        if (unit.size() > 1)
            step = unit.at(1).top - unit.at(0).top;
        if (i > 0 && units.at(i - 1).constLast().column == unit.first().column)
            space = unit.first().top - units.at(i - 1).constLast().top;
        for (const PrintedLine &line : unit)
            lowest = std::max(lowest, line.top);
    }
    QVERIFY(step > 0 && space > step);
    int columnsOpened = 0;
    for (int i = 1; i < units.size(); ++i) {
        const QVector<PrintedLine> &unit = units.at(i);
        const int kept = rows ? unit.size() : 2;
        for (int line = 1; line < kept; ++line)
            QVERIFY2(unit.at(line).column == unit.first().column, qPrintable(unit.first().text));
        const PrintedLine &before = units.at(i - 1).constLast();
        const bool headed = headings.contains(i);
        if (before.column != (headed ? headings.value(i) : unit.first()).column)
            ++columnsOpened;
        // A letter heading stands with the lines its unit keeps.
        if (headed) {
            QVERIFY2(headings.value(i).column == unit.first().column,
                     qPrintable(unit.first().text));
            continue;
        }
        if (before.column == unit.first().column)
            continue;
        // Its kept lines, had they followed the unit before in its column, would have
        // gone lower than any line goes. (Lines stand whole points apart.)
        const double wouldEnd = before.top + space + (kept - 1) * step;
        QVERIFY2(wouldEnd > lowest + 0.5,
                 qPrintable(QStringLiteral("%1 would have ended at %2, above the lowest line, %3")
                                .arg(unit.first().text)
                                .arg(wouldEnd)
                                .arg(lowest)));
    }
    QVERIFY2(columnsOpened >= 10, "the units should fill many columns");
    // Two columns a page: every column from the first unit's to the last one's holds lines.
    QSet<int> columns;
    for (const QVector<PrintedLine> &unit : qAsConst(units))
        for (const PrintedLine &line : unit)
            columns.insert(line.column);
    QCOMPARE(columns.size(),
             units.constLast().constLast().column - units.first().first().column + 1);
    QCOMPARE(headings.size(), rows ? 1 : 16); // with rows, that of the entry KA
    QMap<int, QStringList> beginning;         // page -> the words of the units beginning on it
    for (const QVector<PrintedLine> &unit : qAsConst(units))
        beginning[2 + unit.first().column / 2] << unit.first().text.section(QLatin1Char(' '), 0, 0);
    for (auto page = beginning.constBegin(); page != beginning.constEnd(); ++page)
        QCOMPARE(textOf(pdf, page.key(), page.key()).mid(0, 2),
                 QStringList({page->first() + QLatin1Char(' ') + page->last(),
                              QString::number(page.key() - 1)}));
}

void TestPdfExport::looksAndIndents_data()
{
    QTest::addColumn<QString>("line");  // a text of the printed line
    QTest::addColumn<QString>("piece"); // printed in one look on it
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("setIn"); // the line begins right of the column's margin
    // The viewer's looks: headwords dark blue (#000080) and bold, tags dark red (#800000),
    // tone groups of ò and ó #6600cc, examples dark cyan (#008080) and italic. Head lines
    // and cross-references stand at the margin, the other lines of an entry are set in.
    QTest::newRow("the guide words, bold") << QStringLiteral("WULU") << QStringLiteral("BA")
                                           << QStringLiteral("#000000") << true << false << false;
    QTest::newRow("the headword of a later entry")
        << QStringLiteral("ch\u00E8vre") << QStringLiteral("BA") << QStringLiteral("#000080")
        << true << false << false;
    QTest::newRow("a tone group") << QStringLiteral("ch\u00E8vre") << QStringLiteral("[\u00F2]")
                                  << QStringLiteral("#6600cc") << false << false << false;
    QTest::newRow("a tag") << QStringLiteral("sortir") << QStringLiteral("W")
                           << QStringLiteral("#800000") << false << false << false;
    QTest::newRow("a gloss, plain") << QStringLiteral("sortir") << QStringLiteral("sortir.")
                                    << QStringLiteral("#000000") << false << false << false;
    QTest::newRow("an example, set in")
        << QStringLiteral("A b\u0254ra.") << QStringLiteral("\u2666 A b\u0254ra.")
        << QStringLiteral("#008080") << false << true << true;
    QTest::newRow("a cross-reference after a set-in line, at the margin")
        << QStringLiteral("\u2192") << QStringLiteral("B\u0186RA") << QStringLiteral("#000080")
        << true << false << false;
}

void TestPdfExport::looksAndIndents()
{
    QFETCH(QString, line);
    QFETCH(QString, piece);
    QFETCH(QString, colour);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, setIn);
    const QVector<PrintedRun> runs = runsOf(m_pdf, 2);
    QMap<int, QVector<PrintedRun>> lines; // top -> its runs
    for (const PrintedRun &printed : runs)
        lines[printed.top].append(printed);
    int found = 0;
    for (const QVector<PrintedRun> &printedLine : qAsConst(lines)) {
        QString text;
        for (const PrintedRun &printed : printedLine)
            text += printed.text;
        if (!text.contains(line))
            continue;
        for (const PrintedRun &printed : printedLine) {
            if (printed.text != piece)
                continue;
            ++found;
            QCOMPARE(printed.colour, colour);
            QCOMPARE(printed.bold, bold);
            QCOMPARE(printed.italic, italic);
        }
        // The margin is 40 points.
        QCOMPARE(printedLine.first().left > 41, setIn);
        QVERIFY(printedLine.first().left >= 40);
    }
    QCOMPARE(found, 1);
}

// Where things stand, in points: the title in the middle of the page (A4 is 595 points
// wide) and larger than the rest, a letter heading in the middle of its column.
void TestPdfExport::placesOnThePage()
{
    double width = 0;
    const QVector<PrintedWord> title = wordsOf(m_pdf, 1, &width);
    QCOMPARE(width, 595.0);
    QVERIFY(title.size() >= 2 && title.at(0).text == QStringLiteral("Petit") &&
            title.at(1).text == QStringLiteral("dictionnaire"));
    const double middle = (title.at(0).left + title.at(1).right) / 2;
    QVERIFY2(qAbs(middle - 297.5) < 2, qPrintable(QString::number(middle)));
    // The title stands out: its letters are half as tall again as the authors' line's.
    const auto authors = std::find_if(title.begin(), title.end(), [](const PrintedWord &w) {
        return w.text == QStringLiteral("Diarra");
    });
    QVERIFY(authors != title.end());
    QVERIFY2(title.at(0).height > 1.5 * authors->height,
             qPrintable(QStringLiteral("%1 %2").arg(title.at(0).height).arg(authors->height)));

    const QVector<PrintedWord> entries = wordsOf(m_pdf, 2, &width);
    // The guide words below the top margin of 40 points and the page number above the
    // bottom one, where every printer prints: A4 is 842 points high.
    QVERIFY(!entries.isEmpty() && entries.first().text == QStringLiteral("BA"));
    QVERIFY2(qAbs(entries.first().top - 40) < 2, qPrintable(QString::number(entries.first().top)));
    const auto number = std::find_if(entries.begin(), entries.end(), [](const PrintedWord &w) {
        return w.text == QStringLiteral("1");
    });
    QVERIFY(number != entries.end());
    QVERIFY2(qAbs(number->top + number->height - (842 - 40)) < 2,
             qPrintable(QString::number(number->top + number->height)));
    // The letter heading "B b" in the middle of the first column: its margin is 40 points,
    // the gap between the columns 16, so a column is (595 - 2 * 40 - 16) / 2 = 249.5 wide.
    const auto heading = std::find_if(entries.begin(), entries.end(), [](const PrintedWord &w) {
        return w.text == QStringLiteral("B");
    });
    QVERIFY(heading != entries.end() && heading + 1 != entries.end() &&
            (heading + 1)->text == QStringLiteral("b"));
    const double headingMiddle = (heading->left + (heading + 1)->right) / 2;
    QVERIFY2(qAbs(headingMiddle - (40 + 249.5 / 2)) < 2,
             qPrintable(QString::number(headingMiddle)));
}

void TestPdfExport::fontsEmbedded()
{
    const QStringList rows =
        QString::fromUtf8(run(QStringLiteral("pdffonts"), {m_pdf}).out).split(QLatin1Char('\n'));
    QStringList fonts;
    for (const QString &row : rows.mid(2)) {
        const QStringList fields = row.simplified().split(QLatin1Char(' '));
        if (fields.size() < 7)
            continue;
        QCOMPARE(fields.at(fields.size() - 5), QStringLiteral("yes")); // emb
        fonts << fields.first();
    }
    fonts.sort();
    QCOMPARE(fonts, QStringList({QStringLiteral("DejaVuSans"), QStringLiteral("DejaVuSans-Bold"),
                                 QStringLiteral("DejaVuSans-Oblique")}));
}

void TestPdfExport::paperSize_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("size");
    // 210 x 297 mm, 148 x 210 mm and 8.5 x 11 in, in whole points of 1/72 in.
    QTest::newRow("A4 by default") << QStringList{} << QStringLiteral("595 x 842 pts (A4)");
    QTest::newRow("A5") << QStringList{QStringLiteral("--paper"), QStringLiteral("a5")}
                        << QStringLiteral("420 x 595 pts (A5)");
    QTest::newRow("letter") << QStringList{QStringLiteral("--paper"), QStringLiteral("letter")}
                            << QStringLiteral("612 x 792 pts (letter)");
}

void TestPdfExport::paperSize()
{
    QFETCH(QStringList, options);
    QFETCH(QString, size);
    const QString pdf = m_dir.filePath(QStringLiteral("paper.pdf"));
    const Run exported = exportPdf(m_res, pdf, options);
    QVERIFY2(exported.status == 0, exported.err);
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}).out);
    QVERIFY2(info.contains(QStringLiteral("Page size:       ") + size), qPrintable(info));
}

// With --grey every look is printed in a shade of grey.
void TestPdfExport::greyPrint()
{
    const QString pdf = m_dir.filePath(QStringLiteral("grey.pdf"));
    const Run exported = exportPdf(m_res, pdf, {QStringLiteral("--grey")});
    QVERIFY2(exported.status == 0, exported.err);
    const QVector<PrintedRun> runs = runsOf(pdf, 2);
    QVERIFY(runs.size() > 10);
    for (const PrintedRun &printed : runs) {
        const QString &colour = printed.colour; // #rrggbb
        QVERIFY2(colour.mid(1, 2) == colour.mid(3, 2) && colour.mid(3, 2) == colour.mid(5, 2),
                 qPrintable(printed.text + QLatin1Char(' ') + colour));
    }
}

// Two exports give the same bytes; the creation date is that of the newest file read.
void TestPdfExport::sameBytesAndDate()
{
    const QDateTime newest(QDate(2021, 3, 4), QTime(5, 6, 7), Qt::UTC);
    for (const QFileInfo &file : QDir(m_res).entryInfoList(QDir::Files)) {
        QFile data(file.filePath());
        QVERIFY(data.open(QIODevice::ReadWrite));
        QVERIFY(data.setFileTime(file.fileName() == lexiconFileName() ? newest : newest.addDays(-3),
                                 QFileDevice::FileModificationTime));
    }
    const QString first = m_dir.filePath(QStringLiteral("first.pdf"));
    const QString second = m_dir.filePath(QStringLiteral("second.pdf"));
    QCOMPARE(exportPdf(m_res, first).status, 0);
    QTest::qWait(1100); // a date of the writing would differ
    QCOMPARE(exportPdf(m_res, second).status, 0);
    QFile a(first);
    QFile b(second);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QVERIFY(a.readAll() == b.readAll());
    const QString info =
        QString::fromUtf8(run(QStringLiteral("pdfinfo"), {QStringLiteral("-isodates"), first}).out);
    QVERIFY2(info.contains(QStringLiteral("CreationDate:    2021-03-04T05:06:07")),
             qPrintable(info));
}

void TestPdfExport::unreadableDirectory_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("error");
    QTest::newRow("no directory") << QString()
                                  << QStringLiteral("entries.bna: error: cannot be read");
    QTest::newRow("a letter file missing")
        << QStringLiteral("w.bna") << QStringLiteral("w.bna: error: cannot be read");
}

// Nothing is written when the dictionary cannot be read, and an older file stays.
void TestPdfExport::unreadableDirectory()
{
    QFETCH(QString, removed);
    QFETCH(QString, error);
    const QString res = m_dir.filePath(QStringLiteral("broken"));
    if (!removed.isEmpty()) {
        QVERIFY(sample().writeTo(res));
        QVERIFY(QFile::remove(dataFilePath(res, removed)));
    }
    const QString pdf = m_dir.filePath(QStringLiteral("kept.pdf"));
    QVERIFY(testdata::writeFile(pdf, "older"));
    const Run exported = exportPdf(res, pdf);
    QCOMPARE(exported.status, 2);
    QVERIFY2(exported.err.contains(error.toUtf8()), exported.err);
    QFile kept(pdf);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("older"));
}

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
