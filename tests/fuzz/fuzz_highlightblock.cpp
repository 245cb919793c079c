// One block of any text through the entry highlighter: it ends, and neither crashes nor
// touches memory it does not own.

#include "highlighter.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>

namespace {

// Made once and kept until the process ends, so that nothing of them counts as a leak.
QGuiApplication *application = nullptr;
QTextDocument *document = nullptr;
Highlighter *highlighter = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QGuiApplication(*argc, *argv);
    document = new QTextDocument;
    highlighter = new Highlighter(document);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')); // one block
    document->setPlainText(text);
    highlighter->rehighlight();
    return 0;
}
