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

EntryExtract extractEntry(const QString &letterText, const QString &word)
{
    EntryExtract extract;
    // A line never holds "\n", so a word with one cannot open an entry.
    if (word.isEmpty() || word.contains(lineBreak))
        return extract;
    const QString opener = word + QStringLiteral(" [");
    const int headStart = findHeadLine(letterText, opener);
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

LookupResult lookUpWord(const QHash<QString, QString> &letterTexts, const QString &word)
{
    QSet<QString> passed;
    QString current = word;
    while (!current.isEmpty()) {
        const QString form = searchForm(current);
        const auto letterText = letterTexts.constFind(letterKey(form));
        if (letterText == letterTexts.constEnd())
            return {};
        const EntryExtract extract = extractEntry(*letterText, form);
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
