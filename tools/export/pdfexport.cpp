#include "pdfexport.h"

#include "aboutfile.h"
#include "alphabet.h"
#include "articlehtml.h"
#include "datafile.h"
#include "datafilenames.h"
#include "dictionarydata.h"
#include "entrylookup.h"
#include "entrystyle.h"
#include "exportsource.h"
#include "frenchindex.h"

#include <QBuffer>
#include <QCollator>
#include <QDateTime>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

// The grey of each look with --grey, 0 black to 255 white, by EntryLook: the bold and the
// italic looks stay black or nearly, the others are told apart from plain text by a shade
// a black-and-white printer renders well.
constexpr int greyTable[entryLookCount] = {
    0,   // Plain
    96,  // Tag
    0,   // Bullet
    64,  // Example (italic)
    112, // UpArrowWord
    112, // DownArrowWord
    0,   // Headword (bold)
    0,   // BeforeParenthesis (bold)
    96,  // ToneGroup
    112, // Brace
    112, // Slash
};

QColor lookColour(EntryLook look, bool grey)
{
    if (grey)
        return QColor(greyTable[int(look)], greyTable[int(look)], greyTable[int(look)]);
    const char *name = lookStyle(look).colour;
    return *name ? QColor(QLatin1String(name)) : QColor(Qt::black);
}

QTextCharFormat lookFormat(EntryLook look, bool grey)
{
    const LookStyle style = lookStyle(look);
    QTextCharFormat format;
    format.setForeground(lookColour(look, grey));
    if (style.bold)
        format.setFontWeight(QFont::Bold);
    if (style.italic)
        format.setFontItalic(true);
    return format;
}

// A text with the looks of its stretches.
struct StyledText
{
    QString text;
    QVector<QTextLayout::FormatRange> formats;

    void append(const QString &piece, const QTextCharFormat *format = nullptr)
    {
        if (format && !piece.isEmpty())
            formats.append({int(text.size()), int(piece.size()), *format});
        text += piece;
    }
};

// The format of each look, by EntryLook.
using LookFormats = std::array<QTextCharFormat, entryLookCount>;

LookFormats lookFormats(bool grey)
{
    LookFormats formats;
    for (int look = 0; look < entryLookCount; ++look)
        formats[size_t(look)] = lookFormat(EntryLook(look), grey);
    return formats;
}

// Appends one line of an entry as the entry view shows it: its looks found on the line as
// written, each piece then made plain on its own so that no look shifts.
void appendEntryLine(StyledText *styled, const QString &line, const LookFormats &formats)
{
    int done = 0;
    for (const StyledRun &run : styledRuns(line)) {
        styled->append(plainArticleText(line.mid(done, run.start - done)));
        styled->append(plainArticleText(line.mid(run.start, run.length)),
                       &formats[size_t(run.look)]);
        done = run.start + run.length;
    }
    styled->append(plainArticleText(line.mid(done)));
}

// The first letter of a headword in search form as a heading, its capital and its small
// form ("Ɛ ɛ"), or nothing when it does not begin with a letter.
QString letterHeading(const QString &form)
{
    if (form.isEmpty() || !form.at(0).isLetter())
        return QString();
    const QString small = smallForm(form.left(1));
    return small.toUpper() + QLatin1Char(' ') + small;
}

// Lines of a layout that go together: all of them, or `count` from `first` on. Each line
// begins at the indent given to the paragraph it is part of.
struct Paragraph
{
    std::shared_ptr<QTextLayout> layout;
    int first = 0;
    int count = -1; // all
};

// Where the paragraphs of a text begin (each after a line separator) and how far their
// lines are indented, in order, the first at 0.
using Indents = std::vector<std::pair<int, qreal>>;

// What the pages are filled with, in order: paragraphs that go together (an entry, a row,
// an index key), the word that stands for them in the guide words, and how many of their
// first lines must share a column.
struct Unit
{
    std::vector<Paragraph> paragraphs;
    QString guideWord;
    int keepLines = 1;
};

// The fonts and the page geometry, in the writer's units.
struct Page
{
    QFont body;
    QFont heading;
    QFont head;
    qreal width = 0;
    qreal height = 0;
    qreal margin = 0;
    qreal top = 0;    // of the columns
    qreal bottom = 0; // of the columns
    qreal columnWidth = 0;
    qreal gap = 0;
    qreal unitSpace = 0; // between units in a column
    qreal indent = 0;    // of an entry's lines after its head line
};

