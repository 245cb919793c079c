#pragma once

#include <QByteArray>
#include <optional>

// Compresses bytes into a gzip file that can be read from anywhere without inflating
// what comes before: the data are cut into chunks of `chunkLength` bytes (the last may
// be shorter), each compressed to end in a full flush, so that it inflates on its own,
// and the header's extra field (subfield "RA", version 1) lists the chunk length, the
// number of chunks and the compressed size of each. The header names no file and no
// time, so that the same data give the same bytes. Nothing when the data need more
// chunks than the extra field can list (32 762).
std::optional<QByteArray> dictzip(const QByteArray &data, int chunkLength = 58315);
