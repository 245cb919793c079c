#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Writing a directory of files that a tool makes (the data files of a dictionary, or the
// plain sources an import makes) as one step: the files are written into a fresh directory
// beside the target, every write checked to the last byte and synced to the disk, and then
// the fresh directory and the target swap places at once. On any failure the target is
// left as it was and `error` says why.
//
// The target may be absent, or a directory holding nothing but regular files with names
// from `ownedNames`, or a symbolic link: the link itself is replaced, the directory it
// points to is never touched. Anything else is refused: a regular file, a directory
// holding another file or a subdirectory, the working directory, and any of `keepOut` or
// a directory holding one. The old directory is removed afterwards: its owned files, then
// itself (made writable first, since it is the tool's own). Leftovers of killed runs
// beside the target (".NAME.new-*", ".NAME.old") are removed when they hold only owned
// files and named in a warning otherwise. Where the file system cannot swap two
// directories at once, the old target is first renamed ".NAME.old"; a run stopped right
// after that leaves no target, and the next run puts ".NAME.old" back as the target (with
// a warning) before anything else, so that the old data is never taken for a leftover.
struct OutputDirectory
{
    QString path; // the target directory
    // The only names the target may hold for it to be replaced: the files this tool makes.
    QStringList ownedNames;
    // Directories (or files) the tool reads from, which the target must neither be nor contain.
    QStringList keepOut;
};

// File name -> bytes.
using OutputFiles = QMap<QString, QByteArray>;

// Replaces the target by a directory holding exactly `files`, whose names must be owned
// names. Warnings (what was left alone) go to `warnings`, or to standard error when it is
// null.
bool replaceDirectory(const OutputDirectory &target, const OutputFiles &files, QString *error,
                      QStringList *warnings = nullptr);

// Replaces the regular file `path` (or makes it) with `bytes`, written into a fresh file
// beside it, checked to the last byte and synced, which then takes its name; an existing
// file keeps its permissions. A symbolic link or anything but a regular file at `path` is
// refused. On any failure `path` is left as it was and `error` says why.
bool replaceFile(const QString &path, const QByteArray &bytes, QString *error);
