#pragma once

#include <QStringList>

// "lexora-data export FORMAT RES_DIR OUT_DIR [--name NAME]": its usage text, the options
// that take a value, and the command, given its arguments after "export".
extern const char exportUsage[];
extern const char *const exportOptions[];
int exportCommand(const QStringList &args);
