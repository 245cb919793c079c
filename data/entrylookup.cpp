#include "entrylookup.h"

#include "alphabet.h"

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
QHash<QString, int> indexHeadLines(const QString &letterText)
{
    QHash<QString, int> index;
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

} // namespace

EntryExtract extractEntry(const QString &letterText, const QString &word)
{
    if (!canOpenEntry(word))
        return {};
    const QString opener = openerOf(word);
    return extractAt(letterText, findHeadLine(letterText, opener), opener);
}

EntryFinder::EntryFinder(const LetterTexts &letterTexts, int searchesBeforeIndexing)
    : m_letterTexts(letterTexts), m_searchesLeft(searchesBeforeIndexing)
{
}

EntryExtract EntryFinder::find(const QString &form)
{
    const QString key = letterKey(form);
    const auto letterText = m_letterTexts.constFind(key);
    if (letterText == m_letterTexts.constEnd() || !canOpenEntry(form))
        return {};
    if (m_searchesLeft > 0 || form.contains(openBracket)) {
        --m_searchesLeft;
        return extractEntry(*letterText, form);
    }
    auto index = m_indexes.find(key);
    if (index == m_indexes.end())
        index = m_indexes.insert(key, indexHeadLines(*letterText));
    return extractAt(*letterText, index->value(form, -1), openerOf(form));
}

ReferenceWalk walkReferences(EntryFinder &finder, const QString &word,
                             const ReferenceVisitor &visit)
{
    return walkReferences([&finder](const QString &form) { return finder.find(form); }, word,
                          visit);
}

ReferenceWalk walkReferences(const EntrySource &entryOf, const QString &word,
                             const ReferenceVisitor &visit)
{
    QString form = searchForm(word);
    if (form.isEmpty())
        return {};
    QSet<QString> passed;
    while (true) {
        EntryExtract entry = entryOf(form);
        if (!entry.found)
            return {ReferenceWalk::NoEntry, form, {}};
        if (visit && !visit(form, entry))
            return {ReferenceWalk::Stopped, form, entry};
        if (!entry.isCrossReference)
            return {ReferenceWalk::Entry, form, entry};
        passed.insert(form);
        const QString target = searchForm(entry.crossReferenceTarget);
        if (target.isEmpty())
            return {ReferenceWalk::EmptyTarget, form, entry};
        if (passed.contains(target))
            return {ReferenceWalk::Circle, target, entry};
        form = target;
    }
}

LookupResult lookUpWord(const LetterTexts &letterTexts, const QString &word)
{
    EntryFinder finder(letterTexts);
    return lookUpWord(finder, word);
}

LookupResult lookUpWord(EntryFinder &finder, const QString &word)
{
    const ReferenceWalk walk = walkReferences(finder, word);
    switch (walk.end) {
    case ReferenceWalk::Entry:
    case ReferenceWalk::Circle:
        return {LookupResult::Entry, walk.entry.text, walk.form};
    case ReferenceWalk::NoEntry:
        return {LookupResult::NotFound, walk.form, QString()};
    case ReferenceWalk::NoWord:
    case ReferenceWalk::EmptyTarget:
    case ReferenceWalk::Stopped:
        break;
    }
    return {};
}
