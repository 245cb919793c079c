#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// Reading a text file line by line, one way for every reader: the viewer's data files and
// the producers' plain sources alike.
//
// The file is UTF-8 unless a byte-order mark at its start says UTF-16 or UTF-32; the mark
// is not part of the text. A line ends with a line feed, a carriage return and line feed,
// or a carriage return alone (as old Mac files and some exports end them), so that no
// line is merged with the next; a final line end does not add an empty line. A
// byte sequence that is not text, a character cut off by the end of the file included,
// becomes U+FFFD, so that any file reads; it is reported as a flaw, for the tools
// that must not pass them on. Only regular files are read, so that a FIFO or a device
// never blocks or floods a reader.

// A place where a file's bytes are not clean text. Line and column are 1-based; the
// column counts characters of the line as read.
struct TextFlaw
{
    int line = 0;
    int column = 0;
    QString description;
};

struct TextReadReport
{
    QString failure;         // why the file could not be read at all; empty when it was
    QVector<TextFlaw> flaws; // the first invalid byte sequence and the first NUL, if any
};

// The largest file a reader takes; larger files are refused rather than exhausting memory.
constexpr qint64 largestTextFile = qint64(512) << 20;

// How the bytes of a file are text: Unicode (UTF-8 unless a byte-order mark says otherwise),
// or Latin-1, as some older producers' files are, where every byte is a character.
enum class TextEncoding { Unicode, Latin1 };

// The file's text with its line feeds, or nothing when it cannot be read.
std::optional<QString> readFileText(const QString &path, TextReadReport *report = nullptr,
                                    TextEncoding encoding = TextEncoding::Unicode);

// The text of a file's bytes, read as readFileText() reads them; its flaws go to `flaws`.
QString decodeText(const QByteArray &bytes, QVector<TextFlaw> *flaws = nullptr,
                   TextEncoding encoding = TextEncoding::Unicode);

// The file's lines.
std::optional<QStringList> readTextLines(const QString &path, TextReadReport *report = nullptr,
                                         TextEncoding encoding = TextEncoding::Unicode);

// The lines of a text as a reader gives them: split at "\n", a final "\n" adding no line.
QStringList splitLines(const QString &text);

// Every line followed by "\n": the text that splitLines() takes apart again.
QString joinLines(const QStringList &lines);

// The UTF-8 bytes of a plain text file holding `lines`, each ended by "\n".
QByteArray plainFileBytes(const QStringList &lines);
