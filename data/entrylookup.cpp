#include "entrylookup.h"

#include "searchform.h"

#include <QSet>
#include <QStringView>

namespace {

const QChar lineBreak = QLatin1Char('\n');
const QChar openBracket = QLatin1Char('[');

// Lines of a letter text, walked without splitting the whole text.
class LineWalker
{
public:
    LineWalker(const QString &text, int start) : m_text(text), m_start(start) {}

    bool atEnd() const { return m_start > m_text.size(); }
    int position() const { return m_start; }

    // The next line, trimmed. After the last "\n" there is one more, possibly empty line.
    QStringView next()
    {
        int end = m_text.indexOf(lineBreak, m_start);
        if (end < 0)
            end = m_text.size();
        const QStringView line = QStringView(m_text).mid(m_start, end - m_start).trimmed();
        m_start = end + 1;
        return line;
    }

private:
    const QString &m_text;
    int m_start;
};

// Where the first line whose trimmed text begins with `opener` starts, or -1.
int findHeadLine(const QString &text, const QString &opener)
{
    int from = 0;
    while (true) {
        const int hit = text.indexOf(opener, from);
        if (hit < 0)
            return -1;
        int lineStart = hit;
        while (lineStart > 0 && text.at(lineStart - 1) != lineBreak &&
               text.at(lineStart - 1).isSpace())
            --lineStart;
        if (lineStart == 0 || text.at(lineStart - 1) == lineBreak)
            return lineStart;
        from = hit + 1;
    }
}

} // namespace

bool isHeadLine(QStringView line)
{
    return line.indexOf(openBracket) > 0;
}

QStringView headLineHeadword(QStringView line)
{
    const int end = line.indexOf(QStringLiteral(" ["), 1);
    return end < 0 ? QStringView() : line.left(end);
}

namespace {

// Collects the entry whose head line starts at `headStart`.
EntryExtract extractAt(const QString &letterText, int headStart, const QString &opener)
{
    EntryExtract extract;
    if (headStart < 0)
        return extract;
    LineWalker lines(letterText, headStart);
    const QStringView head = lines.next();
    extract.found = true;
    const int arrow = head.indexOf(QStringLiteral("=>"), 1);
    if (arrow > 0) {
        extract.isCrossReference = true;
        extract.crossReferenceTarget = head.mid(arrow + 2).trimmed().toString();
    }
    extract.text.append(head);
    extract.text.append(lineBreak);
    while (!lines.atEnd()) {
        const QStringView line = lines.next();
        if (isHeadLine(line) && !line.startsWith(opener))
            break;
        extract.text.append(line);
        extract.text.append(lineBreak);
    }
    return extract;
}

QString openerOf(const QString &word)
{
    return word + QStringLiteral(" [");
}

// Whether a word can open an entry at all: a line never holds "\n".
bool canOpenEntry(const QString &word)
{
    return !word.isEmpty() && !word.contains(lineBreak);
}

// Where the first head line of each headword starts. For a word without "[", the head
// lines it matches are exactly those whose text before the first " [" is the word.
using HeadLineIndex = QHash<QString, int>;

HeadLineIndex indexHeadLines(const QString &letterText)
{
    HeadLineIndex index;
    LineWalker lines(letterText, 0);
    while (!lines.atEnd()) {
        const int start = lines.position();
        const QStringView line = lines.next();
        if (!isHeadLine(line))
            continue;
        const QStringView headword = headLineHeadword(line);
        if (headword.isEmpty())
            continue;
        const QString key = headword.toString();
        if (!index.contains(key))
            index.insert(key, start);
    }
    return index;
}

// A short chain is followed by searching each letter text; past this many references a
// chain is long enough to be worth indexing the letter texts it runs through.
constexpr int referencesBeforeIndexing = 16;

} // namespace

EntryExtract extractEntry(const QString &letterText, const QString &word)
{
    if (!canOpenEntry(word))
        return {};
    const QString opener = openerOf(word);
    return extractAt(letterText, findHeadLine(letterText, opener), opener);
}

LookupResult lookUpWord(const QHash<QString, QString> &letterTexts, const QString &word)
{
    QSet<QString> passed;
    QHash<QString, HeadLineIndex> indexes;
    QString current = word;
    while (!current.isEmpty()) {
        const QString form = searchForm(current);
        const QString key = letterKey(form);
        const auto letterText = letterTexts.constFind(key);
        if (letterText == letterTexts.constEnd())
            return {};
        EntryExtract extract;
        if (passed.size() < referencesBeforeIndexing || form.contains(openBracket)) {
            extract = extractEntry(*letterText, form);
        } else if (canOpenEntry(form)) {
            auto index = indexes.find(key);
            if (index == indexes.end())
                index = indexes.insert(key, indexHeadLines(*letterText));
            extract = extractAt(*letterText, index->value(form, -1), openerOf(form));
        }
        if (!extract.found)
            return {LookupResult::NotFound, form};
        if (!extract.isCrossReference)
            return {LookupResult::Entry, extract.text};
        passed.insert(form);
        const QString target = extract.crossReferenceTarget;
        if (!target.isEmpty() && passed.contains(searchForm(target)))
            return {LookupResult::Entry, extract.text};
        current = target;
    }
    return {};
}

QString notFoundMessage(const QString &searchForm)
{
    return QStringLiteral("<strong>") + searchForm.toHtmlEscaped() +
           QStringLiteral("</strong> ma ye.");
}
