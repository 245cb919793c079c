#pragma once

// Writing data files for tests: plain lines are stored exactly as a producer stores them.

#include "datafile.h"
#include "datafilenames.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTextCodec>

namespace testdata {

// Test literals written in UTF-8 source text.
inline QString u(const char *text)
{
    return QString::fromUtf8(text);
}

inline QStringList ul(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

// The stored bytes of `plainLines` as encodeDataFile() makes them, each line ended by
// `terminator` (the last one only if `finalTerminator`), in `codec`: the files other
// writers may leave.
inline QByteArray storedBytes(const QStringList &plainLines, const QByteArray &terminator = "\n",
                              bool finalTerminator = true, const char *codec = "UTF-8")
{
    QString text = QString::fromUtf8(encodeDataFile(plainLines));
    if (!finalTerminator)
        text.chop(1);
    text.replace(QLatin1Char('\n'), QString::fromLatin1(terminator));
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader); // no byte-order mark
    return QTextCodec::codecForName(codec)->fromUnicode(text.constData(), text.size(), &state);
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A whole data directory: the headword file, the lexicon file and the letter files
// named in `letterTexts` (key: the letter; value: its plain lines).
struct Dictionary
{
    QStringList headwords;
    QStringList lexicon;
    QMap<QString, QStringList> letters;

    bool writeTo(const QString &dir) const
    {
        if (!QDir().mkpath(dir))
            return false;
        bool ok = writeFile(dataFilePath(dir, headwordFileName()), storedBytes(headwords)) &&
                  writeFile(dataFilePath(dir, lexiconFileName()), storedBytes(lexicon));
        for (auto letter = letters.constBegin(); letter != letters.constEnd(); ++letter)
            ok = ok && writeFile(dataFilePath(dir, letterFileName(letter.key().at(0))),
                                 storedBytes(*letter));
        return ok;
    }
};

} // namespace testdata
