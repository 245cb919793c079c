#pragma once

// Writing data files for tests: plain lines are stored exactly as a producer stores them.

#include "alphabet.h"
#include "datafile.h"
#include "datafilenames.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
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

// What a program run to its end gave: its exit status (-1 when it did not end normally,
// the reason then in `err`), its output and its error output.
struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline Run run(const QString &program, const QStringList &arguments,
               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, (program + QStringLiteral(": ") + process.errorString()).toUtf8()};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
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

    // A dictionary with every letter file, each empty.
    static Dictionary everyLetter()
    {
        Dictionary dictionary;
        for (const QChar letter : dictionaryAlphabet())
            dictionary.letters.insert(QString(letter), {});
        return dictionary;
    }

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
