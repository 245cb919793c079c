#include "entrywriter.h"

#include "entrywriterparts.h"

#include <algorithm>

using entrywriting::Writer;

QString cleanText(const QString &text)
{
    return text.normalized(QString::NormalizationForm_C).simplified();
}

EntryWriter::EntryWriter(const ImportMap &map, const QString &fileName,
                         QVector<Diagnostic> *warnings, ImportSummary *summary)
    : m_writer(std::make_unique<Writer>(map, fileName, warnings, summary)), m_warnings(warnings)
{
}

EntryWriter::~EntryWriter() = default;

void EntryWriter::add(const ImportedRecord &record)
{
    m_writer->addRecord(record);
}

DictionarySources EntryWriter::finish(const QVector<SourceText> &about)
{
    const DictionarySources sources = m_writer->write(about);
    m_writer.reset();
    // In the order of the imported file, as a producer goes through them.
    std::stable_sort(m_warnings->begin(), m_warnings->end(),
                     [](const Diagnostic &a, const Diagnostic &b) { return a.line < b.line; });
    return sources;
}

QString ImportSummary::text(const QString &fileName) const
{
    QString text = QStringLiteral("%1: %2 records read, %3 entries written under %4 headwords, "
                                  "%5 lexicon rows")
                       .arg(fileName)
                       .arg(recordsRead)
                       .arg(entriesWritten)
                       .arg(headwords)
                       .arg(lexiconRows);
    const auto counts = [](const QMap<QString, int> &map) {
        QStringList parts;
        for (auto it = map.constBegin(); it != map.constEnd(); ++it)
            parts.append(QStringLiteral("%1 %2").arg(it.key()).arg(*it));
        return parts.join(QStringLiteral(", "));
    };
    if (!ignoredFields.isEmpty())
        text += QStringLiteral("; fields ignored: ") + counts(ignoredFields);
    if (!skippedRecords.isEmpty())
        text += QStringLiteral("; records skipped: ") + counts(skippedRecords);
    if (fieldsWithLookAlikes > 0)
        text += QStringLiteral("; texts with mark-up characters written as look-alikes: %1")
                    .arg(fieldsWithLookAlikes);
    if (unexpandedEntities > 0)
        text += QStringLiteral("; entities not expanded: %1").arg(unexpandedEntities);
    return text;
}
