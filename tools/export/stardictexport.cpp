#include "stardictexport.h"

#include "articlehtml.h"
#include "datafile.h"
#include "datafilenames.h"
#include "dictionarydata.h"
#include "dictionarysources.h"
#include "entrylookup.h"
#include "frenchindex.h"
#include "searchform.h"
#include "stardict.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

QString frenchName(const QString &name)
{
    return name + QStringLiteral("-fr");
}

// The description of a dictionary: what the about file says of it (title, authors,
// source, licence, one per line), or, without one, only where it was made.
QString aboutDescription(const QString &resDir)
{
    const std::optional<QStringList> about = readDataFile(dataFilePath(resDir, aboutFileName()));
    if (!about || about->isEmpty())
        return QStringLiteral("Exported by lexora-data from a Lexora dictionary.");
    const QStringList labels = {QString(), QString(), QStringLiteral("Source: "),
                                QStringLiteral("Licence: ")};
    QStringList parts;
    for (int i = 0; i < about->size() && i < labels.size(); ++i) {
        const QString line = about->at(i).trimmed();
        if (!line.isEmpty())
            parts << (labels.at(i) + line).toHtmlEscaped();
    }
    return parts.join(QStringLiteral("<br>"));
}

// The title the about file gives, or nothing.
QString aboutTitle(const QString &resDir)
{
    const std::optional<QStringList> about = readDataFile(dataFilePath(resDir, aboutFileName()));
    return about && !about->isEmpty() ? about->first().trimmed() : QString();
}

// The head lines of an entry text, in order.
QStringList headLines(const QString &entryText)
{
    QStringList lines;
    for (const QString &line : entryText.split(QLatin1Char('\n'))) {
        if (isHeadLine(line))
            lines << line;
    }
    return lines;
}

// The ways a reader may type the headword `form` whose entry text is `entryText`: its
// small form, the word in the brackets of its head lines where they hold the word itself
// (with tone marks, as written and small), and the keyboard spellings of each.
QStringList writtenForms(const QString &form, const QString &entryText)
{
    QStringList forms{form, smallForm(form)};
    for (const QString &line : headLines(entryText)) {
        if (headLineHeadword(line) != form)
            continue;
        const int open = line.indexOf(QLatin1Char('['));
        const int close = line.indexOf(QLatin1Char(']'), open);
        if (close < 0)
            continue;
        const QString written = line.mid(open + 1, close - open - 1).trimmed();
        if (!written.isEmpty() && searchForm(toneless(written)) == form)
            forms << written << written.toLower();
    }
    const int plain = forms.size();
    for (int i = 0; i < plain; ++i)
        forms << plainSpellings(forms.at(i));
    forms.removeDuplicates();
    return forms;
}

// A dictionary being filled: articles under their words, and synonyms of them.
class DictionaryBuilder
{
public:
    explicit DictionaryBuilder(StardictDictionary *dictionary) : m_dictionary(dictionary) {}

    // The index of the article of `word`, or -1.
    int article(const QString &word) const { return m_articles.value(word, -1); }

    int addArticle(const QString &word, const QString &html)
    {
        m_articles.insert(word, m_dictionary->words.size());
        m_dictionary->words << word;
        m_dictionary->articles << html;
        return m_dictionary->words.size() - 1;
    }

    void addSynonyms(const QStringList &words, int article)
    {
        for (const QString &word : words) {
            if (isIndexableWord(word))
                m_dictionary->synonyms.append({word, article});
        }
    }

private:
    StardictDictionary *m_dictionary;
    QHash<QString, int> m_articles;
};

// The newest modification day of the files read, so that the same directory always
// gives the same date.
QString dataDate(const QStringList &paths)
{
    QDateTime newest;
    for (const QString &path : paths) {
        const QDateTime modified = QFileInfo(path).lastModified().toUTC();
        if (modified.isValid() && (!newest.isValid() || modified > newest))
            newest = modified;
    }
    return newest.isValid() ? newest.toString(QStringLiteral("yyyy.MM.dd")) : QString();
}

class Exporter
{
public:
    Exporter(const QString &resDir, StardictExport *result) : m_resDir(resDir), m_result(result) {}

    bool read()
    {
        const QString headwordPath = dataFilePath(m_resDir, headwordFileName());
        const QString lexiconPath = dataFilePath(m_resDir, lexiconFileName());
        m_paths << headwordPath << lexiconPath;
        std::optional<QStringList> headwords = readHeadwords(m_resDir);
        std::optional<QVector<LexiconRow>> lexicon = readLexicon(m_resDir);
        m_letters = readLetterTexts(m_resDir);
        if (!headwords)
            cannotRead(headwordPath);
        if (!lexicon)
            cannotRead(lexiconPath);
        for (const QChar letter : dictionaryAlphabet()) {
            const QString path = dataFilePath(m_resDir, letterFileName(letter));
            m_paths << path;
            if (!m_letters.contains(QString(letter)))
                cannotRead(path);
        }
        if (!m_result->diagnostics.isEmpty())
            return false;
        m_headwords = std::move(*headwords);
        m_lexicon = std::move(*lexicon);
        return true;
    }

