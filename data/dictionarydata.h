#pragma once

#include "lexiconline.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <functional>
#include <future>
#include <optional>
#include <vector>

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

// The letter files of a directory, read by any number of threads at once: each thread
// that calls readFiles() takes the next file no thread has begun, until none is left.
// takeTexts() gives what readLetterTexts() gives, once every readFiles() has returned.
class LetterFileReading
{
public:
    explicit LetterFileReading(const QString &dir);
    void readFiles();
    LetterTexts takeTexts();

private:
    const QString dir;
    const QString alphabet;
    std::vector<std::optional<QString>> texts; // by position in the alphabet
    std::atomic<int> next{0};
};

// A dictionary directory read on a second thread, in the order a window fills its views:
// the headwords, the lexicon, then the letter texts, which are needed only once a
// headword is chosen. Each take function waits until its part is read, gives what the
// reader above gives, and is called once; takeLetterTexts() reads, on the calling thread,
// the letter files the second thread has not begun. Destroying the object waits for the
// second thread; when no thread can be started, everything is read by the constructor.
// `lexiconStep`, if given, is run on the second thread with the lexicon before takeLexicon() gives
// it (a window makes its table's cells there).
class DictionaryReading
{
public:
    using LexiconStep = std::function<void(const std::optional<QVector<LexiconRow>> &rows)>;
    explicit DictionaryReading(const QString &dir, const LexiconStep &lexiconStep = {});

    std::optional<QStringList> takeHeadwords() { return headwords.get(); }
    std::optional<QVector<LexiconRow>> takeLexicon() { return lexicon.get(); }
    LetterTexts takeLetterTexts();

private:
    std::promise<std::optional<QStringList>> headwordsRead;
    std::promise<std::optional<QVector<LexiconRow>>> lexiconRead;
    std::future<std::optional<QStringList>> headwords = headwordsRead.get_future();
    std::future<std::optional<QVector<LexiconRow>>> lexicon = lexiconRead.get_future();
    LetterFileReading letters;
    std::future<void> reading; // last, so that it is the first to go: it waits for the thread
};
