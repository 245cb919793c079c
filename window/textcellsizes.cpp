#include "textcellsizes.h"

#include "showntext.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QHash>
#include <QTextLayout>
#include <algorithm>
#include <limits>
#include <vector>

namespace {

// What one UTF-16 unit adds to the width of a text, alone in the view's font.
struct CharacterMetrics
{
    bool known = false;
    bool plain = false; // the font draws it, on the line, left to right
    qreal advance = 0;
    qreal overhang = 0; // how far its glyph reaches right of its advance
};

// Characters that lay out on one line, left to right, and whose width does not depend on
// a neighbour further than the next one.
bool isPlainKind(QChar character)
{
    switch (character.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
        return false;
    default:
        break;
    }
    switch (character.direction()) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirON:
    case QChar::DirWS:
        return true;
    default:
        return false;
    }
}

// The width of a text on one line, as a cell lays it out: wrapped at words within a width
// it never reaches, trailing blanks not counted.
qreal oneLineWidth(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(std::numeric_limits<int>::max() / 256); // the widest a layout takes
    layout.endLayout();
    return line.naturalTextWidth();
}

// Upper bounds of the widths of plain texts (see the header), from the metrics of single
// characters and of the pairs that occur, each measured once.
class WidthBounds
{
public:
    explicit WidthBounds(const QFont &font) : font(font), metrics(font), characters(0x10000) {}

    // The bound of `text`, or -1 when it is not plain.
    qreal bound(QStringView text)
    {
        qreal width = 0;
        qreal overhang = 0;
        for (int i = 0; i < text.size(); ++i) {
            const CharacterMetrics &metrics = character(text[i]);
            if (!metrics.plain)
                return -1;
            width += metrics.advance;
            overhang = qMax(overhang, metrics.overhang);
            if (i > 0)
                width += pairGain(text[i - 1], text[i]);
        }
        return width + overhang;
    }

    // Whether the plain characters met so far are all drawn by one font: a font is chosen
    // for each script, and a character of a script has the font chosen for the script of
    // its neighbours when it belongs to none itself.
    bool oneFont() const
    {
        QTextLayout layout(scriptSamples, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        return layout.glyphRuns().size() <= 1;
    }

private:
    const CharacterMetrics &character(QChar unit)
    {
        CharacterMetrics &known = characters[unit.unicode()];
        if (!known.known) {
            known.known = true;
            known.plain = isPlainKind(unit) && metrics.inFont(unit);
            if (known.plain) {
                known.advance = metrics.horizontalAdvance(QString(unit));
                known.overhang = qMax(qreal(0), -metrics.rightBearing(unit));
                if (!scripts.contains(unit.script())) {
                    scripts.append(unit.script());
                    scriptSamples.append(unit);
                }
            }
        }
        return known;
    }

    // How much wider the pair is than its two characters alone, if it is.
    qreal pairGain(QChar first, QChar second)
    {
        const quint32 key = (quint32(first.unicode()) << 16) | second.unicode();
        auto found = pairGains.constFind(key);
        if (found != pairGains.constEnd())
            return *found;
        const QChar pair[] = {first, second};
        const qreal gain = metrics.horizontalAdvance(QString(pair, 2)) -
                           characters[first.unicode()].advance -
                           characters[second.unicode()].advance;
        return *pairGains.insert(key, qMax(qreal(0), gain));
    }

    QFont font;
    QFontMetricsF metrics;
    QVector<int> scripts;                     // of the plain characters met
    QString scriptSamples;                    // one character of each
    std::vector<CharacterMetrics> characters; // by UTF-16 unit
    QHash<quint32, qreal> pairGains;
};

// The characters of a text that take room of their own on a line: all but the marks that
// combine with the one before them.
qint64 spacingLength(QStringView text)
{
    qint64 length = 0;
    for (const QChar character : text) {
        const QChar::Category category = character.category();
        length += category != QChar::Mark_NonSpacing && category != QChar::Mark_Enclosing;
    }
    return length;
}

} // namespace

TextCellSizes measureTextCells(QAbstractItemView *view, int column, int rows,
                               const std::function<QStringView(int)> &cellText)
{
    TextCellSizes sizes;
    if (rows <= 0)
        return sizes;
    view->ensurePolished();
    const QFont font = view->font();

    // The bound of each plain text; -1 for the others.
    WidthBounds bounds(font);
    std::vector<qreal> bound(size_t(rows), -1);
    for (int row = 0; row < rows; ++row) {
        const QStringView text = cellText(row);
        if (!text.isEmpty() && text.size() <= longestShownCell)
            bound[size_t(row)] = bounds.bound(text);
    }
    const bool boundsHold = bounds.oneFont();

    const QAbstractItemModel *model = view->model();
    QVector<int> heights;
    const auto measureByView = [&](int row) {
        const QSize size = view->sizeHintForIndex(model->index(row, column));
        sizes.widest = qMax(sizes.widest, size.width());
        if (!heights.contains(size.height()))
            heights.append(size.height());
    };
    // The texts the bounds do not cover are measured by the view; empty texts once for
    // each kind (null or not), which the model tells apart.
    int widestPlainRow = -1;
    int firstEmptyRow[2] = {-1, -1};
    struct Candidate
    {
        qint64 length; // of what a cell draws: the delegate cuts longer texts
        int row;
    };
    std::vector<Candidate> byView;
    qint64 byViewLength = 0;
    for (int row = 0; row < rows; ++row) {
        const qreal rowBound = bound[size_t(row)];
        if (boundsHold && rowBound >= 0) {
            if (widestPlainRow < 0 || rowBound > bound[size_t(widestPlainRow)])
                widestPlainRow = row;
            continue;
        }
        const QStringView text = cellText(row);
        if (text.isEmpty()) {
            int &first = firstEmptyRow[text.isNull() ? 0 : 1];
            if (first >= 0)
                continue;
            first = row;
        }
        byView.push_back({spacingLength(text.left(longestShownCell)), row});
        byViewLength += byView.back().length;
    }
    const bool sampled = byViewLength > longestMeasuredByView;
    if (sampled) {
        // Text that is not a dictionary's (a damaged file: a hundred thousand rows of
        // mixed scripts) would take minutes to lay out row by row. The longest texts are
        // measured, up to the budget, and the cells are given one height, the tallest
        // found, so that the view never measures every row itself.
        std::stable_sort(byView.begin(), byView.end(), [](const Candidate &a, const Candidate &b) {
            return a.length > b.length;
        });
        qint64 budget = longestMeasuredByView;
        auto end = byView.begin();
        while (end != byView.end() && budget > 0)
            budget -= (end++)->length;
        byView.erase(end, byView.end());
    }
    for (const Candidate &candidate : byView)
        measureByView(candidate.row);
    if (widestPlainRow >= 0) {
        // A text is only measured when its bound reaches past the widest width found.
        qreal widest = oneLineWidth(cellText(widestPlainRow).toString(), font);
        for (int row = 0; row < rows; ++row) {
            if (row == widestPlainRow || bound[size_t(row)] <= widest)
                continue;
            const qreal width = oneLineWidth(cellText(row).toString(), font);
            if (width > widest) {
                widest = width;
                widestPlainRow = row;
            }
        }
        // Every plain text is one line of one font, so all are as high as this one.
        measureByView(widestPlainRow);
    }
    if (heights.size() == 1 || (sampled && !heights.isEmpty()))
        sizes.commonHeight = *std::max_element(heights.cbegin(), heights.cend());
    return sizes;
}