    StardictDictionary bambara(const QString &name)
    {
        StardictDictionary dictionary;
        dictionary.bookName = bookName(name);
        dictionary.description = aboutDescription(m_resDir);
        dictionary.date = dataDate(m_paths);
        DictionaryBuilder builder(&dictionary);
        EntryFinder finder(m_letters, 0);
        QSet<QString> seen;
        const QString headwordPath = dataFilePath(m_resDir, headwordFileName());
        for (int i = 0; i < m_headwords.size(); ++i) {
            const QString form = searchForm(m_headwords.at(i));
            if (form.isEmpty() || seen.contains(form))
                continue;
            seen.insert(form);
            const auto leftOut = [&](const QString &why) {
                m_result->diagnostics.append(
                    {headwordPath, i + 1, Diagnostic::Warning,
                     QStringLiteral("%1 %2; left out").arg(m_headwords.at(i), why)});
            };
            if (!isIndexableWord(form)) {
                leftOut(QStringLiteral("is longer than the 255 bytes a reader's index takes"));
                continue;
            }
            const LookupResult shown = lookUpWord(finder, form);
            if (shown.kind == LookupResult::NotFound) {
                leftOut(QStringLiteral("has no entry"));
                continue;
            }
            if (shown.kind != LookupResult::Entry) {
                leftOut(QStringLiteral("leads to no entry"));
                continue;
            }
            int article = builder.article(shown.form);
            if (article < 0 && isIndexableWord(shown.form)) {
                article = builder.addArticle(shown.form, entryHtml(shown.text));
                builder.addSynonyms(writtenForms(shown.form, shown.text), article);
            }
            if (article < 0) {
                leftOut(QStringLiteral("leads to a headword longer than the 255 bytes a "
                                       "reader's index takes"));
                continue;
            }
            if (shown.form != form)
                builder.addSynonyms(writtenForms(form, finder.find(form).text), article);
        }
        return dictionary;
    }

    StardictDictionary french(const QString &name)
    {
        StardictDictionary dictionary;
        dictionary.bookName = bookName(name) + QStringLiteral(" (fran\u00E7ais \u2192 bambara)");
        dictionary.description = aboutDescription(m_resDir);
        dictionary.date = dataDate(m_paths);
        DictionaryBuilder builder(&dictionary);
        EntryFinder finder(m_letters, 0);
        for (const FrenchIndexKey &entry : frenchIndex(m_lexicon)) {
            const QString &key = entry.key;
            if (!isIndexableWord(key))
                continue;
            QStringList lines;
            for (const auto &[form, row] : entry.words)
                lines << wordLines(finder, form, m_lexicon.at(row), key);
            const int article = builder.addArticle(key, lines.join(QStringLiteral("<br>")));
            const QString bare = toneless(key);
            builder.addSynonyms({key.toLower(), bare, bare.toLower()}, article);
        }
        return dictionary;
    }

private:
    void cannotRead(const QString &path)
    {
        m_result->diagnostics.append(
            {path, 0, Diagnostic::Error, QStringLiteral("cannot be read")});
    }

    QString bookName(const QString &name) const
    {
        const QString title = aboutTitle(m_resDir);
        return title.isEmpty() ? name : title;
    }

    // The lines of the French article of `key` for the Bambara word `form` of `row`.
    QStringList wordLines(EntryFinder &finder, const QString &form, const LexiconRow &row,
                          const QString &key)
    {
        auto shown = m_headLines.find(form);
        if (shown == m_headLines.end()) {
            const LookupResult entry = lookUpWord(finder, form);
            QVector<HeadLine> lines;
            if (entry.kind == LookupResult::Entry) {
                for (const QString &line : headLines(entry.text))
                    lines.append({plainArticleText(line), lineHtml(line)});
            }
            shown = m_headLines.insert(form, lines);
        }
        QStringList lines;
        for (const HeadLine &line : qAsConst(*shown)) {
            if (line.text.contains(key, Qt::CaseInsensitive))
                lines << line.html;
        }
        if (lines.isEmpty()) {
            for (const HeadLine &line : qAsConst(*shown))
                lines << line.html;
        }
        if (lines.isEmpty())
            lines << QStringLiteral("<b>%1</b> %2")
                         .arg(plainArticleText(row.word).toHtmlEscaped(),
                              plainArticleText(row.gloss).toHtmlEscaped());
        return lines;
    }

    // A head line of the entry a word shows, as its text and in HTML.
    struct HeadLine
    {
        QString text;
        QString html;
    };

    const QString m_resDir;
    QHash<QString, QVector<HeadLine>> m_headLines; // by search form
    StardictExport *m_result;
    QStringList m_paths;
    QStringList m_headwords;
    QVector<LexiconRow> m_lexicon;
    LetterTexts m_letters;
};

} // namespace

QStringList stardictExportFileNames(const QString &name)
{
    return stardictFileNames(name) + stardictFileNames(frenchName(name));
}

StardictExport exportStardict(const QString &resDir, const QString &name)
{
    StardictExport result;
    Exporter exporter(resDir, &result);
    if (!exporter.read())
        return result;
    const std::optional<OutputFiles> bambara = stardictFiles(exporter.bambara(name), name);
    const std::optional<OutputFiles> french =
        stardictFiles(exporter.french(name), frenchName(name));
    if (!bambara || !french) {
        result.diagnostics.append({resDir, 0, Diagnostic::Error,
                                   QStringLiteral("the articles are too large for a dictionary "
                                                  "file (4 GiB, or 1.9 GB compressed)")});
        return result;
    }
    result.files = *bambara;
    for (auto file = french->begin(); file != french->end(); ++file)
        result.files.insert(file.key(), file.value());
    result.usable = true;
    return result;
}