// Fills pages with units in two columns, and paints each page once it is full.
class PageMaker
{
public:
    PageMaker(QPdfWriter *writer, QPainter *painter, const Page &page)
        : m_writer(writer), m_painter(painter), m_page(page), m_y(page.top)
    {
    }

    // The lines of `text` in a column `width` wide, each at the indent of its paragraph.
    std::shared_ptr<QTextLayout> layOut(const StyledText &text, const QFont &font, qreal width,
                                        Qt::Alignment alignment = Qt::AlignLeft,
                                        const Indents &indents = Indents()) const
    {
        auto layout = std::make_shared<QTextLayout>(text.text, deviceFont(font));
        QTextOption option(alignment);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        layout->setFormats(text.formats);
        // The glyphs shaped to break the lines are kept for painting them: without the
        // cache the layout drops them at endLayout() and shapes every line again.
        layout->setCacheEnabled(true);
        layout->beginLayout();
        size_t paragraph = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            while (paragraph + 1 < indents.size() &&
                   indents.at(paragraph + 1).first <= line.textStart())
                ++paragraph;
            const qreal indent = paragraph < indents.size() ? indents.at(paragraph).second : 0;
            line.setLineWidth(width - indent);
            line.setPosition(QPointF(indent, 0));
        }
        layout->endLayout();
        return layout;
    }

    void add(const Unit &unit)
    {
        struct Line
        {
            const Paragraph *paragraph;
            int index;
            qreal height;
        };
        std::vector<Line> lines;
        for (const Paragraph &paragraph : unit.paragraphs) {
            const int end = paragraph.count < 0 ? paragraph.layout->lineCount()
                                                : paragraph.first + paragraph.count;
            for (int i = paragraph.first; i < end; ++i)
                lines.push_back({&paragraph, i, paragraph.layout->lineAt(i).height()});
        }
        if (lines.empty())
            return;
        if (m_y > m_page.top)
            m_y += m_page.unitSpace;
        qreal kept = 0;
        for (int i = 0; i < int(lines.size()) && i < unit.keepLines; ++i)
            kept += lines.at(i).height;
        if (m_y > m_page.top && m_y + kept > m_page.bottom)
            nextColumn();
        m_current = unit.guideWord;
        if (!unit.guideWord.isEmpty())
            m_guideWords.append(unit.guideWord);
        for (const Line &line : lines) {
            if (m_y > m_page.top && m_y + line.height > m_page.bottom)
                nextColumn();
            const qreal x = m_page.margin + m_column * (m_page.columnWidth + m_page.gap);
            m_placed.push_back({line.paragraph->layout, line.index, QPointF(x, m_y)});
            m_y += line.height;
        }
    }

    // Paints the page being filled, if anything is on it; the next unit opens a page.
    void finishPage()
    {
        if (m_placed.empty())
            return;
        if (m_pages > 0 || m_titlePage)
            m_writer->newPage();
        ++m_pages;
        paintHead();
        for (const Placed &placed : m_placed)
            placed.layout->lineAt(placed.line).draw(m_painter, placed.position);
        m_placed.clear();
        m_guideWords.clear();
        m_column = 0;
        m_y = m_page.top;
    }

    // The title page has been painted: the pages made here follow it.
    void followTitlePage() { m_titlePage = true; }

