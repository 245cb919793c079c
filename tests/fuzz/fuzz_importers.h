#pragma once

// What both importers' targets check of a result: every diagnostic stands on a line of the
// input (0 naming the whole file), counting line ends as the importers' readers do: a line
// feed, a carriage return and line feed, or a carriage return alone.

#include "entrywriter.h"
#include "textfile.h"

#include <cstdlib>

inline void checkDiagnosticLines(const ImportResult &result, const QString &text)
{
    const int lines = splitLines(text).size() + 1; // a reader may stop after the last line end
    for (const Diagnostic &diagnostic : result.diagnostics)
        if (diagnostic.line < 0 || diagnostic.line > lines)
            std::abort();
}
