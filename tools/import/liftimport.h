#pragma once

#include "entrywriter.h"
#include "importmap.h"

#include <QIODevice>
#include <QString>

// Reading a dictionary in the Lexicon Interchange Format (LIFT 0.13), an XML format,
// as a stream: no tree of the whole file is built.
//
// Each <entry> becomes a record: its headword is the first form of its <lexical-unit>
// (or the form in the vernacular language, when one is chosen), the bracket shows its
// <pronunciation> when it has one, its homograph number is the entry's "order". Each
// <sense> gives a part of speech (<grammatical-info value>, through the map's
// part-of-speech table), glosses and definitions in the analysis language, and examples
// with their translations in it. Relations of type synonym, antonym, compare and confer
// become ↓ words; main entry and component relations become ↑ words; <variant> forms
// become variants. Relations name entries (or senses) by id and are followed to their
// headword. Entries with a dateDeleted are skipped. Elements the import does not use
// are left out, each name reported once.
struct LiftOptions
{
    QString analysisLanguage;   // empty: the language of most glosses and definitions
    QString vernacularLanguage; // empty: the first form of each lexical unit
};

// Malformed XML, or a root element other than <lift>, makes the result unusable, with an
// error giving line and column.
ImportResult importLift(QIODevice *device, const QString &fileName, const ImportMap &map,
                        const LiftOptions &options);
