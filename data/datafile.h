#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Reads one data file into its plain lines: the file is UTF-8 unless a byte-order mark
// says otherwise, a line ends with LF or CRLF, and line number n (counted from 1, empty
// lines included) is decoded with phase n. Returns nothing when the path is not a
// regular file or cannot be opened; a FIFO or a directory is never opened, so a start
// cannot block on one.
std::optional<QStringList> readDataFile(const QString &path);
