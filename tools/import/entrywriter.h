#pragma once

#include "diagnostic.h"
#include "dictionarysources.h"
#include "importmap.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <memory>

// The records an importer reads from a producer's dictionary file, and their writing as
// dictionary sources. Both importers (MDF and LIFT) fill the same records; what an entry
// looks like is decided here alone.

// A text of the imported file and the line it stands on.
struct SourceText
{
    QString text;
    int line = 0;
};

struct ImportedExample
{
    SourceText text; // may be empty: a translation without its example
    QVector<SourceText> translations;
};

struct ImportedSense
{
    SourceText number;       // as the producer numbered it ("1.1", "2"); may be empty
    SourceText partOfSpeech; // a value of the part-of-speech table
    QVector<SourceText> glosses;
    QVector<SourceText> definitions;
    QVector<ImportedExample> examples;
};

struct ImportedRecord
{
    SourceText headword; // as written, tone marks and all
    SourceText form;     // what the brackets show; empty: the headword as written
    int homonym = 0;     // place among the homographs; 0 when not given
    QVector<ImportedSense> senses;
    QVector<SourceText> up;       // words it comes from (↑), as written
    QVector<SourceText> down;     // related words (↓), as written
    QVector<SourceText> variants; // other spellings: each an entry "VARIANT [..] => HEADWORD"
    QVector<SourceText> synonyms; // "• = WORD"
    QVector<SourceText> antonyms; // "• ≠ WORD"
    QVector<SourceText> compared; // "• cf. WORD": compare, see also
    SourceText mainEntry;         // non-empty: the record is a cross-reference to it
    QString mainEntryLabel;       // what the record is of it ("plural of"), before "=>"
    QVector<SourceText> notes;
    // Keys of the French index in place of the glosses, each text one or more separated by
    // ";"; "*" keeps the record out of the index.
    QVector<SourceText> reversals;
    int line = 0; // where the record begins
};

// What an import did, for its closing line.
struct ImportSummary
{
    int recordsRead = 0;
    int entriesWritten = 0;
    int headwords = 0;
    int lexiconRows = 0;
    QMap<QString, int> ignoredFields;  // marker or element name -> fields left out
    QMap<QString, int> skippedRecords; // reason -> records left out
    int fieldsWithLookAlikes = 0;      // texts whose mark-up characters became look-alikes
    int unexpandedEntities = 0;        // entity references kept as their names

    QString text(const QString &fileName) const;
};

// Writes records as dictionary sources.
//
// Each record whose headword can be filed becomes an entry: a head line
// "HEADWORD [form] TAG gloss; gloss." (the headword in search form, without tone marks
// and morpheme dots; a tag before the glosses of each sense whose part of speech differs
// from the one before), then its example lines "♦ example. translation", a line of
// ↑WORDs and one of ↓WORDs, its definitions and notes. A record with more than one sense
// (counting those with a gloss, a definition or an example) numbers them: the head line
// shows "NUMBER TAG gloss; gloss" for each, NUMBER the sense field's value or else 1, 2,
// 3, and each sense's definitions and then its examples follow the head line, in sense
// order, each line beginning with its sense's number; then the ↑ and ↓ lines and the
// notes. Records of one headword are homographs in homonym-number order (numbered ones
// first, the others in file order); a variant becomes an entry "VARIANT [variant] =>
// HEADWORD" after them, and a record with a main entry keeps "=> MAIN" on its head line.
// A word named with ↑ lists the record with ↓. Headwords are listed in the order of the
// Bambara alphabet, and each gloss becomes a lexicon row "WORD|gloss", WORD in plain
// capitals without tone marks; each reversal a row "WORD|reversal" of the reversal source.
//
// The text of forms, sense numbers, glosses, definitions, examples, translations and
// notes is written withoutMarkup() (importedtext.h), so that the entry view colours none
// of it as mark-up; the lexicon keeps the plain characters. `about` (the lines a file says
// about itself) becomes the about source; when it is empty, one line naming the file.
//
// Whatever is left out or changed on the way is reported as a warning at the line of
// the imported file it comes from: records whose headword cannot be filed, parts of
// speech the table lacks, "=>" in head lines, "|" in glosses, control characters,
// characters that cannot be stored where they would stand, references to nothing or in
// a circle. The warnings (with those already in `warnings`) are put in line order; the
// texts given look-alikes are counted in the summary.
//
// Records are added one at a time, as an importer reads them; what an entry needs of a
// record is kept, the record itself is not.
namespace entrywriting {
class Writer;
}
class EntryWriter
{
public:
    EntryWriter(const ImportMap &map, const QString &fileName, QVector<Diagnostic> *warnings,
                ImportSummary *summary);
    ~EntryWriter();
    EntryWriter(const EntryWriter &) = delete;
    EntryWriter &operator=(const EntryWriter &) = delete;

    void add(const ImportedRecord &record);
    // The sources of all records added; the writer takes no more records.
    DictionarySources finish(const QVector<SourceText> &about);

private:
    std::unique_ptr<entrywriting::Writer> m_writer;
    QVector<Diagnostic> *m_warnings;
};

// A field's text as entries hold it: NFC, blanks (tabs and line breaks too) collapsed to
// one, no blanks around.
QString cleanText(const QString &text);

// What an importer gives: the sources and what it has to say about them. When `usable`
// is false the input could not be read as a whole (an error says why) and nothing is to
// be written.
struct ImportResult
{
    DictionarySources sources;
    QVector<Diagnostic> diagnostics;
    ImportSummary summary;
    bool usable = false;
};