private:
    // `font` as the writer resolves it, made once: a layout given the writer resolves its
    // font anew, and then looks up the font's glyph engines again for every paragraph.
    QFont deviceFont(const QFont &font) const
    {
        for (const auto &[plain, device] : m_deviceFonts) {
            if (plain == font)
                return device;
        }
        m_deviceFonts.push_back({font, QFont(font, m_writer)});
        return m_deviceFonts.back().second;
    }

    struct Placed
    {
        std::shared_ptr<QTextLayout> layout;
        int line;
        QPointF position;
    };

    void nextColumn()
    {
        if (m_column == 0) {
            m_column = 1;
            m_y = m_page.top;
            return;
        }
        const QString current = m_current;
        finishPage();
        m_current = current;
    }

    void paintHead()
    {
        const QStringList words = m_guideWords.isEmpty() ? QStringList{m_current} : m_guideWords;
        const qreal left = m_page.margin;
        const qreal width = m_page.width - 2 * m_page.margin;
        QFont bold = m_page.head;
        bold.setBold(true);
        m_painter->setPen(Qt::black);
        m_painter->setFont(bold);
        const QRectF head(left, m_page.margin, width, m_page.top - m_page.margin);
        m_painter->drawText(head, Qt::AlignLeft | Qt::AlignTop, words.first());
        m_painter->drawText(head, Qt::AlignRight | Qt::AlignTop, words.last());
        const qreal rule = m_page.margin + QFontMetricsF(bold, m_writer).height() * 1.2;
        m_painter->drawLine(QPointF(left, rule), QPointF(left + width, rule));
        m_painter->setFont(m_page.head);
        // The number stands above the bottom margin, as the guide words stand below the
        // top one: a printer prints nothing at the paper's very edge.
        const QRectF foot(left, m_page.bottom, width,
                          m_page.height - m_page.margin - m_page.bottom);
        m_painter->drawText(foot, Qt::AlignHCenter | Qt::AlignBottom, QString::number(m_pages));
    }

    QPdfWriter *m_writer;
    QPainter *m_painter;
    const Page m_page;
    int m_pages = 0; // painted so far, the title page not counted
    bool m_titlePage = false;
    int m_column = 0;
    qreal m_y;
    QStringList m_guideWords; // of the units beginning on the page being filled
    QString m_current;        // of the unit last placed
    std::vector<Placed> m_placed;
    mutable std::vector<std::pair<QFont, QFont>> m_deviceFonts; // plain, as the writer resolves it
};

// A unit whose text waits to be laid out: its paragraphs, each after a line separator,
// the lines laid out apart that go above them (a letter heading), and how many of its
// first lines must share a column.
struct PendingUnit
{
    StyledText text;
    Indents indents; // where its paragraphs begin in `text`, the first at 0, and their indent
    QString guideWord;
    std::vector<Paragraph> above;
    bool keepAll = false; // else its first paragraph and the line after it
};

// Lays out units many at a time, each its own paragraphs of one layout, and adds them to
// the pages in order: a layout costs much more to make than a line.
class Batch
{
public:
    Batch(PageMaker *pages, const QFont &font, qreal width)
        : m_pages(pages), m_font(font), m_width(width)
    {
    }

    void add(PendingUnit unit)
    {
        if (!m_units.empty())
            m_text.append(QString(QChar::LineSeparator));
        const int start = int(m_text.text.size());
        for (const auto &[at, indent] : unit.indents)
            m_indents.push_back({start + at, indent});
        for (QTextLayout::FormatRange range : qAsConst(unit.text.formats)) {
            range.start += start;
            m_text.formats.append(range);
        }
        m_text.text += unit.text.text;
        m_starts.push_back(start);
        m_secondParagraphs.push_back(unit.indents.size() > 1 ? start + unit.indents.at(1).first
                                                             : -1);
        unit.text = StyledText(); // held in m_text from here on
        m_units.push_back(std::move(unit));
        if (m_units.size() == batchSize)
            finish();
    }

    // Adds the units given so far to the pages.
    void finish()
    {
        if (m_units.empty())
            return;
        const auto layout = m_pages->layOut(m_text, m_font, m_width, Qt::AlignLeft, m_indents);
        int line = 0;
        for (size_t i = 0; i < m_units.size(); ++i) {
            const int first = line;
            const int next = i + 1 < m_units.size() ? m_starts.at(i + 1) : m_text.text.size() + 1;
            int head = 0;
            while (line < layout->lineCount() && layout->lineAt(line).textStart() < next) {
                if (m_secondParagraphs.at(i) < 0 ||
                    layout->lineAt(line).textStart() < m_secondParagraphs.at(i))
                    ++head;
                ++line;
            }
            m_pages->add(unitOf(m_units.at(i), layout, first, line - first, head));
        }
        m_text = StyledText();
        m_indents.clear();
        m_starts.clear();
        m_secondParagraphs.clear();
        m_units.clear();
    }

private:
    // The unit of `pending`, its text being `count` lines of `layout` from `first` on, the
    // first `head` of them its first paragraph.
    static Unit unitOf(const PendingUnit &pending, const std::shared_ptr<QTextLayout> &layout,
                       int first, int count, int head)
    {
        Unit unit;
        unit.guideWord = pending.guideWord;
        unit.paragraphs = pending.above;
        int aboveLines = 0;
        for (const Paragraph &paragraph : pending.above)
            aboveLines += paragraph.layout->lineCount();
        unit.paragraphs.push_back({layout, first, count});
        unit.keepLines = aboveLines + (pending.keepAll ? count : head + 1);
        return unit;
    }

