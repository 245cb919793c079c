#include "frenchindex.h"

#include "articlehtml.h"
#include "dictionarysources.h"
#include "alphabet.h"

#include <QHash>
#include <QPair>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

// A head line of the entry a word shows, as its text and in HTML.
struct HeadLine
{
    QString text;
    QString html;
};

// The lines of the article of `key` for the Bambara word `form` of `row`; `shownLines`
// keeps the head lines of each word looked up.
QStringList wordLines(EntryFinder &finder, QHash<QString, QVector<HeadLine>> &shownLines,
                      const QString &form, const LexiconRow &row, const QString &key)
{
    auto shown = shownLines.find(form);
    if (shown == shownLines.end()) {
        const LookupResult entry = lookUpWord(finder, form);
        QVector<HeadLine> lines;
        if (entry.kind == LookupResult::Entry) {
            for (const QString &line : headLines(entry.text))
                lines.append({plainArticleText(line), lineHtml(line)});
        }
        shown = shownLines.insert(form, lines);
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

} // namespace

QStringList glossKeys(const QString &gloss)
{
    QStringList keys{plainArticleText(gloss).trimmed()};
    static const QRegularExpression separator(QStringLiteral("[;,]"));
    for (const QString &part : keys.first().split(separator))
        keys << part.trimmed();
    keys.removeAll(QString());
    keys.removeDuplicates();
    return keys;
}

QStringList reversalKeys(const QString &reversal)
{
    QStringList keys;
    if (reversal.trimmed() == QLatin1String("*"))
        return keys;
    for (const QString &part : plainArticleText(reversal).split(QLatin1Char(';')))
        keys << part.trimmed();
    keys.removeAll(QString());
    keys.removeDuplicates();
    return keys;
}

QStringList headLines(const QString &entryText)
{
    QStringList lines;
    for (const QString &line : entryText.split(QLatin1Char('\n'))) {
        if (isHeadLine(line))
            lines << line;
    }
    return lines;
}

QVector<FrenchIndexKey> frenchIndexKeys(const QVector<LexiconRow> &lexicon,
                                        const QVector<LexiconRow> &reversal,
                                        bool (*acceptKey)(const QString &key))
{
    // Search form -> the keys its reversals give: none for a word whose only reversal is "*".
    QHash<QString, QStringList> reversed;
    for (const LexiconRow &row : reversal) {
        QStringList &keys = reversed[searchForm(row.word)];
        keys += reversalKeys(row.gloss);
        keys.removeDuplicates();
    }
    QVector<FrenchIndexKey> index;
    QHash<QString, int> positions;     // key -> its place in `index`
    QVector<QSet<QString>> formsOfKey; // by place in `index`
    for (int row = 0; row < lexicon.size(); ++row) {
        const QString form = searchForm(lexicon.at(row).word);
        if (form.isEmpty())
            continue;
        const auto reversedKeys = reversed.constFind(form);
        const QStringList keys =
            reversedKeys != reversed.constEnd() ? *reversedKeys : glossKeys(lexicon.at(row).gloss);
        for (const QString &key : keys) {
            if (acceptKey && !acceptKey(key))
                continue;
            auto found = positions.find(key);
            if (found == positions.end()) {
                found = positions.insert(key, index.size());
                index.append({key, {}});
                formsOfKey.append(QSet<QString>());
            }
            if (!formsOfKey[*found].contains(form)) {
                formsOfKey[*found].insert(form);
                index[*found].words.append({form, row});
            }
        }
    }
    for (FrenchIndexKey &entry : index) {
        std::stable_sort(entry.words.begin(), entry.words.end(), [](const auto &a, const auto &b) {
            return comesBefore(a.first, b.first);
        });
    }
    return index;
}

QVector<FrenchArticle> frenchIndex(const QVector<LexiconRow> &lexicon,
                                   const QVector<LexiconRow> &reversal, EntryFinder &finder,
                                   bool (*acceptKey)(const QString &key))
{
    QHash<QString, QVector<HeadLine>> shownLines; // by search form
    QVector<FrenchArticle> articles;
    for (const FrenchIndexKey &entry : frenchIndexKeys(lexicon, reversal, acceptKey)) {
        FrenchArticle article{entry.key, {}};
        for (const auto &[form, row] : entry.words)
            article.lines << wordLines(finder, shownLines, form, lexicon.at(row), entry.key);
        articles.append(article);
    }
    return articles;
}
