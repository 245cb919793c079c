// One line of the lexicon file, as any text: the row it gives has a trimmed first column
// and no separator in either column.

#include "lexiconline.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const std::optional<LexiconRow> row = splitLexiconLine(line);
    if (!row)
        return 0;
    const QChar separator = QLatin1Char('|');
    if (row->word != row->word.trimmed() || row->word.contains(separator) ||
        row->gloss.contains(separator))
        std::abort();
    // The gloss stands in the line right after the first separator.
    const int first = line.indexOf(separator);
    if (first >= 0 && !QStringView(line).mid(first + 1).startsWith(row->gloss))
        std::abort();
    return 0;
}
