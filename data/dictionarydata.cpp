#include "dictionarydata.h"

#include "datafile.h"
#include "alphabet.h"
#include "datafilenames.h"

#include <system_error>

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

LetterFileReading::LetterFileReading(const QString &dir)
    : dir(dir), alphabet(dictionaryAlphabet()), texts(size_t(alphabet.size()))
{
}

void LetterFileReading::readFiles()
{
    for (int i = next++; i < alphabet.size(); i = next++)
        texts[size_t(i)] = readDataText(dataFilePath(dir, letterFileName(alphabet.at(i))));
}

LetterTexts LetterFileReading::takeTexts()
{
    LetterTexts read;
    for (int i = 0; i < alphabet.size(); ++i) {
        if (texts[size_t(i)])
            read.insert(QString(alphabet.at(i)), std::move(*texts[size_t(i)]));
    }
    return read;
}

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
    LetterFileReading letters(dir);
    letters.readFiles();
    return letters.takeTexts();
}

DictionaryReading::DictionaryReading(const QString &dir, const LexiconStep &lexiconStep)
    : letters(dir)
{
    const auto readAll = [this, dir, lexiconStep] {
        deliver(headwordsRead, [&] { return readHeadwords(dir); });
        deliver(lexiconRead, [&] {
            auto rows = readLexicon(dir);
            if (lexiconStep)
                lexiconStep(rows);
            return rows;
        });
        letters.readFiles();
    };
    try {
        reading = std::async(std::launch::async, readAll);
    } catch (const std::system_error &) {
        readAll(); // no second thread to be had: everything is read here and now
    }
}

LetterTexts DictionaryReading::takeLetterTexts()
{
    letters.readFiles(); // the files the second thread has not begun yet are read here
    if (reading.valid())
        reading.get(); // waits for the file the second thread is reading
    return letters.takeTexts();
}
