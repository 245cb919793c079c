#include "webexport.h"

#include "aboutfile.h"

#include "alphabet.h"
#include "articlehtml.h"
#include "datafile.h"
#include "datafilenames.h"
#include "dictionarysources.h"
#include "entrylookup.h"
#include "exportsource.h"
#include "frenchindex.h"
#include "keytables.h"

#include <QFile>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QUrl>

#include <algorithm>

// The page, its style and its script, kept in tools/export/web/ and built in as
// resources. Outside any namespace, as the resource system asks.
static void initialiseWebResources()
{
    Q_INIT_RESOURCE(web);
}

namespace {

// The files copied out as they are kept in the repository.
const char *const pageFiles[] = {"index.html", "style.css", "app.js"};

// The keyboard-language table of the viewer's search field that the site types with.
constexpr int siteKeyLanguage = 1;

// `text` as a JavaScript string literal in UTF-8: quotes, backslashes, control characters,
// the line and paragraph separators and unpaired surrogates written as escapes, so that
// no text can end the string or the line. The page reads the script files as UTF-8.
QByteArray jsString(const QString &text)
{
    QByteArray js;
    js.reserve(text.size() * 2 + 2);
    js += '"';
    const auto escape = [&js](char16_t u) {
        js += "\\u" + QByteArray::number(uint(u), 16).rightJustified(4, '0');
    };
    for (int i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == '"' || u == '\\') {
            js += '\\';
            js += char(u);
        } else if (u < 0x20 || u == 0x7F || u == 0x2028 || u == 0x2029) {
            escape(u);
        } else if (u < 0x80) {
            js += char(u);
        } else if (u < 0x800) {
            js += char(0xC0 | (u >> 6));
            js += char(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
                   text.at(i + 1).isLowSurrogate()) {
            const uint code = QChar::surrogateToUcs4(u, text.at(++i).unicode());
            js += char(0xF0 | (code >> 18));
            js += char(0x80 | ((code >> 12) & 0x3F));
            js += char(0x80 | ((code >> 6) & 0x3F));
            js += char(0x80 | (code & 0x3F));
        } else if (QChar::isSurrogate(u)) {
            escape(u);
        } else {
            js += char(0xE0 | (u >> 12));
            js += char(0x80 | ((u >> 6) & 0x3F));
            js += char(0x80 | (u & 0x3F));
        }
    }
    js += '"';
    return js;
}

QByteArray jsArray(const QStringList &texts)
{
    QByteArray js = "[";
    for (int i = 0; i < texts.size(); ++i)
        js += (i ? "," : "") + jsString(texts.at(i));
    return js + "]";
}

// The most files the French index is written in.
constexpr int frenchFileCount = 100;

QString frenchFileName(int file)
{
    return QStringLiteral("french-%1.js").arg(file, 2, 10, QLatin1Char('0'));
}

// The name of the entries file of the letter at `position` in the dictionary alphabet.
QString entriesFileName(int position)
{
    return QStringLiteral("entries-%1.js").arg(position, 2, 10, QLatin1Char('0'));
}

// The keys of the viewer's key table as the page names them ("Q", "Shift+Q", "Alt+E",
// "Alt+Shift+E"), each with the letter it types; and the letters typed without Shift,
// in the order of their keys, for the row of buttons of a touch screen.
QByteArray keyTable(QStringList *buttonLetters)
{
    const struct
    {
        Qt::KeyboardModifiers modifiers;
        const char *name;
    } columns[] = {{Qt::NoModifier, ""},
                   {Qt::ShiftModifier, "Shift+"},
                   {Qt::AltModifier, "Alt+"},
                   {Qt::AltModifier | Qt::ShiftModifier, "Alt+Shift+"}};
    QByteArray js = "{";
    for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
        for (const auto &column : columns) {
            const std::optional<SpecialLetter> letter =
                specialLetterFor(siteKeyLanguage, key, column.modifiers);
            if (!letter)
                continue;
            const QString typed(QChar(letter->character));
            if (js.size() > 1)
                js += ',';
            js += jsString(QLatin1String(column.name) + QChar(key)) + ':' + jsString(typed);
            if (!column.modifiers.testFlag(Qt::ShiftModifier) && !buttonLetters->contains(typed))
                *buttonLetters << typed;
        }
    }
    return js + "}";
}

// The characters whose search form is not their capital (as the small ɲ, whose search
// form is Л), each with its search form: the page takes every other character's capital.
QByteArray searchFormExceptions()
{
    QByteArray js = "{";
    for (uint code = 1; code <= 0xFFFF; ++code) {
        const QChar c(code);
        if (c.isSurrogate())
            continue;
        const QString form = searchForm(QString(c));
        if (form == QString(c).toUpper().trimmed())
            continue;
        if (js.size() > 1)
            js += ',';
        js += jsString(QString(c)) + ':' + jsString(form);
    }
    return js + "}";
}

// The entries of one letter file as the page looks them up: the entry HTML of each
// search form whose entry is shown as its own, and, for a form whose entry is a
// cross-reference, the form whose entry is shown, in the order they were added.
struct LetterEntries
{
    QVector<QPair<QString, QString>> entries;
    QSet<QString> entryForms;
    QVector<QPair<QString, QString>> references;
};

