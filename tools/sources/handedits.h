#pragma once

#include "diagnostic.h"
#include "dictionarysources.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// A producer's corrections of imported sources, kept apart from them so that a re-import
// does not lose them: the folder "SRC_DIR.handmade" beside SRC_DIR, which no tool ever
// writes. It holds, each optional, files in the form of the sources (as the sample's
// hand-written supplement in res-src/handmade/):
//   entries.txt  whole entries, each a head line and its continuation lines; the entries of
//                one headword take the place of all imported entries of that headword;
//   lexicon.txt  "word|gloss" rows; the rows of one word take the place of all imported
//                rows of that word;
//   about.txt    whose dictionary it is; takes the place of the imported about file.
// In entries.txt and lexicon.txt, lines beginning with "#" are comments; blank lines
// outside an entry are skipped.
struct HandEdits
{
    struct Group
    {
        QString key;  // the headword, or the lexicon word in search form
        int line = 0; // where it first stands in its file
        QStringList lines;
    };

    QString folder;
    QVector<Group> entries; // in file order, the lines of each headword together
    QVector<Group> lexicon; // in file order, the rows of each word together
    std::optional<QStringList> about;
    // Lines of entries.txt above its first head line, which belong to no entry.
    QVector<int> strayLines;

    bool isEmpty() const { return entries.isEmpty() && lexicon.isEmpty() && !about; }
};

// The hand-edit folder of a source directory: "DIR.handmade" beside it.
QString handEditFolder(const QString &srcDir);

// Reads the hand edits in `folder`; none when it does not exist. Nothing, with the reason
// in `problems` (as errors), when the folder or one of its files cannot be read, or a file
// is not clean UTF-8 text.
std::optional<HandEdits> readHandEdits(const QString &folder, QVector<Diagnostic> *problems);

// The hand edits of the lines of an entries.txt and a lexicon.txt, grouped as
// readHandEdits() groups them; no folder, no about lines.
HandEdits handEditsFromLines(const QStringList &entryLines, const QStringList &lexiconLines);

// What applying hand edits changed.
struct HandEditCounts
{
    int entriesReplaced = 0; // headwords whose imported entries were replaced
    int entriesAdded = 0;    // headwords the import does not have
    int lexiconReplaced = 0; // words whose imported lexicon rows were replaced
    int lexiconAdded = 0;    // words the imported lexicon does not have
    bool about = false;

    QString text() const; // for an import's summary line
};

// Puts the hand edits into imported sources. A headword (or lexicon word) that the
// import does not have is added where the order of the alphabet puts it, with a warning at
// its line: its entry may have vanished from the imported file. Lines that belong to no
// entry are left out with a warning.
HandEditCounts applyHandEdits(const HandEdits &edits, DictionarySources *sources,
                              QVector<Diagnostic> *warnings);
