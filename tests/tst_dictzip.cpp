// dictzip(): the header a reader finds the chunks by, each chunk inflating on its own, and
// the whole file read back as plain gzip.

#include "dictzip.h"

#include <QtTest>
#include <zlib.h>

namespace {

// Inflates raw deflate data with a fresh stream, as a reader inflates one chunk.
QByteArray inflateRaw(const QByteArray &compressed)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return "inflateInit2 failed";
    QByteArray out(1 << 16, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData()));
    stream.avail_in = uInt(compressed.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_SYNC_FLUSH);
    out.resize(int(stream.total_out));
    inflateEnd(&stream);
    return result == Z_OK || result == Z_STREAM_END ? out : QByteArray("inflate failed");
}

// The whole file as gzip.
QByteArray gunzip(const QByteArray &file)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return "inflateInit2 failed";
    QByteArray out(1 << 20, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(file.constData()));
    stream.avail_in = uInt(file.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    out.resize(int(stream.total_out));
    const bool whole = result == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    return whole ? out : QByteArray("not one whole gzip member");
}

int little16(const QByteArray &bytes, int at)
{
    return quint8(bytes.at(at)) | quint8(bytes.at(at + 1)) << 8;
}

} // namespace

class TestDictzip : public QObject
{
    Q_OBJECT

private slots:
    void chunks_data();
    void chunks();
    void chunkLimit();
};

void TestDictzip::chunks_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("chunkLength");
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::newRow("a short last chunk")
        << QByteArray("abcdefghij") << 4 << QList<QByteArray>{"abcd", "efgh", "ij"};
    QTest::newRow("chunks of the full length")
        << QByteArray("abcdefgh") << 4 << QList<QByteArray>{"abcd", "efgh"};
    QTest::newRow("one chunk") << QByteArray("abc") << 58315 << QList<QByteArray>{"abc"};
    QTest::newRow("no data") << QByteArray() << 58315 << QList<QByteArray>{};
}

void TestDictzip::chunks()
{
    QFETCH(QByteArray, data);
    QFETCH(int, chunkLength);
    QFETCH(QList<QByteArray>, chunks);
    const std::optional<QByteArray> file = dictzip(data, chunkLength);
    QVERIFY(file);
    // gzip magic, deflate, an extra field only, no time, no compression level named, Unix
    QCOMPARE(file->left(10), QByteArray("\x1f\x8b\x08\x04\x00\x00\x00\x00\x00\x03", 10));
    const int count = chunks.size();
    QCOMPARE(little16(*file, 10), 10 + 2 * count); // the extra field's length
    QCOMPARE(file->mid(12, 2), QByteArray("RA"));
    QCOMPARE(little16(*file, 14), 6 + 2 * count); // the subfield's length
    QCOMPARE(little16(*file, 16), 1);             // version
    QCOMPARE(little16(*file, 18), chunkLength);
    QCOMPARE(little16(*file, 20), count);
    int at = 22 + 2 * count; // the first chunk
    for (int i = 0; i < count; ++i) {
        const int size = little16(*file, 22 + 2 * i);
        QCOMPARE(inflateRaw(file->mid(at, size)), chunks.at(i));
        at += size;
    }
    QCOMPARE(gunzip(*file), data);
}

// The extra field's length is 16 bits: 10 bytes and 2 per chunk fit 32 762 chunks.
void TestDictzip::chunkLimit()
{
    QVERIFY(dictzip(QByteArray(32762, 'a'), 1));
    QVERIFY(!dictzip(QByteArray(32763, 'a'), 1));
}

QTEST_GUILESS_MAIN(TestDictzip)
#include "tst_dictzip.moc"
