#pragma once

#include "diagnostic.h"
#include "outputdirectory.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A built dictionary directory as two StarDict dictionaries: NAME, Bambara -> French, and
// NAME-fr, French -> Bambara, made from what the viewer reads and shows.
//
// NAME has one article per headword of the headword list: the entry the viewer shows
// for it (homographs together), in HTML with the viewer's looks. A headword whose entry
// is a cross-reference leads, as a synonym, to the article of the headword the viewer
// follows it to. Each headword is also found as the entries write it: in small letters,
// as written in the brackets of its head line when they hold the word itself (with its
// tone marks, small or not), and in the keyboard spellings of all these (plainSpellings()).
//
// NAME-fr has one article per French gloss of the lexicon and per part of a gloss
// separated by ";" or ",": the head lines of the Bambara words with that gloss (those of
// their entry that hold it, or all when none does), or the word and its gloss for a
// word without entry. Each gloss is also found in small letters and without accents.
struct StardictExport
{
    bool usable = false;             // false when RES_DIR or one of its files cannot be read
    QVector<Diagnostic> diagnostics; // errors that make it unusable; warnings for what is left out
    OutputFiles files;
};

// The names of the files an export named NAME writes.
QStringList stardictExportFileNames(const QString &name);

StardictExport exportStardict(const QString &resDir, const QString &name);
