#include "dictionarysources.h"

#include "textfile.h"

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
