#pragma once

// Writing data files for tests: plain lines are stored exactly as a producer stores them.

#include "alphabet.h"
#include "datafile.h"
#include "datafilenames.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>

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

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A whole data directory: the headword file, the lexicon file, the letter files named in
// `letters` (key: the letter; value: its plain lines), the about file when `about` holds
// lines and the reversal file (reversal.bna) when `reversal` does.
struct Dictionary
{
    QStringList headwords;
    QStringList lexicon;
    QMap<QString, QStringList> letters;
    QStringList about = {};
    QStringList reversal = {};

    bool writeTo(const QString &dir) const
    {
        if (!QDir().mkpath(dir))
            return false;
        bool ok = writeFile(dataFilePath(dir, headwordFileName()), encodeDataFile(headwords)) &&
                  writeFile(dataFilePath(dir, lexiconFileName()), encodeDataFile(lexicon));
        if (!about.isEmpty())
            ok = ok && writeFile(dataFilePath(dir, aboutFileName()), encodeDataFile(about));
        if (!reversal.isEmpty())
            ok = ok && writeFile(dataFilePath(dir, QStringLiteral("reversal.bna")),
                                 encodeDataFile(reversal));
        for (auto letter = letters.constBegin(); letter != letters.constEnd(); ++letter)
            ok = ok && writeFile(dataFilePath(dir, letterFileName(letter.key().at(0))),
                                 encodeDataFile(*letter));
        return ok;
    }
};

} // namespace testdata
