#include "dictionarydata.h"

#include "datafile.h"
#include "datafilenames.h"

namespace {

// Gives `promise` what `read` returns, or what it throws.
template <typename T, typename Read> void deliver(std::promise<T> &promise, Read read)
{
    try {
        promise.set_value(read());
    } catch (...) {
        promise.set_exception(std::current_exception());
    }
}

} // namespace

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

DictionaryReading::DictionaryReading(const QString &dir)
{
    reading = std::async(std::launch::async, [this, dir] {
        deliver(headwordsRead, [&] { return readHeadwords(dir); });
        deliver(lexiconRead, [&] { return readLexicon(dir); });
        deliver(letterTextsRead, [&] { return readLetterTexts(dir); });
    });
}
