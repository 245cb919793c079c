// The line decoder on any stored line and phase: the plain line keeps the length of the
// stored one, and every plain line that can be stored comes back from its stored form.

#include "linecodec.h"

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    uint32_t seed;
    std::memcpy(&seed, data, 4);
    // Callers number lines from 1; a file of a million lines is far beyond any real one.
    const int phase = 1 + int(seed % 1000000u);
    const QString line(reinterpret_cast<const QChar *>(data + 4), int((size - 4) / 2));

    const QString plain = descrambleLine(line, phase);
    if (plain.size() != line.size())
        std::abort();

    const QString stored = scrambleLine(line, phase);
    if (stored.size() != line.size())
        std::abort();
    if (unstorablePosition(line, phase).position < 0 && descrambleLine(stored, phase) != line)
        std::abort();
    return 0;
}
