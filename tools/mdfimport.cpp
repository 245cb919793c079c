#include "mdfimport.h"

#include "textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

class MdfReader
{
public:
    MdfReader(const ImportMap &map, const QString &fileName, ImportResult *result)
        : m_map(map), m_fileName(fileName), m_result(result)
    {
    }

    QVector<ImportedRecord> read(const QString &text);
    const QVector<SourceText> &about() const { return m_about; }

private:
    struct Field
    {
        QString marker;
        QString value;
        int line = 0;
    };

    void warn(int line, const QString &message)
    {
        m_result->diagnostics.append({m_fileName, line, Diagnostic::Warning, message});
    }
    void ignore(const Field &field, const QString &why);
    void take(const Field &field);
    ImportedSense &senseFor(bool newSenseIfFilled);

    const ImportMap &m_map;
    const QString m_fileName;
    ImportResult *m_result;
    QVector<ImportedRecord> m_records;
    QVector<SourceText> m_about; // the fields before the first record
    int m_mainRecord = -1;       // the record of the record marker the fields are under
    QSet<QString> m_reportedMarkers;
};

bool hasContent(const ImportedSense &sense)
{
    return !sense.glosses.isEmpty() || !sense.definitions.isEmpty() || !sense.examples.isEmpty();
}

QVector<ImportedRecord> MdfReader::read(const QString &text)
{
    const QStringList lines = splitLines(text);
    Field field;
    for (int i = 0; i <= lines.size(); ++i) {
        const QString line = i < lines.size() ? lines.at(i) : QString();
        const bool ends = i == lines.size() || line.startsWith(QLatin1Char('\\'));
        if (!ends) {
            // A wrapped field goes on; blank lines only separate records.
            if (line.trimmed().isEmpty())
                continue;
            if (field.marker.isEmpty())
                warn(i + 1, QStringLiteral("text outside any field ignored"));
            else
                field.value += QLatin1Char('\n') + line;
            continue;
        }
        if (!field.marker.isEmpty())
            take(field);
        if (i == lines.size())
            break;
        int end = 0;
        while (end < line.size() && !line.at(end).isSpace())
            ++end;
        field = {line.left(end), line.mid(end), i + 1};
    }
    return m_records;
}

void MdfReader::ignore(const Field &field, const QString &why)
{
    ++m_result->summary.ignoredFields[field.marker];
    if (!why.isEmpty() && !m_reportedMarkers.contains(field.marker)) {
        m_reportedMarkers.insert(field.marker);
        warn(field.line, why);
    }
}

ImportedSense &MdfReader::senseFor(bool newSenseIfFilled)
{
    QVector<ImportedSense> &senses = m_records.last().senses;
    if (senses.isEmpty()) {
        senses.append(ImportedSense());
    } else if (newSenseIfFilled && hasContent(senses.last())) {
        ImportedSense next;
        next.partOfSpeech = senses.last().partOfSpeech;
        senses.append(next);
    }
    return senses.last();
}

void MdfReader::take(const Field &field)
{
    const std::optional<FieldRole> role = m_map.role(field.marker);
    // What the file says about itself before its first record (its name, version,
    // authors, ...) is its about text; the header line "\_sh" only names the format.
    if (m_mainRecord < 0 && role != FieldRole::Headword) {
        if (field.marker != QLatin1String("\\_sh") && !cleanText(field.value).isEmpty())
            m_about.append({field.value, field.line});
        return;
    }
    if (field.marker.startsWith(QLatin1String("\\_")))
        return; // header lines

    if (!role) {
        ignore(field, QStringLiteral("marker %1 is not in the map: its fields are ignored")
                          .arg(field.marker));
        return;
    }
    const SourceText value{field.value, field.line};
    if (*role == FieldRole::Headword) {
        ++m_result->summary.recordsRead;
        m_records.append(ImportedRecord());
        m_records.last().headword = value;
        m_records.last().line = field.line;
        m_mainRecord = m_records.size() - 1;
        return;
    }
    ImportedRecord &record = m_records.last();
    switch (*role) {
    case FieldRole::Headword:
        break;
    case FieldRole::HomonymNumber: {
        bool ok = false;
        const int number = cleanText(field.value).toInt(&ok);
        if (ok && number > 0)
            record.homonym = number;
        else
            warn(field.line, QStringLiteral("homonym number \"%1\" is not a positive number: "
                                            "ignored")
                                 .arg(cleanText(field.value)));
        break;
    }
    case FieldRole::Form:
        record.form = value;
        break;
    case FieldRole::PartOfSpeech:
        senseFor(true).partOfSpeech = value;
        break;
    case FieldRole::SenseNumber:
        senseFor(true).number = value;
        break;
    case FieldRole::Gloss:
        senseFor(false).glosses.append(value);
        break;
    case FieldRole::Definition:
        senseFor(false).definitions.append(value);
        break;
    case FieldRole::Example:
        senseFor(false).examples.append({value, {}});
        break;
    case FieldRole::ExampleTranslation: {
        ImportedSense &sense = senseFor(false);
        if (sense.examples.isEmpty())
            sense.examples.append(ImportedExample());
        sense.examples.last().translations.append(value);
        break;
    }
    case FieldRole::RelatedUp:
        record.up.append(value);
        break;
    case FieldRole::RelatedDown:
        record.down.append(value);
        break;
    case FieldRole::Variant:
        record.variants.append(value);
        break;
    case FieldRole::MainEntry:
        if (record.mainEntry.text.trimmed().isEmpty())
            record.mainEntry = value;
        else
            warn(field.line, QStringLiteral("a second main entry \"%1\" ignored: an entry refers "
                                            "to one entry only")
                                 .arg(cleanText(field.value)));
        break;
    case FieldRole::SubEntry: {
        ImportedRecord sub;
        sub.headword = value;
        sub.line = field.line;
        sub.up.append(m_records.at(m_mainRecord).headword);
        m_records.append(sub);
        break;
    }
    case FieldRole::Note:
        record.notes.append(value);
        break;
    case FieldRole::Ignore:
        ignore(field, QString());
        break;
    }
}

} // namespace

ImportResult importMdf(const QString &text, const QString &fileName, const ImportMap &map)
{
    ImportResult result;
    MdfReader reader(map, fileName, &result);
    const QVector<ImportedRecord> records = reader.read(text);
    if (records.isEmpty()) {
        result.diagnostics.append({fileName, 0, Diagnostic::Error,
                                   QStringLiteral("no record: no line begins with the record "
                                                  "marker %1")
                                       .arg(map.recordMarker())});
        return result;
    }
    result.sources =
        writeEntries(records, reader.about(), map, fileName, &result.diagnostics, &result.summary);
    result.usable = true;
    return result;
}
