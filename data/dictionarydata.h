#pragma once

#include "lexiconline.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
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
