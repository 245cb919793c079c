#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Reading a data file. The file is UTF-8 unless a byte-order mark at its start says
// UTF-16 or UTF-32; it is read in text mode, so carriage returns never reach a line; a
// line ends with a line feed, and a final line feed does not add an empty line. Line
// number n (counted from 1, empty lines included) is decoded with phase n.
//
// Both functions return nothing when the path is not a regular file or cannot be
// opened; a FIFO or a directory is never opened, so a start cannot block on one.

// The plain lines of the file.
std::optional<QStringList> readDataFile(const QString &path);

// The plain text of the file: every line followed by "\n". This is the form in which
// the window keeps a letter file; it is built in one buffer, without a list of lines.
std::optional<QString> readDataText(const QString &path);
