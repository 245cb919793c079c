#include "lexiconline.h"

std::optional<LexiconRow> splitLexiconLine(const QString &line)
{
    if (line.isEmpty())
        return std::nullopt;
    const QChar separator = QLatin1Char('|');
    const int first = line.indexOf(separator);
    if (first < 0)
        return LexiconRow{line.trimmed(), QString()};
    const int second = line.indexOf(separator, first + 1);
    const int glossLength = second < 0 ? -1 : second - first - 1;
    return LexiconRow{line.left(first).trimmed(), line.mid(first + 1, glossLength)};
}
