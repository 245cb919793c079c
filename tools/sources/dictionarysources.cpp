#include "dictionarysources.h"

#include "textfile.h"

#include <algorithm>

namespace {

// The capitals of the Bambara alphabet in dictionary order: Л (U+041B) is the capital
// of ɲ, ʃ (U+0283) stays small; q, v and x come where the Latin alphabet has them.
const QString alphabetOrder = QStringLiteral("ABCDE\u0190FGHIJKLMN\u041B\u014AO\u0186PQRS"
                                             "\u0283TUVWXYZ");

int orderOf(QChar c)
{
    const int index = alphabetOrder.indexOf(c);
    return index >= 0 ? index : alphabetOrder.size() + c.unicode();
}

} // namespace

QString headwordSourceName()
{
    return QStringLiteral("headwords.txt");
}

QString entrySourceName()
{
    return QStringLiteral("entries.txt");
}

QString lexiconSourceName()
{
    return QStringLiteral("lexicon.txt");
}

QString aboutSourceName()
{
    return QStringLiteral("about.txt");
}

QString reversalSourceName()
{
    return QStringLiteral("reversal.txt");
}

QString reversalFileName()
{
    return QStringLiteral("reversal.bna");
}

void SourceLines::append(const QString &line)
{
    m_bytes += line.toUtf8();
    m_bytes += '\n';
    ++m_count;
}

SourceLines &SourceLines::operator+=(const QStringList &lines)
{
    for (const QString &line : lines)
        append(line);
    return *this;
}

QStringList SourceLines::lines() const
{
    return splitLines(QString::fromUtf8(m_bytes));
}

OutputFiles sourceFiles(const DictionarySources &sources)
{
    OutputFiles files{{headwordSourceName(), sources.headwords.bytes()},
                      {entrySourceName(), sources.entries.bytes()},
                      {lexiconSourceName(), sources.lexicon.bytes()}};
    if (!sources.about.isEmpty())
        files.insert(aboutSourceName(), sources.about.bytes());
    if (!sources.reversal.isEmpty())
        files.insert(reversalSourceName(), sources.reversal.bytes());
    return files;
}

QString toneless(const QString &word)
{
    const QString decomposed = word.normalized(QString::NormalizationForm_D);
    QString bare;
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing && c != QLatin1Char('.'))
            bare.append(c);
    }
    return bare.normalized(QString::NormalizationForm_C);
}

bool comesBefore(const QString &a, const QString &b)
{
    const int n = std::min(a.size(), b.size());
    for (int i = 0; i < n; ++i) {
        const int left = orderOf(a.at(i));
        const int right = orderOf(b.at(i));
        if (left != right)
            return left < right;
    }
    return a.size() < b.size();
}
