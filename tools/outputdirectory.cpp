#include "outputdirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

bool replaceDirectory(const OutputDirectory &targetDir, const OutputFiles &files, QString *error)
{
    const QString resDir = targetDir.path;
    const QFileInfo target(resDir);
    const QString parent = target.absolutePath();
    if (!QDir().mkpath(parent)) {
        *error = QStringLiteral("cannot create ") + parent;
        return false;
    }
    QTemporaryDir fresh(parent + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".new-XXXXXX"));
    if (!fresh.isValid()) {
        *error = QStringLiteral("cannot create a directory beside ") + resDir;
        return false;
    }
    for (auto file = files.constBegin(); file != files.constEnd(); ++file) {
        QSaveFile out(fresh.filePath(file.key()));
        if (!out.open(QIODevice::WriteOnly) || out.write(*file) < 0 || !out.commit()) {
            *error = out.fileName() + QStringLiteral(": ") + out.errorString();
            return false;
        }
    }
    const QString old = parent + QStringLiteral("/.") + target.fileName() + QStringLiteral(".old");
    QDir(old).removeRecursively();
    const bool hadTarget = target.exists();
    if (hadTarget && !QDir().rename(target.absoluteFilePath(), old)) {
        *error = QStringLiteral("cannot move the old ") + resDir + QStringLiteral(" aside");
        return false;
    }
    if (!QDir().rename(fresh.path(), target.absoluteFilePath())) {
        if (hadTarget)
            QDir().rename(old, target.absoluteFilePath());
        *error = QStringLiteral("cannot put the new files in place of ") + resDir;
        return false;
    }
    fresh.setAutoRemove(false);
    QDir(old).removeRecursively();
    QFile::setPermissions(target.absoluteFilePath(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    return true;
}
