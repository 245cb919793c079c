#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// One word of a treebank sentence, as far as the importer uses it.
struct TreebankToken
{
    QString form;          // as written in the sentence
    QString lemma;         // tone-marked, "." between morphemes; empty when not annotated
    QString partOfSpeech;  // the universal part-of-speech tag (NOUN, VERB, ...)
    QString gloss;         // French, words joined by "."; grammatical glosses in capitals
    QStringList morphemes; // the word's gloss, then the gloss of each of its morphemes
};

struct TreebankSentence
{
    QString id;
    QString text;
    QVector<TreebankToken> tokens;
};

// Reads a dependency treebank in the ten-column CoNLL-U text format: comment lines
// "# key = value" before each sentence, one tab-separated line per token, a blank line
// after each sentence. Multi-word ranges ("3-4") and empty nodes ("3.1") are skipped.
class TreebankReader
{
public:
    static std::optional<QVector<TreebankSentence>> readFile(const QString &path, QString *error);
    static QVector<TreebankSentence> parse(const QString &text);
};
