#include "dictionarydata.h"

#include "datafile.h"
#include "datafilenames.h"

std::optional<QStringList> readHeadwords(const QString &dir)
{
    return readDataFile(dataFilePath(dir, headwordFileName()));
}

std::optional<QVector<LexiconRow>> readLexicon(const QString &dir)
{
    auto lines = readDataFile(dataFilePath(dir, lexiconFileName()));
    if (!lines)
        return std::nullopt;
    QVector<LexiconRow> rows;
    rows.reserve(lines->size());
    for (QString &line : *lines) {
        if (auto row = splitLexiconLine(line))
            rows.append(std::move(*row));
        line = QString(); // each line goes as soon as its row is made: one copy at a time
    }
    return rows;
}

LetterTexts readLetterTexts(const QString &dir)
{
    LetterTexts texts;
    for (const QChar letter : dictionaryAlphabet()) {
        if (auto text = readDataText(dataFilePath(dir, letterFileName(letter))))
            texts.insert(QString(letter), std::move(*text));
    }
    return texts;
}
