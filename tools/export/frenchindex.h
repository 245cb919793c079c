#pragma once

#include "lexiconline.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The French -> Bambara index of a lexicon, which every export that has one shares: each
// French gloss of the lexicon, and each part of it separated by ";" or ",", with the
// Bambara words that have it.

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

// The keys of the lexicon's rows, in the order of first use. Rows whose word has an empty
// search form are left out.
QVector<FrenchIndexKey> frenchIndex(const QVector<LexiconRow> &lexicon);
