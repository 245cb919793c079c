#include "exportsource.h"

#include "alphabet.h"
#include "datafile.h"
#include "datafilenames.h"
#include "dictionarysources.h"

#include <QFileInfo>
#include <QSet>

bool readExportSource(const QString &resDir, ExportSource *source, QVector<Diagnostic> *diagnostics)
{
    const auto cannotRead = [&](const QString &path) {
        diagnostics->append({path, 0, Diagnostic::Error, QStringLiteral("cannot be read")});
    };
    const int problemsBefore = diagnostics->size();
    const QString headwordPath = dataFilePath(resDir, headwordFileName());
    const QString lexiconPath = dataFilePath(resDir, lexiconFileName());
    source->paths = QStringList{headwordPath, lexiconPath};
    std::optional<QStringList> headwords = readHeadwords(resDir);
    std::optional<QVector<LexiconRow>> lexicon = readLexicon(resDir);
    source->letters = readLetterTexts(resDir);
    if (!headwords)
        cannotRead(headwordPath);
    if (!lexicon)
        cannotRead(lexiconPath);
    for (const QChar letter : dictionaryAlphabet()) {
        const QString path = dataFilePath(resDir, letterFileName(letter));
        source->paths << path;
        if (!source->letters.contains(QString(letter)))
            cannotRead(path);
    }
    const QString reversalPath = dataFilePath(resDir, reversalFileName());
    const QFileInfo reversal(reversalPath);
    if (reversal.exists() || reversal.isSymLink()) {
        source->paths << reversalPath;
        const std::optional<QStringList> lines = readDataFile(reversalPath);
        for (const QString &line : lines.value_or(QStringList())) {
            if (const std::optional<LexiconRow> row = splitLexiconLine(line))
                source->reversal.append(*row);
        }
        if (!lines)
            cannotRead(reversalPath);
    }
    if (diagnostics->size() != problemsBefore)
        return false;
    source->headwords = std::move(*headwords);
    source->lexicon = std::move(*lexicon);
    return true;
}

Diagnostic leftOutWarning(const QString &resDir, int line, const QString &headword,
                          const QString &why)
{
    return {dataFilePath(resDir, headwordFileName()), line, Diagnostic::Warning,
            QStringLiteral("%1 %2; left out").arg(headword, why)};
}

QVector<ListedEntry> listedEntries(const QString &resDir, const QStringList &headwords,
                                   EntryFinder &finder, QVector<Diagnostic> *warnings,
                                   const std::function<QString(const QString &form)> &refused)
{
    QVector<ListedEntry> entries;
    QSet<QString> seen;
    for (int i = 0; i < headwords.size(); ++i) {
        const QString form = searchForm(headwords.at(i));
        if (form.isEmpty() || seen.contains(form))
            continue;
        seen.insert(form);
        QString why = refused ? refused(form) : QString();
        LookupResult shown;
        if (why.isEmpty()) {
            shown = lookUpWord(finder, form);
            if (shown.kind == LookupResult::NotFound)
                why = QStringLiteral("has no entry");
            else if (shown.kind != LookupResult::Entry)
                why = QStringLiteral("leads to no entry");
        }
        if (!why.isEmpty()) {
            warnings->append(leftOutWarning(resDir, i + 1, headwords.at(i), why));
            continue;
        }
        entries.append({form, i + 1, shown});
    }
    return entries;
}
