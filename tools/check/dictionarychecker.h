#pragma once

#include "diagnostic.h"
#include "dictionarydata.h"
#include "entrylookup.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

// Reads a directory of data files as the viewer reads it and reports every place where
// the data would show something other than what its producer meant: a listed headword
// without an entry, an entry that no listed headword reaches or that stands in the
// wrong letter file, a cross-reference to nothing or in a circle, a related word (↑WORD,
// ↓WORD) that names no entry, a homograph that is
// never shown because another entry separates it from its first entry, a headword that
// is not in search form, a lexicon line without "|", control characters and trailing
// blanks, a line whose colouring in the entry view draws text in front of a "(" or "[" as
// a headword, and a missing about file. Every problem names the data file and the line
// in it.
class DictionaryChecker
{
public:
    enum class Outcome {
        Clean,    // no problem at all
        Problems, // diagnostics() lists them
        Unusable, // the directory or one of its files cannot be read; see diagnostics()
    };

    Outcome check(const QString &resDir);

    const QVector<Diagnostic> &diagnostics() const { return m_diagnostics; }
    int errorCount() const;
    int warningCount() const;

    // What was read, for a summary line.
    int headwordCount() const { return m_headwords.size(); }
    int entryCount() const { return m_entryCount; }
    int lexiconRowCount() const { return m_lexicon.size(); }

private:
    // One head line of a letter file.
    struct HeadLine
    {
        int line;         // 1-based
        QString headword; // empty when no lookup can reach the line
        bool opensGroup;  // false for a homograph right after an entry of the same word
    };

    struct LetterFile
    {
        QString key; // its letter
        QString path;
        QStringList lines;
        QVector<HeadLine> headLines;
    };

    bool readFiles(const QString &resDir);
    void checkLineCharacters(const QString &path, const QStringList &lines);
    void checkHeadwordList(EntryFinder &finder);
    void checkLexicon();
    void checkReversal(); // rows without "|", or of a word the lexicon does not have
    void indexLetterFile(LetterFile *file);
    void checkReachability(EntryFinder &finder);
    void checkCrossReferences(EntryFinder &finder);
    void checkRelatedWords(EntryFinder &finder); // ↑WORD and ↓WORD that name no entry
    // Calls `visit` with the first entry of each headword that a lookup can reach, in
    // reading order.
    void forEachLookedUpEntry(
        const std::function<void(const LetterFile &, const HeadLine &)> &visit) const;

    // Whether a lookup can reach the head line at all: it opens the first entry of its
    // group, its headword is in search form and it stands in its key's letter file.
    static bool opensReachableEntry(const HeadLine &head, const LetterFile &file);
    const LetterFile *letterFileOf(const QString &searchForm) const;
    void report(const QString &file, int line, Diagnostic::Severity severity,
                const QString &message);

    QString m_resDir;
    QStringList m_headwords;
    QStringList m_lexicon;
    std::optional<QStringList> m_about; // nothing: there is no about file
    QStringList m_reversal;             // empty also when there is no reversal file
    QVector<LetterFile> m_letterFiles;
    QHash<QString, int> m_letterIndex; // letter key -> index into m_letterFiles
    LetterTexts m_letterTexts;         // the letter files as the viewer holds them
    int m_entryCount = 0;
    QVector<Diagnostic> m_diagnostics;
};