    static constexpr size_t batchSize = 128;
    PageMaker *m_pages;
    const QFont m_font;
    const qreal m_width;
    StyledText m_text;
    Indents m_indents;
    std::vector<int> m_starts;           // of each unit in m_text
    std::vector<int> m_secondParagraphs; // where each unit's second paragraph begins, or -1
    std::vector<PendingUnit> m_units;
};

Page pageFor(QPdfWriter *writer, QPageSize::PageSizeId paper)
{
    const qreal unitsPerPoint = writer->resolution() / 72.0;
    const bool small = paper == QPageSize::A5;
    Page page;
    page.body = QFont(QStringLiteral("DejaVu Sans"));
    page.body.setPointSizeF(small ? 7 : 8.5);
    page.body.setHintingPreference(QFont::PreferNoHinting);
    page.body.setStyleStrategy(QFont::PreferOutline);
    page.heading = page.body;
    page.heading.setPointSizeF(small ? 12 : 15);
    page.heading.setBold(true);
    page.head = page.body;
    page.head.setPointSizeF(small ? 7.5 : 9);
    page.width = writer->width();
    page.height = writer->height();
    page.margin = (small ? 28 : 40) * unitsPerPoint;
    const qreal headHeight = QFontMetricsF(page.head, writer).height() * 2.2;
    page.top = page.margin + headHeight;
    page.bottom = page.height - page.margin - headHeight;
    page.gap = (small ? 10 : 16) * unitsPerPoint;
    page.columnWidth = (page.width - 2 * page.margin - page.gap) / 2;
    page.unitSpace = QFontMetricsF(page.body, writer).height() * 0.3;
    page.indent = QFontMetricsF(page.body, writer).height();
    return page;
}

// "12 345": a count with its thousands apart.
QString grouped(qint64 count)
{
    QString digits = QString::number(count);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QChar(0x202F)); // narrow no-break space
    return digits;
}

class Exporter
{
public:
    Exporter(const QString &resDir, const PdfOptions &options, PdfExport *result)
        : m_resDir(resDir), m_options(options), m_result(result),
          m_formats(lookFormats(options.grey))
    {
    }

    bool read()
    {
        ExportSource source;
        if (!readExportSource(m_resDir, &source, &m_result->diagnostics))
            return false;
        m_paths = std::move(source.paths);
        const QString aboutPath = dataFilePath(m_resDir, aboutFileName());
        if (QFileInfo::exists(aboutPath)) {
            m_paths << aboutPath;
            const std::optional<QStringList> about = readAboutLines(m_resDir);
            if (!about) {
                cannotRead(aboutPath);
                return false;
            }
            m_about = *about;
        }
        m_headwords = std::move(source.headwords);
        m_lexicon = std::move(source.lexicon);
        m_reversal = std::move(source.reversal);
        m_letters = std::move(source.letters);
        return true;
    }

    QByteArray write()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setPageSize(QPageSize(m_options.paper));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setResolution(720);
            writer.setCreator(QStringLiteral("lexora-data"));
            writer.setTitle(m_about.isEmpty() ? QString() : m_about.first().trimmed());
            QPainter painter(&writer);
            const Page page = pageFor(&writer, m_options.paper);
            m_page = &page;
            PageMaker pages(&writer, &painter, page);
            const std::vector<PrintedEntry> entries = printedEntries();
            paintTitlePage(&painter, &writer, page, int(entries.size()));
            pages.followTitlePage();
            QString heading;
            // Each entry's text is looked up again as it is printed rather than held for
            // all entries at once.
            EntryFinder finder(m_letters, 0);
            Batch entryUnits(&pages, page.body, page.columnWidth);
            for (const PrintedEntry &entry : entries) {
                const QString text =
                    entry.target.isEmpty() ? lookUpWord(finder, entry.form).text : QString();
                entryUnits.add(entryUnit(pages, entry, text, &heading));
            }
            entryUnits.finish();
            pages.finishPage();
            addSection(pages, QStringLiteral("Bambara \u2013 French word list")); // en dash
            Batch rows(&pages, page.body, page.columnWidth);
            for (const LexiconRow &lexiconRow : qAsConst(m_lexicon))
                rows.add(row(plainArticleText(lexiconRow.word),
                             plainArticleText(lexiconRow.gloss).trimmed()));
            rows.finish();
            pages.finishPage();
            addSection(pages, QStringLiteral("French \u2013 Bambara index")); // en dash
            addFrenchIndex(pages);
            pages.finishPage();
            painter.end();
        }
        // The bytes are taken out of the buffer, so that the date is set without a copy.
        return withDate(std::move(buffer.buffer()));
    }

