#include "datafile.h"

#include "linecodec.h"

namespace {

// Decodes every line of `text` in place, in order, and hands each to `take` as
// (start, length) within `text`. A plain line may hold any unit, a line feed included,
// so the lines are found in the stored text before each is decoded.
template <typename Take> void decodeLines(QString &text, Take take)
{
    QChar *units = text.data();
    const int size = text.size();
    int phase = 0;
    for (int start = 0; start < size;) {
        int end = start;
        while (end < size && units[end] != QLatin1Char('\n'))
            ++end;
        descrambleInPlace(units + start, end - start, ++phase);
        take(start, end - start);
        start = end + 1;
    }
}

} // namespace

std::optional<QString> readDataText(const QString &path, TextReadReport *report)
{
    std::optional<QString> text = readFileText(path, report);
    if (!text || text->isEmpty())
        return text;
    if (!text->endsWith(QLatin1Char('\n')))
        text->append(QLatin1Char('\n'));
    // Each line is decoded in place; the line feeds after the lines stay where they are.
    decodeLines(*text, [](int, int) {});
    return text;
}

std::optional<QStringList> readDataFile(const QString &path, TextReadReport *report)
{
    std::optional<QString> text = readFileText(path, report);
    if (!text)
        return std::nullopt;
    QStringList lines;
    decodeLines(*text, [&](int start, int length) { lines.append(text->mid(start, length)); });
    return lines;
}

QByteArray encodeDataFile(const QStringList &plainLines)
{
    QStringList stored;
    stored.reserve(plainLines.size());
    for (int i = 0; i < plainLines.size(); ++i)
        stored.append(scrambleLine(plainLines.at(i), i + 1));
    return plainFileBytes(stored);
}

int firstStoredLookingLine(const QStringList &lines)
{
    int first = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (readsAsStoredLine(lines.at(i), i + 1))
            first = first ? first : i + 1;
        else if (holdsControlCharacter(lines.at(i)))
            return 0;
    }
    return first;
}
