#pragma once

#include "textfile.h"

#include <QString>
#include <QStringList>
#include <optional>

// Data files are text files (read as every text file is, see textfile.h) whose line number
// n, counted from 1 with empty lines included, is stored with phase n.

// The plain lines of a data file.
std::optional<QStringList> readDataFile(const QString &path, TextReadReport *report = nullptr);

// The plain text of a data file: every line followed by "\n". This is the form in which
// the window keeps a letter file; it is decoded in place, without a list of lines.
std::optional<QString> readDataText(const QString &path, TextReadReport *report = nullptr);

// The bytes of a data file holding `plainLines`: line n stored with phase n, in UTF-8,
// each line ended by "\n". readDataFile() gives the lines back exactly when every line
// passes unstorablePosition().
QByteArray encodeDataFile(const QStringList &plainLines);

// The number of the first line of `lines`, given as plain lines, when they are a data file's
// stored lines instead, which encoding would shift twice: every line holding control
// characters reads as a stored line (see readsAsStoredLine()), and there is one. 0 otherwise.
int firstStoredLookingLine(const QStringList &lines);
