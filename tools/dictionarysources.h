#pragma once

#include "outputdirectory.h"

#include <QString>
#include <QStringList>

// The source files that `lexora-data build` compiles, as plain lines.
struct DictionarySources
{
    QStringList headwords;
    QStringList entries;
    QStringList lexicon;
    QStringList about; // whose dictionary it is; optional
};

// The names of the source files.
QString headwordSourceName();
QString entrySourceName();
QString lexiconSourceName();
QString aboutSourceName(); // "about.txt"

// The source files under their names, every line followed by a line feed; the about file
// only when there are about lines.
OutputFiles sourceFiles(const DictionarySources &sources);

// A written word without tone marks (combining marks) and without the "." between its
// morphemes, in NFC: what a headword's search form is made of.
QString toneless(const QString &word);

// Whether `a` comes before `b` in the order of the Bambara alphabet (both in search form):
// ɛ after e, ɲ (Л) and ŋ after n, ɔ after o, ʃ after s.
bool comesBefore(const QString &a, const QString &b);