class SiteBuilder
{
public:
    SiteBuilder(const QString &resDir, WebExport *result) : m_resDir(resDir), m_result(result) {}

    bool read() { return readExportSource(m_resDir, &m_source, &m_result->diagnostics); }

    void build()
    {
        initialiseWebResources();
        for (const char *name : pageFiles) {
            QFile file(QStringLiteral(":/web/") + QLatin1String(name));
            if (!file.open(QIODevice::ReadOnly))
                qFatal("the page file %s is not built in", name);
            m_result->files.insert(QLatin1String(name), file.readAll());
        }
        m_alphabet = dictionaryAlphabet();
        m_letters.resize(m_alphabet.size());
        EntryFinder finder(m_source.letters, 0);
        collectForms();
        addEntries(finder);
        addHeadwords();
        addFrench(finder);
        addSite();
        addLexicon();
    }

private:
    // The search forms of the headword list, in order, each once.
    void collectForms()
    {
        QSet<QString> seen;
        for (const QString &headword : qAsConst(m_source.headwords)) {
            const QString form = searchForm(headword);
            if (!form.isEmpty() && !seen.contains(form)) {
                seen.insert(form);
                m_forms << form;
            }
        }
    }

    LetterEntries *lettersOf(const QString &form)
    {
        const int position = m_alphabet.indexOf(letterKey(form));
        return position < 0 ? nullptr : &m_letters[position];
    }

    // The address of a related word that has an entry in the site, or nothing.
    QString address(const QString &word) const
    {
        const QString form = searchForm(word);
        if (!m_shown.contains(form))
            return QString();
        return QStringLiteral("#") + QString::fromLatin1(QUrl::toPercentEncoding(form));
    }

    void addEntry(const QString &form, const QString &entryText)
    {
        LetterEntries *letter = lettersOf(form);
        if (!letter || letter->entryForms.contains(form))
            return;
        letter->entryForms.insert(form);
        letter->entries.append(
            {form, entryHtml(entryText, [this](const QString &word) { return address(word); })});
    }

    // Every headword's entry as the viewer shows it; a headword without entry is left out
    // (the page says it has none) and reported.
    void addEntries(EntryFinder &finder)
    {
        // Each shown form, and the form its entry is stored under.
        QVector<QPair<QString, LookupResult>> shown;
        QVector<QPair<QString, QString>> storedUnder;
        // An entry is found in the letter file of its form's letter: every form listed has
        // its letter's place in the site.
        for (const ListedEntry &entry :
             listedEntries(m_resDir, m_source.headwords, finder, &m_result->diagnostics)) {
            const QString &form = entry.form;
            const LookupResult &result = entry.shown;
            // A cross-reference: the page shows the entry of the form it leads to, stored
            // once under that form, when that form shows the same entry.
            QString under = form;
            if (result.form != form && lettersOf(result.form)) {
                const LookupResult target = lookUpWord(finder, result.form);
                if (target.form == result.form && target.text == result.text)
                    under = result.form;
            }
            m_shown.insert(form);
            m_shown.insert(under);
            shown.append({form, result});
            storedUnder.append({form, under});
        }
        // The addresses of the related words are known once every shown form is.
        for (int i = 0; i < shown.size(); ++i) {
            const QString &form = shown.at(i).first;
            const QString &under = storedUnder.at(i).second;
            addEntry(under, shown.at(i).second.text);
            if (under != form)
                lettersOf(form)->references.append({form, under});
        }
    }

    // The headword list as one string of lines, and the keyboard spellings of its words
    // as lines "INDEX<tab>SPELLING<tab>...": one string is read much faster than a list.
    void addHeadwords()
    {
        m_result->files.insert(QStringLiteral("headwords.js"),
                               "lexoraHeadwords(" + jsString(m_forms.join(QLatin1Char('\n'))) +
                                   ");\n");
        QStringList lines;
        for (int i = 0; i < m_forms.size(); ++i) {
            QStringList line{QString::number(i)};
            for (const QString &spelling : plainSpellings(m_forms.at(i))) {
                const QString form = searchForm(spelling);
                if (!line.contains(form) && !form.contains(QLatin1Char('\t')))
                    line << form;
            }
            if (line.size() > 1)
                lines << line.join(QLatin1Char('\t'));
        }
        m_result->files.insert(QStringLiteral("spellings.js"),
                               "lexoraSpellings(" + jsString(lines.join(QLatin1Char('\n'))) +
                                   ");\n");
        for (int position = 0; position < m_letters.size(); ++position) {
            const LetterEntries &letter = m_letters.at(position);
            QByteArray file = "lexoraLetter(" + QByteArray::number(position) + ",{";
            for (int i = 0; i < letter.entries.size(); ++i)
                file += (i ? ",\n" : "\n") + jsString(letter.entries.at(i).first) + ':' +
                        jsString(letter.entries.at(i).second);
            file += "},{";
            for (int i = 0; i < letter.references.size(); ++i)
                file += (i ? "," : "") + jsString(letter.references.at(i).first) + ':' +
                        jsString(letter.references.at(i).second);
            m_result->files.insert(entriesFileName(position), file + "});\n");
        }
    }

