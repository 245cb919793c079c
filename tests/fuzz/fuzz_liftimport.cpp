// Any bytes as a LIFT file, imported with the built-in map: the import ends, and every
// diagnostic stands on a line of the input.

#include "fuzz_importers.h"
#include "liftimport.h"

#include <QBuffer>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    checkDiagnosticLines(
        importLift(&device, QStringLiteral("fuzz.lift"), ImportMap::standard(), LiftOptions{}),
        decodeText(bytes));
    return 0;
}
