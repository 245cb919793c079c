#pragma once

#include "entrylookup.h"
#include "lexiconline.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The French -> Bambara index every export gives: one article per French gloss of the
// lexicon and per part of a gloss separated by ";" or ",", in the order of first use.
// An article lists the Bambara words with that gloss in alphabetical order, each by the
// head lines of its entry that hold the gloss (all of them when none does), or, for a
// word without entry, by the word and its gloss.
struct FrenchArticle
{
    QString key;       // the gloss or part of it, plain text without blanks around
    QStringList lines; // HTML lines with the viewer's looks (articlehtml.h), text escaped
};

// `acceptKey` may leave keys out (an index that cannot hold them); null takes all.
QVector<FrenchArticle> frenchIndex(const QVector<LexiconRow> &lexicon, EntryFinder &finder,
                                   bool (*acceptKey)(const QString &key) = nullptr);

// The keys under which the index lists a gloss: the whole gloss and each part of it
// separated by ";" or ",", without blanks around.
QStringList glossKeys(const QString &gloss);

// The head lines of an entry text, in order.
QStringList headLines(const QString &entryText);
