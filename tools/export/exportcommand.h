#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <memory>

// "lexora-data export FORMAT RES_DIR OUT [OPTIONS]": its usage text, the options that
// take a value, those that take none, and the command, given its arguments after "export".
extern const char exportUsage[];
extern const char *const exportOptions[];
extern const char *const exportFlags[];
int exportCommand(const QStringList &args);

// The application object of a run of lexora-data with these arguments: "export pdf" lays
// out text with fonts and needs a QGuiApplication, on the offscreen platform when
// QT_QPA_PLATFORM is unset so that it runs without a display; every other command gets a
// QCoreApplication.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv);
