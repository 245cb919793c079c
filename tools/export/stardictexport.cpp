#include "stardictexport.h"

#include "aboutfile.h"
#include "alphabet.h"
#include "articlehtml.h"
#include "datafile.h"
#include "datafilenames.h"
#include "dictionarydata.h"
#include "dictionarysources.h"
#include "entrylookup.h"
#include "exportsource.h"
#include "frenchindex.h"
#include "stardict.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <thread>

namespace {

QString frenchName(const QString &name)
{
    return name + QStringLiteral("-fr");
}

// What a dictionary says of itself: its title, and a description in HTML.
struct About
{
    QString title;       // empty when there is none
    QString description; // on one line
};

// The about file's first line as the title, and its lines as the description; without
// it, a description that names only where the dictionary was made.
About readAbout(const QString &resDir)
{
    const std::optional<QStringList> lines = readAboutLines(resDir);
    if (!lines || lines->isEmpty())
        return {QString(), QStringLiteral("Exported by lexora-data from a Lexora dictionary.")};
    QStringList parts;
    for (const QString &line : *lines)
        if (!line.trimmed().isEmpty())
            parts << plainArticleText(line.trimmed()).toHtmlEscaped();
    return {plainArticleText(lines->first().trimmed()), parts.join(QStringLiteral("<br>"))};
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
        ExportSource source;
        if (!readExportSource(m_resDir, &source, &m_result->diagnostics))
            return false;
        m_about = readAbout(m_resDir);
        m_paths = std::move(source.paths);
        m_headwords = std::move(source.headwords);
        m_lexicon = std::move(source.lexicon);
        m_reversal = std::move(source.reversal);
        m_letters = std::move(source.letters);
        return true;
    }

    StardictDictionary bambara(const QString &name)
    {
        StardictDictionary dictionary;
        dictionary.bookName = bookName(name);
        dictionary.description = m_about.description;
        dictionary.date = dataDate(m_paths);
        DictionaryBuilder builder(&dictionary);
        EntryFinder finder(m_letters, 0);
        const auto tooLong = [](const QString &form) {
            return isIndexableWord(form)
                       ? QString()
                       : QStringLiteral("is longer than the 255 bytes a reader's index takes");
        };
        for (const ListedEntry &listed :
             listedEntries(m_resDir, m_headwords, finder, &m_result->diagnostics, tooLong)) {
            const LookupResult &shown = listed.shown;
            int article = builder.article(shown.form);
            if (article < 0 && isIndexableWord(shown.form)) {
                article = builder.addArticle(shown.form, entryHtml(shown.text));
                builder.addSynonyms(writtenForms(shown.form, shown.text), article);
            }
            if (article < 0) {
                m_result->diagnostics.append(leftOutWarning(
                    m_resDir, listed.line, m_headwords.at(listed.line - 1),
                    QStringLiteral("leads to a headword longer than the 255 bytes a reader's "
                                   "index takes")));
                continue;
            }
            if (shown.form != listed.form)
                builder.addSynonyms(writtenForms(listed.form, finder.find(listed.form).text),
                                    article);
        }
        return dictionary;
    }

    // Reads only what read() has read, so that it may run beside bambara().
    StardictDictionary french(const QString &name) const
    {
        StardictDictionary dictionary;
        dictionary.bookName = bookName(name) + QStringLiteral(" (fran\u00E7ais \u2192 bambara)");
        dictionary.description = m_about.description;
        dictionary.date = dataDate(m_paths);
        DictionaryBuilder builder(&dictionary);
        EntryFinder finder(m_letters, 0);
        for (const FrenchArticle &index :
             frenchIndex(m_lexicon, m_reversal, finder, isIndexableWord)) {
            const int article =
                builder.addArticle(index.key, index.lines.join(QStringLiteral("<br>")));
            const QString bare = toneless(index.key);
            builder.addSynonyms({index.key.toLower(), bare, bare.toLower()}, article);
        }
        return dictionary;
    }

private:
    QString bookName(const QString &name) const
    {
        return m_about.title.isEmpty() ? name : m_about.title;
    }

    const QString m_resDir;
    StardictExport *m_result;
    QStringList m_paths;
    About m_about;
    QStringList m_headwords;
    QVector<LexiconRow> m_lexicon;
    QVector<LexiconRow> m_reversal;
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
    // The two dictionaries share nothing they change: the French one is made on a
    // second thread while this one makes the Bambara one.
    std::optional<OutputFiles> french;
    std::thread frenchMaker(
        [&] { french = stardictFiles(exporter.french(name), frenchName(name)); });
    const std::optional<OutputFiles> bambara = stardictFiles(exporter.bambara(name), name);
    frenchMaker.join();
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
