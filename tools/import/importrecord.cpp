#include "importrecord.h"

#include "textfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The names of the lines, and the command each belongs to (empty: every command).
struct Key
{
    const char *name;
    const char *command;
    QString ImportOptions::*field;
};

const Key keys[] = {
    {"file", "", &ImportOptions::file},
    {"encoding", "import-mdf", &ImportOptions::encoding},
    {"lang", "import-lift", &ImportOptions::lang},
    {"vernacular", "import-lift", &ImportOptions::vernacular},
};

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool isImportCommand(const QString &command)
{
    return command == QLatin1String("import-mdf") || command == QLatin1String("import-lift");
}

} // namespace

QString importOptionsName()
{
    return QStringLiteral("import-options.txt");
}

QString importMapName()
{
    return QStringLiteral("import.map");
}

OutputFiles importRecordFiles(const ImportOptions &options, const QString &srcDir,
                              const OutputFiles &sources)
{
    // The path as written from SRC_DIR's own place: "src/../dict.txt" names dict.txt even
    // when src is a symbolic link to another folder.
    const QString here = QDir::cleanPath(QDir::current().absoluteFilePath(srcDir));
    const QString file = QDir::cleanPath(QDir::current().absoluteFilePath(options.file));
    QStringList lines{QStringLiteral("# How these sources were imported: 'lexora-data %1 "
                                     "--again DIR' repeats it.")
                          .arg(options.command),
                      QStringLiteral("command ") + options.command,
                      QStringLiteral("file ") + QDir(here).relativeFilePath(file)};
    for (const Key &key : keys) {
        const QString &value = options.*key.field;
        if (key.field != &ImportOptions::file && !value.isEmpty())
            lines.append(QLatin1String(key.name) + QLatin1Char(' ') + value);
    }
    OutputFiles written = sources;
    if (options.mapLines)
        written.insert(importMapName(), plainFileBytes(*options.mapLines));
    for (auto file = written.constBegin(); file != written.constEnd(); ++file)
        lines.append(
            QStringLiteral("written %1 %2").arg(file.key(), QString::fromLatin1(sha256(*file))));
    written.insert(importOptionsName(), plainFileBytes(lines));
    for (auto file = sources.constBegin(); file != sources.constEnd(); ++file)
        written.remove(file.key());
    return written;
}

std::optional<ImportOptions> readImportRecord(const QString &srcDir, QVector<Diagnostic> *problems)
{
    const QString path = QDir(srcDir).filePath(importOptionsName());
    const auto fail = [&](int line, const QString &message) {
        problems->append({path, line, Diagnostic::Error, message});
        return std::nullopt;
    };
    if (!QFileInfo(srcDir).isDir())
        return fail(0, QStringLiteral("no recorded import: %1 is not a directory").arg(srcDir));
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return fail(0, QStringLiteral("no recorded import: %1 was not written by an import "
                                      "(or by one before imports were recorded); import the "
                                      "file once without --again")
                           .arg(srcDir));
    TextReadReport report;
    const auto lines = readTextLines(path, &report);
    if (!lines)
        return fail(0, QStringLiteral("cannot read: ") + report.failure);
    if (!report.flaws.isEmpty())
        return fail(report.flaws.constFirst().line, messages::textFlaw(report.flaws.constFirst()));

    ImportOptions options;
    for (int i = 0; i < lines->size(); ++i) {
        const QString &line = lines->at(i);
        if (line.startsWith(QLatin1Char('#')) || line.trimmed().isEmpty())
            continue;
        const QString name = line.section(QLatin1Char(' '), 0, 0);
        const QString value = line.section(QLatin1Char(' '), 1);
        if (name == QLatin1String("command")) {
            if (!isImportCommand(value))
                return fail(i + 1, QStringLiteral("\"%1\" is not an import command").arg(value));
            options.command = value;
            continue;
        }
        if (name == QLatin1String("written")) {
            const QStringList parts = value.split(QLatin1Char(' '));
            if (parts.size() != 2 || parts.at(1).size() != 64)
                return fail(i + 1, QStringLiteral("\"written\" needs a file name and its "
                                                  "SHA-256"));
            options.written.insert(parts.at(0), parts.at(1).toLatin1());
            continue;
        }
        const Key *key = nullptr;
        for (const Key &candidate : keys)
            key = name == QLatin1String(candidate.name) ? &candidate : key;
        if (!key || (*key->command && options.command != QLatin1String(key->command)))
            return fail(i + 1, QStringLiteral("\"%1\" is not an option of %2")
                                   .arg(name, options.command.isEmpty()
                                                  ? QStringLiteral("an import (the command "
                                                                   "line comes first)")
                                                  : options.command));
        options.*key->field = value;
    }
    if (options.command.isEmpty() || options.file.isEmpty())
        return fail(0, QStringLiteral("the record names no %1")
                           .arg(options.command.isEmpty() ? QStringLiteral("command")
                                                          : QStringLiteral("file")));
    options.file = QDir::cleanPath(
        QDir(QDir::current().absoluteFilePath(srcDir)).absoluteFilePath(options.file));
    options.file = QDir::current().relativeFilePath(options.file);

    const QString map = QDir(srcDir).filePath(importMapName());
    if (QFileInfo::exists(map) || QFileInfo(map).isSymLink()) {
        options.mapLines = readTextLines(map, &report);
        if (!options.mapLines)
            return fail(0, QStringLiteral("cannot read %1: %2").arg(map, report.failure));
        if (!report.flaws.isEmpty()) {
            problems->append({map, report.flaws.constFirst().line, Diagnostic::Error,
                              messages::textFlaw(report.flaws.constFirst())});
            return std::nullopt;
        }
        options.mapFile = map;
    }
    return options;
}

QVector<Diagnostic> changedSinceImport(const QString &srcDir, const ImportOptions &recorded,
                                       const QString &handEditFolder)
{
    QVector<Diagnostic> changed;
    for (auto file = recorded.written.constBegin(); file != recorded.written.constEnd(); ++file) {
        const QString path = QDir(srcDir).filePath(file.key());
        QFile current(path);
        if (!current.exists())
            continue;
        if (current.open(QIODevice::ReadOnly) && sha256(current.readAll()) == *file)
            continue;
        const QString keep =
            file.key() == importMapName()
                ? QStringLiteral("'lexora-data %1 --again %2' uses it as it is; to import "
                                 "anew, give it with --map from outside %2")
                      .arg(recorded.command, srcDir)
                : QStringLiteral("keep the change in %1 (it is applied after every import)")
                      .arg(QDir(handEditFolder).filePath(file.key()));
        changed.append({path, 0, Diagnostic::Error,
                        QStringLiteral("changed since the import wrote it, and an import would "
                                       "replace it: %1, or delete %2 to let the import write it "
                                       "anew")
                            .arg(keep, path)});
    }
    return changed;
}
