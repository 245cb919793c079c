#pragma once

#include "diagnostic.h"
#include "outputdirectory.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// How a dictionary was imported, recorded in the SRC_DIR the import writes so that
// "lexora-data import-mdf --again SRC_DIR" (or import-lift) repeats it: the file
// "import-options.txt", one "NAME VALUE" line for the command, the imported file (its path
// from SRC_DIR), each option given and each source file written ("written NAME SHA-256"),
// and "import.map", a copy of the map file the import read, when it read one. Lines
// beginning with "#" are comments.
struct ImportOptions
{
    QString command;  // "import-mdf" or "import-lift"
    QString file;     // the imported file
    QString encoding; // import-mdf: "utf-8" or "latin1"
    QString lang;     // import-lift: --lang, --vernacular; empty when not given
    QString vernacular;
    // The map file's lines when one was given, and where they were read.
    std::optional<QStringList> mapLines;
    QString mapFile;
    // The bytes of each source file (and the map) the import wrote, as SHA-256 in
    // hexadecimal, by name: a file that no longer holds them was changed by hand since.
    QMap<QString, QByteArray> written;
};

QString importOptionsName(); // "import-options.txt"
QString importMapName();     // "import.map"

// The files that record `options` and the `sources` written with them in `srcDir`, under
// their names: the options, the file's path relative to `srcDir` (as it is written, so
// that moving the folder that holds both keeps it), and the map.
OutputFiles importRecordFiles(const ImportOptions &options, const QString &srcDir,
                              const OutputFiles &sources);

// The import recorded in `srcDir`. Nothing, with the reason in `problems` (errors at the
// line concerned), when there is no record, or it cannot be read, or it names a value
// that is not an option of its command.
std::optional<ImportOptions> readImportRecord(const QString &srcDir, QVector<Diagnostic> *problems);

// The source files in `srcDir` that no longer hold what the recorded import wrote (changed
// by hand): an error for each, naming the file of the hand-edit folder to keep the change
// in. A file that is gone is no change.
QVector<Diagnostic> changedSinceImport(const QString &srcDir, const ImportOptions &recorded,
                                       const QString &handEditFolder);