    void addSite()
    {
        const std::optional<QStringList> about = readAboutLines(m_resDir);
        QStringList aboutLines;
        if (about) {
            for (const QString &line : *about)
                aboutLines << plainArticleText(line).trimmed();
        }
        QStringList buttons;
        const QByteArray keys = keyTable(&buttons);
        QByteArray js = "var lexoraSite={";
        js += "\"about\":" + jsArray(aboutLines);
        js += ",\n\"alphabet\":" + jsArray(m_alphabet.split(QString(), Qt::SkipEmptyParts));
        js += ",\n\"keys\":" + keys;
        js += ",\n\"buttons\":" + jsArray(buttons);
        js += ",\n\"searchForms\":" + searchFormExceptions();
        js += ",\n\"initials\":" + initials();
        js += ",\n\"french\":" + m_frenchFiles;
        js += ",\n\"lexiconRows\":" + QByteArray::number(m_source.lexicon.size());
        js += "};\n";
        m_result->files.insert(QStringLiteral("site.js"), js);
    }

    // The first character of every form the site stores, with the position in the
    // alphabet of the letter whose entries file holds it.
    QByteArray initials() const
    {
        QMap<QString, int> positions;
        for (int position = 0; position < m_letters.size(); ++position) {
            for (const auto &entry : m_letters.at(position).entries)
                positions.insert(entry.first.left(1), position);
            for (const auto &reference : m_letters.at(position).references)
                positions.insert(reference.first.left(1), position);
        }
        QByteArray js = "{";
        for (auto i = positions.cbegin(); i != positions.cend(); ++i)
            js += (js.size() > 1 ? "," : "") + jsString(i.key()) + ':' +
                  QByteArray::number(i.value());
        return js + "}";
    }

    void addLexicon()
    {
        QByteArray js = "lexoraLexicon([";
        for (int row = 0; row < m_source.lexicon.size(); ++row) {
            const LexiconRow &line = m_source.lexicon.at(row);
            js += (row ? ",\n[" : "\n[") + jsString(plainArticleText(line.word)) + ',' +
                  jsString(plainArticleText(line.gloss)) + ']';
        }
        m_result->files.insert(QStringLiteral("lexicon.js"), js + "]);\n");
    }

    // The French index in files by the first letter of its keys written small and
    // without accents (toneless()), as the page looks them up: at most frenchFileCount
    // files, the letters beyond the last file's sharing it.
    void addFrench(EntryFinder &finder)
    {
        QMap<QString, QByteArray> articlesOf; // first letter -> its articles
        for (const FrenchArticle &article :
             frenchIndex(m_source.lexicon, m_source.reversal, finder)) {
            const QString folded = toneless(article.key).toLower();
            const QString initial = folded.left(folded.at(0).isHighSurrogate() ? 2 : 1);
            QByteArray &js = articlesOf[initial];
            js += (js.isEmpty() ? "\n[" : ",\n[") + jsString(article.key) + ',' + jsString(folded) +
                  ',' + jsString(article.lines.join(QStringLiteral("<br>"))) + ']';
        }
        QVector<QByteArray> files(std::min(int(articlesOf.size()), frenchFileCount));
        m_frenchFiles = "{";
        int file = 0;
        for (auto i = articlesOf.cbegin(); i != articlesOf.cend(); ++i) {
            QByteArray &js = files[file];
            js += (js.isEmpty() ? "" : ",") + i.value();
            m_frenchFiles += (m_frenchFiles.size() > 1 ? "," : "") + jsString(i.key()) + ':' +
                             QByteArray::number(file);
            file = std::min(file + 1, frenchFileCount - 1);
        }
        m_frenchFiles += "}";
        for (int i = 0; i < files.size(); ++i)
            m_result->files.insert(frenchFileName(i), "lexoraFrench(" + QByteArray::number(i) +
                                                          ",[" + files.at(i) + "]);\n");
    }

    const QString m_resDir;
    WebExport *m_result;
    ExportSource m_source;
    QString m_alphabet;
    QStringList m_forms;              // of the headword list, each once
    QSet<QString> m_shown;            // the forms the page shows an entry for
    QVector<LetterEntries> m_letters; // by position in the alphabet
    QByteArray m_frenchFiles;         // first letter of a French key -> its file
};

} // namespace

QStringList webExportFileNames()
{
    QStringList names;
    for (const char *name : pageFiles)
        names << QLatin1String(name);
    names << QStringLiteral("site.js") << QStringLiteral("headwords.js")
          << QStringLiteral("spellings.js") << QStringLiteral("lexicon.js");
    for (int file = 0; file < frenchFileCount; ++file)
        names << frenchFileName(file);
    for (int position = 0; position < dictionaryAlphabet().size(); ++position)
        names << entriesFileName(position);
    return names;
}

WebExport exportWeb(const QString &resDir)
{
    WebExport result;
    SiteBuilder builder(resDir, &result);
    if (!builder.read())
        return result;
    builder.build();
    result.usable = true;
    return result;
}
