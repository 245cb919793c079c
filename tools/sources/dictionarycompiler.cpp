#include "dictionarycompiler.h"

#include "datafile.h"
#include "datafilenames.h"
#include "dictionarysources.h"
#include "entrylookup.h"
#include "linecodec.h"
#include "alphabet.h"

#include <QFileInfo>

namespace {

const QString headwordSource = headwordSourceName();
const QString entrySource = entrySourceName();
const QString lexiconSource = lexiconSourceName();

} // namespace

DictionaryCompiler::DataFiles DictionaryCompiler::compile(const QString &sourceDir)
{
    m_diagnostics.clear();
    DataFiles files;
    QMap<QString, QVector<SourceLine>> origins;

    const auto copyLines = [&](const QString &source, const QString &target) {
        const QStringList lines = readSource(sourceDir, source);
        files[target] = lines;
        QVector<SourceLine> &from = origins[target];
        for (int i = 0; i < lines.size(); ++i)
            from.append({source, i + 1});
    };
    copyLines(headwordSource, headwordFileName());
    checkSearchForms(files.value(headwordFileName()));
    copyLines(lexiconSource, lexiconFileName());
    // The about and reversal files are optional; one that is there but cannot be read is an
    // error.
    for (const auto &[source, target] : {std::pair(aboutSourceName(), aboutFileName()),
                                         std::pair(reversalSourceName(), reversalFileName())}) {
        const QFileInfo file(dataFilePath(sourceDir, source));
        if (file.exists() || file.isSymLink())
            copyLines(source, target);
    }
    for (const QChar letter : dictionaryAlphabet()) {
        files[letterFileName(letter)];
        origins[letterFileName(letter)];
    }
    fileEntries(readSource(sourceDir, entrySource), &files, &origins);
    checkStorable(files, origins);
    return files;
}

QStringList DictionaryCompiler::readSource(const QString &sourceDir, const QString &name)
{
    const QString path = dataFilePath(sourceDir, name);
    TextReadReport report;
    const auto lines = readTextLines(path, &report);
    if (!lines) {
        error(path, 0, QStringLiteral("cannot read: ") + report.failure);
        return {};
    }
    // A flaw would be stored as a character its producer never wrote.
    for (const TextFlaw &flaw : qAsConst(report.flaws))
        error(name, flaw.line, messages::textFlaw(flaw));
    return *lines;
}

void DictionaryCompiler::fileEntries(const QStringList &lines, DataFiles *files,
                                     QMap<QString, QVector<SourceLine>> *origins)
{
    const QString alphabet = dictionaryAlphabet();
    QString currentFile;
    bool afterHeadLine = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const QStringView trimmed = QStringView(line).trimmed();
        if (isHeadLine(trimmed)) {
            afterHeadLine = true;
            const QString headword = headLineHeadword(trimmed).toString();
            const QString key = letterKey(headword);
            currentFile.clear();
            if (headword.isEmpty()) {
                error(entrySource, i + 1, messages::headLineWithoutHeadword());
            } else if (searchForm(headword) != headword) {
                error(entrySource, i + 1,
                      messages::entryNotInSearchForm(headword, searchForm(headword)));
            } else if (key.size() != 1 || !alphabet.contains(key)) {
                error(entrySource, i + 1, messages::noLetterFile(headword));
            } else {
                currentFile = letterFileName(key.at(0));
            }
        } else if (!afterHeadLine) {
            error(entrySource, i + 1, messages::strayLine());
        }
        // The lines of an entry whose head line was refused are reported with it.
        if (currentFile.isEmpty())
            continue;
        (*files)[currentFile].append(line);
        (*origins)[currentFile].append({entrySource, i + 1});
    }
}

// A listed headword that is not in search form is never found by the search field, and
// only the checker would say so after the build: it is refused at once. An empty line
// stays an empty item, as the checker reports it.
void DictionaryCompiler::checkSearchForms(const QStringList &headwords)
{
    for (int i = 0; i < headwords.size(); ++i) {
        const QString form = searchForm(headwords.at(i));
        if (form != headwords.at(i))
            error(headwordSource, i + 1, messages::listedNotInSearchForm(headwords.at(i), form));
    }
}

void DictionaryCompiler::checkStorable(const DataFiles &files,
                                       const QMap<QString, QVector<SourceLine>> &origins)
{
    for (auto file = files.constBegin(); file != files.constEnd(); ++file) {
        const QVector<SourceLine> &from = origins.value(file.key());
        for (int i = 0; i < file->size(); ++i) {
            const QString &line = file->at(i);
            const UnstorableCharacter bad = unstorablePosition(line, i + 1);
            if (bad.position < 0)
                continue;
            error(from.at(i).file, from.at(i).line,
                  QStringLiteral("character %1 at column %2 cannot be stored in %3: it %4")
                      .arg(codePointName(line.at(bad.position)))
                      .arg(bad.position + 1)
                      .arg(file.key(), unstorableReasonText(bad.reason)));
        }
    }
}

void DictionaryCompiler::error(const QString &file, int line, const QString &message)
{
    m_diagnostics.append({file, line, Diagnostic::Error, message});
}

OutputFiles DictionaryCompiler::encode(const DataFiles &files)
{
    OutputFiles bytes;
    for (auto file = files.constBegin(); file != files.constEnd(); ++file)
        bytes.insert(file.key(), encodeDataFile(*file));
    return bytes;
}

QStringList DictionaryCompiler::dataFileNames()
{
    QStringList names{headwordFileName(), lexiconFileName(), aboutFileName(), reversalFileName()};
    for (const QChar letter : dictionaryAlphabet())
        names.append(letterFileName(letter));
    return names;
}