private:
    void cannotRead(const QString &path)
    {
        m_result->diagnostics.append(
            {path, 0, Diagnostic::Error, QStringLiteral("cannot be read")});
    }

    // An entry to print: the headword, and the headword it leads to when its own entry is
    // a cross-reference.
    struct PrintedEntry
    {
        QString form;
        QString target;
    };

    // The headwords of the list that lead to an entry, each once, in list order.
    std::vector<PrintedEntry> printedEntries()
    {
        std::vector<PrintedEntry> entries;
        EntryFinder finder(m_letters, 0);
        for (const ListedEntry &listed :
             listedEntries(m_resDir, m_headwords, finder, &m_result->diagnostics))
            entries.push_back({listed.form, finder.find(listed.form).isCrossReference
                                                ? listed.shown.form
                                                : QString()});
        return entries;
    }

    // The unit of an entry whose text the viewer shows is `entryText` (none for a
    // cross-reference), opened by the heading of its letter when `heading` (the last
    // heading) is another. Its head line (all its lines) never ends a column: it keeps the
    // line after it.
    PendingUnit entryUnit(const PageMaker &pages, const PrintedEntry &entry,
                          const QString &entryText, QString *heading) const
    {
        PendingUnit unit;
        unit.guideWord = plainArticleText(entry.form);
        const QString letter = letterHeading(entry.form);
        if (!letter.isEmpty() && letter != *heading) {
            *heading = letter;
            StyledText text;
            text.append(letter);
            unit.above.push_back(
                {pages.layOut(text, m_page->heading, m_page->columnWidth, Qt::AlignHCenter)});
        }
        StyledText &text = unit.text;
        if (!entry.target.isEmpty()) {
            unit.indents.push_back({0, 0});
            text.append(plainArticleText(entry.form), &m_formats[size_t(EntryLook::Headword)]);
            text.append(QStringLiteral(" \u2192 ") + plainArticleText(entry.target)); // →
            return unit;
        }
        // The lines of the entry, each its own paragraph.
        for (const QString &line : entryText.split(QLatin1Char('\n'))) {
            if (line.isEmpty())
                continue;
            if (!unit.indents.empty())
                text.append(QString(QChar::LineSeparator));
            unit.indents.push_back({int(text.text.size()), isHeadLine(line) ? 0 : m_page->indent});
            appendEntryLine(&text, line, m_formats);
        }
        return unit;
    }

    void addSection(PageMaker &pages, const QString &title)
    {
        StyledText text;
        text.append(title);
        Unit unit;
        unit.paragraphs.push_back(
            {pages.layOut(text, m_page->heading, m_page->columnWidth, Qt::AlignHCenter)});
        unit.keepLines = unit.paragraphs.front().layout->lineCount();
        pages.add(unit);
    }

    // A row of the word list or of the index, `word` in bold and then `text`, kept in one
    // column.
    PendingUnit row(const QString &word, const QString &text) const
    {
        PendingUnit unit;
        unit.text.append(word, &m_formats[size_t(EntryLook::Headword)]);
        unit.text.append(QStringLiteral("  ") + text);
        unit.indents.push_back({0, 0});
        unit.guideWord = word;
        unit.keepAll = true;
        return unit;
    }

    // The index keys in French alphabetical order, each with the words that have it as the
    // lexicon writes them.
    void addFrenchIndex(PageMaker &pages)
    {
        const QVector<FrenchIndexKey> index = frenchIndexKeys(m_lexicon, m_reversal);
        QCollator collator{QLocale(QLocale::French, QLocale::France)};
        std::vector<std::pair<QCollatorSortKey, int>> order;
        order.reserve(size_t(index.size()));
        for (int i = 0; i < index.size(); ++i)
            order.emplace_back(collator.sortKey(index.at(i).key), i);
        std::stable_sort(order.begin(), order.end(), [&](const auto &a, const auto &b) {
            const int compared = a.first.compare(b.first);
            return compared != 0 ? compared < 0 : index.at(a.second).key < index.at(b.second).key;
        });
        Batch rows(&pages, m_page->body, m_page->columnWidth);
        for (const auto &[sortKey, i] : order) {
            QStringList words;
            for (const auto &[form, row] : index.at(i).words)
                words << plainArticleText(m_lexicon.at(row).word);
            rows.add(row(index.at(i).key, words.join(QStringLiteral(", "))));
        }
        rows.finish();
    }

    void paintTitlePage(QPainter *painter, QPdfWriter *writer, const Page &page, int headwords)
    {
        QStringList lines = m_about;
        for (QString &line : lines)
            line = plainArticleText(line).trimmed();
        while (lines.size() < 4)
            lines << QString();
        const QStringList labels = {QString(), QString(), QStringLiteral("Source: "),
                                    QStringLiteral("Licence: ")};
        const qreal width = page.width - 2 * page.margin;
        qreal y = page.height * 0.3;
        const auto paint = [&](const QString &text, const QFont &font) {
            if (text.isEmpty())
                return;
            painter->setFont(font);
            const QRectF box(page.margin, y, width, page.height);
            const QRectF used =
                painter->boundingRect(box, Qt::AlignHCenter | Qt::TextWordWrap, text);
            painter->drawText(box, Qt::AlignHCenter | Qt::TextWordWrap, text);
            y += used.height() + QFontMetricsF(font, writer).height() * 0.8;
        };
        QFont title = page.heading;
        title.setPointSizeF(page.heading.pointSizeF() * 1.6);
        QFont authors = page.body;
        authors.setPointSizeF(page.body.pointSizeF() * 1.5);
        painter->setPen(Qt::black);
        paint(lines.at(0).isEmpty() ? QStringLiteral("Dictionary") : lines.at(0), title);
        paint(lines.at(1), authors);
        for (int i = 2; i < 4; ++i)
            paint(lines.at(i).isEmpty() ? QString() : labels.at(i) + lines.at(i), page.head);
        y += QFontMetricsF(page.head, writer).height() * 2;
        paint(QStringLiteral("%1 headwords, %2 lexicon rows")
                  .arg(grouped(headwords), grouped(m_lexicon.size())),
              page.head);
    }

    // The PDF with the creation date the writer gave it (the time of writing) replaced by
    // the newest modification time of the files read, written alike (same length).
    QByteArray withDate(QByteArray pdf) const
    {
        QDateTime newest;
        for (const QString &path : m_paths) {
            const QDateTime modified = QFileInfo(path).lastModified().toUTC();
            if (modified.isValid() && (!newest.isValid() || modified > newest))
                newest = modified;
        }
        if (!newest.isValid())
            newest = QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
        const QByteArray marker = "/CreationDate (D:";
        const int start = pdf.indexOf(marker);
        const int end = start < 0 ? -1 : pdf.indexOf(')', start);
        if (end < 0)
            return QByteArray();
        // The writer gives the time with its offset from UTC ("+01'00'"), or "Z" for none.
        const int dateStart = start + marker.size();
        const bool zulu = end - dateStart == 15;
        const QByteArray date =
            newest.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + (zulu ? "Z" : "+00'00'");
        if (date.size() != end - dateStart)
            return QByteArray(); // not a date this function knows: no PDF rather than a wrong one
        pdf.replace(dateStart, date.size(), date);
        return pdf;
    }

    const QString m_resDir;
    const PdfOptions m_options;
    PdfExport *m_result;
    const LookFormats m_formats;
    const Page *m_page = nullptr;
    QStringList m_paths;
    QStringList m_about;
    QStringList m_headwords;
    QVector<LexiconRow> m_lexicon;
    QVector<LexiconRow> m_reversal;
    LetterTexts m_letters;
};

} // namespace

PdfExport exportPdf(const QString &resDir, const PdfOptions &options)
{
    PdfExport result;
    Exporter exporter(resDir, options, &result);
    if (!exporter.read())
        return result;
    // The writer gives its creation date in local time, with the offset from UTC, which
    // withDate() replaces: in UTC the date is written alike on every machine.
    const QByteArray zone = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "UTC");
    // The writer keeps its fonts in a hash and writes them in its order: with the fixed
    // seed that order, and so the bytes, are the same in every run.
    const bool randomSeed = qGlobalQHashSeed() != 0;
    qSetGlobalQHashSeed(0);
    result.pdf = exporter.write();
    if (randomSeed)
        qSetGlobalQHashSeed(-1);
    if (hadZone)
        qputenv("TZ", zone);
    else
        qunsetenv("TZ");
    result.usable = !result.pdf.isEmpty();
    if (!result.usable)
        result.diagnostics.append(
            {resDir, 0, Diagnostic::Error, QStringLiteral("the PDF could not be made")});
    return result;
}
