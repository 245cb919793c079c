#pragma once

#include "outputdirectory.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// One dictionary in the StarDict form (version 3.0.0) that phone, e-reader and desktop
// dictionary programs read: NAME.ifo describes it, NAME.idx lists its words in the order
// the readers search them, each with where its article stands in NAME.dict.dz (the
// articles one after the other, compressed by dictzip()), and NAME.syn lists other words
// that lead to an article.
struct StardictDictionary
{
    QString bookName;
    QString description;                   // HTML, on one line
    QString date;                          // "YYYY.MM.DD"; empty for none
    QStringList words;                     // the index: one article per word
    QStringList articles;                  // HTML, one per word
    QVector<QPair<QString, int>> synonyms; // a word, and the index in `words` it leads to
};

// Whether a reader's index can hold `word`: not empty, no NUL or line break, at most 255
// bytes in UTF-8.
bool isIndexableWord(const QString &word);

// The names of the files of dictionary NAME, with the caches that readers write beside
// its index and synonym file (NAME.idx.oft, NAME.syn.oft), which a new export leaves out.
QStringList stardictFileNames(const QString &name);

// The files of `dictionary` under their names (NAME.syn only when there are synonyms);
// nothing when its articles are too large for the index (4 GiB) or for dictzip. Every
// word must be indexable. A synonym equal to the word of its own article, or given twice,
// is written once or not at all.
std::optional<OutputFiles> stardictFiles(StardictDictionary dictionary, const QString &name);
