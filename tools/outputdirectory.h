#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Writing a directory of files that a tool makes (the data files of a dictionary, or the
// plain sources an import makes) as one step: the files are written into a fresh directory
// beside the target, which then takes the target's place. On any failure the target is
// left as it was and `error` says why.
struct OutputDirectory
{
    QString path; // the target directory
    // The only names the target may hold for it to be replaced: the files this tool makes.
    QStringList ownedNames;
    // Directories the tool reads from, which the target must neither be nor contain.
    QStringList keepOut;
};

// File name -> bytes.
using OutputFiles = QMap<QString, QByteArray>;

bool replaceDirectory(const OutputDirectory &target, const OutputFiles &files, QString *error);
