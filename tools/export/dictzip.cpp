#include "dictzip.h"

#include <QVector>

#include <algorithm>
#include <zlib.h>

namespace {

// The largest number of chunks whose sizes fit into the extra field: its length,
// 4 bytes of subfield header, 6 of version, chunk length and count, then 2 per chunk,
// is at most 65 535.
constexpr int mostChunks = (65535 - 4 - 6) / 2;

void appendLittleEndian16(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}

void appendLittleEndian32(QByteArray &bytes, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(char((value >> shift) & 0xff));
}

// Runs deflate on what the stream holds as input with `flush`, appending all it writes.
bool deflateAll(z_stream &stream, int flush, QByteArray *out)
{
    char buffer[16384];
    do {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof buffer;
        const int result = deflate(&stream, flush);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            return false;
        out->append(buffer, int(sizeof buffer - stream.avail_out));
    } while (stream.avail_out == 0);
    return stream.avail_in == 0;
}

} // namespace

std::optional<QByteArray> dictzip(const QByteArray &data, int chunkLength)
{
    if (chunkLength <= 0 || chunkLength > 0xffff)
        return std::nullopt;
    const int chunkCount = int((qint64(data.size()) + chunkLength - 1) / chunkLength);
    if (chunkCount > mostChunks)
        return std::nullopt;

    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return std::nullopt;
    QByteArray compressed;
    QVector<int> chunkSizes;
    bool deflated = true;
    for (int start = 0; deflated && start < data.size(); start += chunkLength) {
        const int length = std::min(chunkLength, data.size() - start);
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData() + start));
        stream.avail_in = uInt(length);
        const int before = compressed.size();
        deflated = deflateAll(stream, Z_FULL_FLUSH, &compressed);
        chunkSizes.append(compressed.size() - before);
        deflated = deflated && chunkSizes.last() <= 0xffff;
    }
    deflated = deflated && deflateAll(stream, Z_FINISH, &compressed);
    deflateEnd(&stream);
    if (!deflated)
        return std::nullopt;

    QByteArray file;
    // Magic, deflate, a header with an extra field, no time, no compression level named, Unix.
    file.append("\x1f\x8b\x08\x04\x00\x00\x00\x00\x00\x03", 10);
    appendLittleEndian16(file, 4 + 6 + 2 * chunkCount); // length of the extra field
    file.append("RA", 2);
    appendLittleEndian16(file, 6 + 2 * chunkCount); // length of the subfield's data
    appendLittleEndian16(file, 1);                  // version
    appendLittleEndian16(file, chunkLength);
    appendLittleEndian16(file, chunkCount);
    for (const int size : chunkSizes)
        appendLittleEndian16(file, size);
    file.append(compressed);
    appendLittleEndian32(
        file, quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(data.constData()),
                            uInt(data.size()))));
    appendLittleEndian32(file, quint32(data.size()));
    return file;
}
