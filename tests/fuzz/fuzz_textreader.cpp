// Any bytes as a text file, in each encoding a reader takes. The reader never fails, and
// every flaw it reports lies in the text it gives: on a line that is read, at a column of
// that line, where the text shows what went wrong (U+FFFD for bytes that are not text, or
// the NUL itself).

#include "textfile.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    for (const TextEncoding encoding : {TextEncoding::Unicode, TextEncoding::Latin1}) {
        QVector<TextFlaw> flaws;
        const QStringList lines = splitLines(decodeText(bytes, &flaws, encoding));
        for (const TextFlaw &flaw : flaws) {
            if (flaw.line < 1 || flaw.line > lines.size())
                std::abort();
            const QString &line = lines.at(flaw.line - 1);
            if (flaw.column < 1 || flaw.column > line.size())
                std::abort();
            const QChar shown = line.at(flaw.column - 1);
            if (shown != QChar(QChar::ReplacementCharacter) && shown != QChar(0))
                std::abort();
        }
    }
    return 0;
}
