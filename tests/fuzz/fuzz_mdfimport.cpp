// Any bytes as an MDF database, read as lexora-data reads it, imported with the built-in
// map: the import ends, and every diagnostic stands on a line of the input.

#include "fuzz_importers.h"
#include "mdfimport.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = decodeText(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    checkDiagnosticLines(importMdf(text, QStringLiteral("fuzz.txt"), ImportMap::standard()), text);
    return 0;
}
