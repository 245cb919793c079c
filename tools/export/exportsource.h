#pragma once

#include "diagnostic.h"
#include "dictionarydata.h"
#include "entrylookup.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

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

// A headword of the list as an export shows it: its search form, its line in the headword
// file and what the viewer shows for it (an entry).
struct ListedEntry
{
    QString form;
    int line = 0;
    LookupResult shown;
};

// The headwords of `headwords` (the headword file of `resDir`), each search form once, in
// list order, with the entry the viewer shows for each. One that `refused` gives a reason
// for (checked first), that has no entry or that leads to none is left out with a
// warning "HEADWORD REASON; left out" at its line.
QVector<ListedEntry> listedEntries(const QString &resDir, const QStringList &headwords,
                                   EntryFinder &finder, QVector<Diagnostic> *warnings,
                                   const std::function<QString(const QString &form)> &refused = {});

// The warning of a headword an export leaves out, at its line of the headword file.
Diagnostic leftOutWarning(const QString &resDir, int line, const QString &headword,
                          const QString &why);
