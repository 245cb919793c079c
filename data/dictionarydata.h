#pragma once

#include "lexiconline.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <future>
#include <optional>

// The three kinds of data file of a dictionary directory, read as plain data. Each reader
// gives nothing for a file that cannot be read, so that its view stays as it was.

// Letter key -> the plain text of that letter's file, every line followed by "\n".
using LetterTexts = QHash<QString, QString>;

// The headword file's lines, unchanged and in file order.
std::optional<QStringList> readHeadwords(const QString &dir);

// One row per non-empty line of the lexicon file, in file order.
std::optional<QVector<LexiconRow>> readLexicon(const QString &dir);

// The text of each letter file that can be read, under its letter.
LetterTexts readLetterTexts(const QString &dir);

// A dictionary directory read on a second thread, in the order a window fills its views:
// the headwords, the lexicon, then the letter texts, which are needed only once a
// headword is chosen. Each take function waits until its part is read, gives what the
// reader above gives, and is called once. Destroying the object waits for the reading.
class DictionaryReading
{
public:
    explicit DictionaryReading(const QString &dir);

    std::optional<QStringList> takeHeadwords() { return headwords.get(); }
    std::optional<QVector<LexiconRow>> takeLexicon() { return lexicon.get(); }
    LetterTexts takeLetterTexts() { return letterTexts.get(); }

private:
    std::promise<std::optional<QStringList>> headwordsRead;
    std::promise<std::optional<QVector<LexiconRow>>> lexiconRead;
    std::promise<LetterTexts> letterTextsRead;
    std::future<std::optional<QStringList>> headwords = headwordsRead.get_future();
    std::future<std::optional<QVector<LexiconRow>>> lexicon = lexiconRead.get_future();
    std::future<LetterTexts> letterTexts = letterTextsRead.get_future();
    std::future<void> reading; // last, so that it is the first to go: it waits for the thread
};
