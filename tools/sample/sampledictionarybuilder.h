#pragma once

#include "cldrnames.h"
#include "dictionarysources.h"
#include "entrywriter.h"
#include "handedits.h"
#include "treebankreader.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// Turns an annotated Bambara treebank, locale names and a hand-written supplement into
// dictionary sources.
//
// Every lemma with a French gloss becomes a headword in search form, written by the
// importers' entry writer (entrywriter.h) as a record: the tone-marked lemma as written,
// its tag, its (at most three) most frequent glosses, up to three example sentences in
// which it occurs, the shortest first, and the word it comes from (↑), which then lists
// it (↓). A lemma that the treebank analyses as an inflected form of another lemma (a
// plural, a perfective, a participle) becomes a cross-reference "=> BASE". Lemmas of one
// headword that differ in tone or in part of speech are homographs, kept next to each
// other, the most frequent first. The lexicon pairs every lemma with its French glosses and every
// locale name (languages, countries, months, days) with its English name.
class SampleDictionaryBuilder
{
public:
    void addTreebank(const QVector<TreebankSentence> &sentences);
    void addLocaleNames(const CldrNames::Names &bambara, const CldrNames::Names &english);
    // Hand-written entries and lexicon rows, read as a producer's hand edits are. The
    // supplement's entries take the place of the treebank's entries of the same headword;
    // its lexicon rows are added to the treebank's.
    void addSupplement(const HandEdits &supplement);

    // The sources, the about file with the sample's attribution (aboutLines()) included.
    // What the entry writer left out or changed goes to `warnings` (file name "treebank").
    DictionarySources sources(QVector<Diagnostic> *warnings = nullptr) const;

    // Whose the sample's data are: its title, a credit in Bambara, the sources it is
    // derived from with their licences, as NOTICE states them, and its own licence.
    static QStringList aboutLines();

    // The lemma as the head line shows it: tone marks kept, morpheme dots removed.
    static QString displayLemma(const QString &lemma);
    // The dictionary's tag for a universal part-of-speech tag; empty for parts of speech
    // that are not imported (punctuation, proper names, symbols, unknown words).
    static QString tagFor(const QString &universalTag);
    // A sentence in the current spelling: the older è, ò and ny become ɛ, ɔ and ɲ.
    static QString currentSpelling(const QString &text);
    // A French gloss as the entry shows it ("oeuf.de.poule" -> "oeuf de poule"); empty
    // for grammatical glosses, which are written in capitals.
    static QString frenchGloss(const QString &gloss);
    // The example a sentence gives, or nothing when it does not make a clean one: it must
    // end with its only ".", hold no quotation, heading mark or character that the entry
    // view reads as mark-up. It is given in the current spelling and begins with a
    // capital.
    static std::optional<QString> exampleSentence(const QString &sentence);

private:
    struct Lemma
    {
        QString headword;
        QString tag;
        QString display;
        int occurrences = 0;
        QMap<QString, int> glossCounts;
        QStringList glossOrder; // first occurrence order, to break ties
        QVector<int> sentences;
        QStringList morphemes;
    };

    struct Entry
    {
        QString headword;
        QString tag;
        QString display;
        QStringList glosses;
        QStringList morphemes;
        QVector<int> sentences;
        int occurrences = 0;
        QString crossReference;
        QString base; // the word it comes from (↑), which lists it (↓)
    };

    QVector<Entry> mergeLemmas() const;
    static void linkRelatedEntries(QVector<Entry> *entries);
    // What an entry is as a producer's record, for the one entry writer the importers use.
    ImportedRecord record(const Entry &entry) const;

    QVector<TreebankSentence> m_sentences;
    QMap<QString, Lemma> m_lemmas;            // headword, tag and lemma -> what the treebank says
    QMap<QString, QStringList> m_lexiconRows; // search form of the word -> its rows
    QMap<QString, QStringList> m_supplementEntries; // headword -> its lines
    QStringList m_supplementOrder;
};
