#pragma once

#include "diagnostic.h"
#include "dictionarydata.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A built dictionary directory as every export reads it: through the viewer's own
// readers, so that the exports show what the viewer shows.
struct ExportSource
{
    QStringList paths; // the files read: the headword file, the lexicon, the letter files
    QStringList headwords;
    QVector<LexiconRow> lexicon;
    QVector<LexiconRow> reversal; // the French index's keys, "word|key"; empty without
    LetterTexts letters;
};

// Reads the headword file, the lexicon, every letter file and the reversal file, when
// there is one, of `resDir`. Each file that
// cannot be read is added to `diagnostics` as an error, and then nothing is read.
bool readExportSource(const QString &resDir, ExportSource *source,
                      QVector<Diagnostic> *diagnostics);
