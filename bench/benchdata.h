#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Synthetic dictionary data with the shape of a real Bambara dictionary, for measuring
// the viewer at its real scale and beyond. Everything is derived from a fixed seed, so
// that two runs measure the same data.
//
// At scale 1 there are 13 400 headwords in search form (capitals, Л for the capital of ɲ,
// small ʃ) and 10 000 lexicon rows "WORD|gloss", about 2 MB of files. An entry has 3 to 12
// lines: a head line "HEADWORD [ó ò] N gloss", then lines of senses, "♦" examples,
// "↑WORD ↓WORD" related words, braces and slashes. Some headwords have homographs (entries
// that follow one another), some entries are cross-references "HEADWORD [ó] => OTHER".
struct BenchData
{
    QStringList headwords;              // the headword file, one headword per line
    QStringList lexicon;                // the lexicon file, "WORD|gloss" per line
    QMap<QString, QStringList> letters; // letter -> plain lines of its letter file
    QStringList typingScript;           // words typed into the dictionary field, small letters
    QString sampleEntry;                // the lines of one typical entry, "\n"-separated
};

// The data at `scale` (1 = the dictionary the viewer is made for).
BenchData generateBenchData(double scale);

// Writes the data files, scrambled as producers store them, into `dir` (created if
// needed): entries.bna, lexic.bna and the 28 letter files, empty ones included.
bool writeBenchData(const BenchData &data, const QString &dir);

// One block of `length` characters dense with everything the highlighter colours: tag
// words, bullets, ♦ examples, arrow words, "[" and "(" groups, tone groups, braces and
// slashes.
QString markedBlock(int length);
