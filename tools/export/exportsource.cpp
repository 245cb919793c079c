#include "exportsource.h"

#include "alphabet.h"
#include "datafilenames.h"

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
    if (diagnostics->size() != problemsBefore)
        return false;
    source->headwords = std::move(*headwords);
    source->lexicon = std::move(*lexicon);
    return true;
}
