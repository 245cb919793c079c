#include "exportsource.h"

#include "alphabet.h"
#include "datafile.h"
#include "datafilenames.h"
#include "dictionarysources.h"

#include <QFileInfo>

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
