#include "textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

namespace {

constexpr int utf8Mib = 106;
constexpr int latin1Mib = 4;

// Length of the UTF-8 sequence that starts at `bytes[i]`, or 0 when it is not a complete,
// valid one (overlong forms, surrogates and values above U+10FFFF are invalid).
int validSequenceLength(const QByteArray &bytes, int i)
{
    const auto at = [&](int k) { return uchar(bytes.at(k)); };
    const uchar lead = at(i);
    if (lead < 0x80)
        return 1;
    int length = 0;
    uint minimum = 0;
    uint value = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, value = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (at(i + k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

// Offset of the first byte that does not begin a valid UTF-8 sequence, or -1.
int firstInvalidUtf8(const QByteArray &bytes, int from)
{
    for (int i = from; i < bytes.size();) {
        const int length = validSequenceLength(bytes, i);
        if (length == 0)
            return i;
        i += length;
    }
    return -1;
}

// Makes every line end a line feed: "\r\n" and a carriage return alone become "\n", so
// that a line is never merged with the next whatever system wrote the file.
void unifyLineEnds(QString &text)
{
    if (!text.contains(QLatin1Char('\r')))
        return;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// Line and column of text offset `offset`, line ends already unified.
TextFlaw flawAt(const QString &text, int offset, const QString &description)
{
    // lastIndexOf() counts a negative start from the end: at offset 0 there is no line
    // before.
    const int lineStart = offset > 0 ? text.lastIndexOf(QLatin1Char('\n'), offset - 1) + 1 : 0;
    return {int(text.leftRef(lineStart).count(QLatin1Char('\n'))) + 1, offset - lineStart + 1,
            description};
}

QString describeInvalidBytes(const QByteArray &bytes, int offset)
{
    QString shown;
    for (int k = offset; k < bytes.size() && k < offset + 4; ++k)
        shown += QStringLiteral(" %1").arg(uchar(bytes.at(k)), 2, 16, QLatin1Char('0'));
    return QStringLiteral("bytes that are not valid UTF-8 (") + shown.trimmed().toUpper() +
           QStringLiteral(")");
}

} // namespace

std::optional<QString> readFileText(const QString &path, TextReadReport *report,
                                    TextEncoding encoding)
{
    TextReadReport scratch;
    TextReadReport &out = report ? *report : scratch;
    out = {};
    const QFileInfo info(path);
    if (!info.exists()) {
        out.failure = QStringLiteral("no such file");
        return std::nullopt;
    }
    if (!info.isFile()) {
        out.failure = QStringLiteral("not a regular file");
        return std::nullopt;
    }
    if (info.size() > largestTextFile) {
        out.failure = QStringLiteral("larger than %1 MiB").arg(largestTextFile >> 20);
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.failure = file.errorString();
        return std::nullopt;
    }
    return decodeText(file.readAll(), &out.flaws, encoding);
}

QString decodeText(const QByteArray &bytes, QVector<TextFlaw> *flaws, TextEncoding encoding)
{
    QVector<TextFlaw> scratch;
    QVector<TextFlaw> &found = flaws ? *flaws : scratch;
    found.clear();
    QTextCodec *codec = encoding == TextEncoding::Latin1
                            ? QTextCodec::codecForMib(latin1Mib)
                            : QTextCodec::codecForUtfText(bytes, QTextCodec::codecForMib(utf8Mib));
    QTextCodec::ConverterState state;
    QString text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    // Decoded as a stream, a character cut off by the end of the file would vanish; like
    // any other bytes that are not text it becomes U+FFFD, so that its flaw lies on a line
    // that is read.
    if (state.remainingChars > 0)
        text.append(QChar(QChar::ReplacementCharacter));
    unifyLineEnds(text);
    const bool flawed = state.invalidChars > 0 || state.remainingChars > 0;
    // The decoder only says that something was wrong; the bytes say where.
    const int skip = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const int bad = flawed && codec->mibEnum() == utf8Mib ? firstInvalidUtf8(bytes, skip) : -1;
    if (bad >= 0) {
        // Decoded as the text was after its mark: a later U+FEFF is a character.
        QTextCodec::ConverterState afterMark(QTextCodec::IgnoreHeader);
        QString before = codec->toUnicode(bytes.constData() + skip, bad - skip, &afterMark);
        unifyLineEnds(before);
        found.append(flawAt(text, before.size(), describeInvalidBytes(bytes, bad)));
    } else if (flawed) {
        const int replaced = text.indexOf(QChar(QChar::ReplacementCharacter));
        found.append(flawAt(text, replaced < 0 ? text.size() : replaced,
                            QStringLiteral("bytes that are not valid ") +
                                QString::fromLatin1(codec->name())));
    }
    const int nul = text.indexOf(QChar(0));
    if (nul >= 0)
        found.append(flawAt(text, nul, QStringLiteral("a NUL character")));
    // A file that holds bytes but no text (only a byte-order mark) still reads as one
    // empty line, as a line-by-line reader gives it.
    if (text.isEmpty() && !bytes.isEmpty())
        text = QStringLiteral("\n");
    // The decoder leaves room for one unit per byte; a text that is kept (a letter file
    // stays in memory while the window is open) keeps only what it holds.
    text.squeeze();
    return text;
}

std::optional<QStringList> readTextLines(const QString &path, TextReadReport *report,
                                         TextEncoding encoding)
{
    const std::optional<QString> text = readFileText(path, report, encoding);
    if (!text)
        return std::nullopt;
    return splitLines(*text);
}

QStringList splitLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    lines.removeLast(); // the piece after the last "\n", or the whole of an empty text
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        lines.append(text.mid(text.lastIndexOf(QLatin1Char('\n')) + 1));
    return lines;
}

QString joinLines(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 1;
    QString text;
    text.reserve(int(size));
    for (const QString &line : lines) {
        text += line;
        text += QLatin1Char('\n');
    }
    return text;
}

QByteArray plainFileBytes(const QStringList &lines)
{
    return joinLines(lines).toUtf8();
}
