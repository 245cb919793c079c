#include "datafile.h"

#include "linecodec.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

namespace {

// The file's text as a text stream on a text-mode device reads it: the codec is UTF-8
// unless a byte-order mark at the start selects another one, whose mark is then not part
// of the text, and every carriage return is dropped from the decoded text.
std::optional<QString> decodeFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    QTextCodec *codec = QTextCodec::codecForUtfText(bytes, QTextCodec::codecForName("UTF-8"));
    // Decoded as a stream: a character cut off by the end of the file is dropped, not
    // turned into a replacement character.
    QTextCodec::ConverterState state;
    QString text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    text.remove(QLatin1Char('\r'));
    // A file that holds bytes but no text (only a byte-order mark, carriage returns or an
    // unfinished character) still reads as one empty line, as a line-by-line reader
    // gives it.
    if (text.isEmpty() && !bytes.isEmpty())
        text = QStringLiteral("\n");
    return text;
}

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

std::optional<QString> readDataText(const QString &path)
{
    std::optional<QString> text = decodeFile(path);
    if (!text || text->isEmpty())
        return text;
    if (!text->endsWith(QLatin1Char('\n')))
        text->append(QLatin1Char('\n'));
    // Each line is decoded in place; the line feeds after the lines stay where they are.
    decodeLines(*text, [](int, int) {});
    return text;
}

std::optional<QStringList> readDataFile(const QString &path)
{
    std::optional<QString> text = decodeFile(path);
    if (!text)
        return std::nullopt;
    QStringList lines;
    decodeLines(*text, [&](int start, int length) { lines.append(text->mid(start, length)); });
    return lines;
}
