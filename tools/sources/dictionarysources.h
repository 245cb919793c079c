#pragma once

#include "outputdirectory.h"

#include <QString>
#include <QStringList>

// The lines of one source file, held as the file's UTF-8 bytes (each line followed by a
// line feed): the sources of a large import are held once, compactly.
class SourceLines
{
public:
    SourceLines() = default;
    SourceLines(const QStringList &lines) { *this += lines; }

    void append(const QString &line);
    SourceLines &operator+=(const QStringList &lines);
    int size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    QStringList lines() const;
    QString join(QChar separator) const { return lines().join(separator); }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    int m_count = 0;
};

// The source files that `lexora-data build` compiles, as plain lines.
struct DictionarySources
{
    SourceLines headwords;
    SourceLines entries;
    SourceLines lexicon;
    SourceLines about; // whose dictionary it is; optional
    // Keys of the French index, "word|key" (or "word|*": none for that word); optional.
    SourceLines reversal;
};

// The names of the source files.
QString headwordSourceName();
QString entrySourceName();
QString lexiconSourceName();
QString aboutSourceName();    // "about.txt"
QString reversalSourceName(); // "reversal.txt"
// "reversal.bna", the data file built from it, which the exports read and the viewer does
// not: the keys of the French index.
QString reversalFileName();

// The source files under their names, every line followed by a line feed; the about and
// reversal files only when they have lines.
OutputFiles sourceFiles(const DictionarySources &sources);
