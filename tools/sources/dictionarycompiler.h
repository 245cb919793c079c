#pragma once

#include "diagnostic.h"
#include "outputdirectory.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// Turns a producer's plain sources into the data files the viewer reads.
//
// A source directory holds three UTF-8 text files:
//   headwords.txt  one headword per line, in the order of the headword list;
//   entries.txt    the entries, each a head line "HEADWORD [..." and its continuation
//                  lines, in the order they are to stand in their letter files;
//   lexicon.txt    one "word|gloss" line per row of the lexicon table;
// and, optionally, about.txt, whose lines say whose dictionary it is (about.bna), and
// reversal.txt, "word|key" lines that give the French index its keys (reversal.bna).
// Each entry goes to the letter file of its headword's letter key, keeping source order.
class DictionaryCompiler
{
public:
    // Plain lines of every data file, keyed by file name ("entries.bna", "a.bna", ...).
    using DataFiles = QMap<QString, QStringList>;

    // Reads and files the sources. Problems go to diagnostics(); the result is complete
    // only when there are none.
    DataFiles compile(const QString &sourceDir);

    const QVector<Diagnostic> &diagnostics() const { return m_diagnostics; }

    // The stored bytes of every data file, to be written with replaceDirectory().
    static OutputFiles encode(const DataFiles &files);

    // The names of every data file a build writes.
    static QStringList dataFileNames();

private:
    struct SourceLine
    {
        QString file;
        int line;
    };

    QStringList readSource(const QString &sourceDir, const QString &name);
    void fileEntries(const QStringList &lines, DataFiles *files,
                     QMap<QString, QVector<SourceLine>> *origins);
    void checkSearchForms(const QStringList &headwords);
    void checkStorable(const DataFiles &files, const QMap<QString, QVector<SourceLine>> &origins);
    void error(const QString &file, int line, const QString &message);

    QVector<Diagnostic> m_diagnostics;
};
