#pragma once

#include "alphabet.h"
#include "entrylookup.h"
#include "lexiconline.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The French -> Bambara index every export gives: each French gloss of the lexicon, and
// each part of it separated by ";" or ",", with the Bambara words that have it. Where the
// producer gave reversals (the rows "word|key" of reversal.bna), a word's reversals are its
// keys in place of its glosses, and "*" keeps the word out of the index.

// The keys under which the index lists a gloss: the whole gloss and each part of it
// separated by ";" or ",", without blanks around, plain (plainArticleText()), each once.
QStringList glossKeys(const QString &gloss);

struct FrenchIndexKey
{
    QString key;
    // The words with the key: the search form of each, once, with the first lexicon row
    // giving it the key, in the order of the Bambara alphabet (comesBefore()).
    QVector<QPair<QString, int>> words;
};

// The keys a reversal gives: each part of it separated by ";", without blanks around,
// plain, each once; none for "*".
QStringList reversalKeys(const QString &reversal);

// The keys of the lexicon's rows, in the order of first use: the glosses' keys of a word
// without reversal rows, the reversals' keys of a word with some: none of a word whose
// reversal is "*". Reversals of a word the lexicon lacks are not used. Rows whose word has an
// empty search form are left out; `acceptKey` may leave keys out (an index that cannot
// hold them); null takes all.
QVector<FrenchIndexKey> frenchIndexKeys(const QVector<LexiconRow> &lexicon,
                                        const QVector<LexiconRow> &reversal,
                                        bool (*acceptKey)(const QString &key) = nullptr);

// One article per key: the Bambara words with that gloss, each by the head lines of its
// entry that hold the gloss (all of them when none does), or, for a word without entry,
// by the word and its gloss.
struct FrenchArticle
{
    QString key;       // the gloss or part of it, plain text without blanks around
    QStringList lines; // HTML lines with the viewer's looks (articlehtml.h), text escaped
};

QVector<FrenchArticle> frenchIndex(const QVector<LexiconRow> &lexicon,
                                   const QVector<LexiconRow> &reversal, EntryFinder &finder,
                                   bool (*acceptKey)(const QString &key) = nullptr);

// The head lines of an entry text, in order.
QStringList headLines(const QString &entryText);
