#include "mdfimport.h"

#include "textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <functional>

namespace {

class MdfReader
{
public:
    MdfReader(const ImportMap &map, const QString &fileName, ImportResult *result,
              EntryWriter *writer)
        : m_map(map), m_fileName(fileName), m_result(result), m_writer(writer)
    {
    }

    // Reads the next line of the file (without its line end).
    void readLine(const QString &line);
    // Ends the last field and hands the last records to the writer.
    void finish();
    const QVector<SourceText> &about() const { return m_about; }
    bool anyRecord() const { return m_anyRecord; }

private:
    struct Field
    {
        QString marker;
        QString value;
        int line = 0;
    };

    void warn(int line, const QString &message, const QString &kind = QString(), bool loss = false,
              const QString &hint = QString())
    {
        m_result->diagnostics.append(
            {m_fileName, line, Diagnostic::Warning, message, kind, hint, loss});
    }
    void ignore(const Field &field, const QString &why);
    void take(const Field &field);
    void handOver();
    ImportedSense &senseFor(bool newSenseIfFilled);

    const ImportMap &m_map;
    const QString m_fileName;
    ImportResult *m_result;
    EntryWriter *m_writer;
    Field m_field;                     // the field being read
    int m_lineNumber = 0;              // of the last line read
    QVector<ImportedRecord> m_records; // the record being read, then its sub-entries
    QVector<SourceText> m_about;       // the fields before the first record
    bool m_anyRecord = false;
    QSet<QString> m_reportedMarkers;
};

bool hasContent(const ImportedSense &sense)
{
    return !sense.glosses.isEmpty() || !sense.definitions.isEmpty() || !sense.examples.isEmpty();
}

void MdfReader::readLine(const QString &line)
{
    ++m_lineNumber;
    if (!line.startsWith(QLatin1Char('\\'))) {
        // A wrapped field goes on; blank lines only separate records.
        if (line.trimmed().isEmpty())
            return;
        if (m_field.marker.isEmpty())
            warn(m_lineNumber, QStringLiteral("text outside any field ignored"), QString(), true);
        else
            m_field.value += QLatin1Char('\n') + line;
        return;
    }
    if (!m_field.marker.isEmpty())
        take(m_field);
    int end = 0;
    while (end < line.size() && !line.at(end).isSpace())
        ++end;
    m_field = {line.left(end), line.mid(end), m_lineNumber};
}

void MdfReader::finish()
{
    if (!m_field.marker.isEmpty())
        take(m_field);
    m_field = Field();
    handOver();
}

// The records read so far are complete: the writer takes them, and they are dropped.
void MdfReader::handOver()
{
    for (const ImportedRecord &record : qAsConst(m_records))
        m_writer->add(record);
    m_records.clear();
}

void MdfReader::ignore(const Field &field, const QString &why)
{
    ++m_result->summary.ignoredFields[field.marker];
    // Reported at its first place; the summary counts the others.
    if (!why.isEmpty() && !m_reportedMarkers.contains(field.marker)) {
        m_reportedMarkers.insert(field.marker);
        warn(field.line, why, field.marker, false,
             QStringLiteral("the map line \"%1 ignore\" leaves it out without a word, \"%1 "
                            "ROLE\" imports it (docs/import-map.md)")
                 .arg(field.marker));
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
    if (!m_anyRecord && role != FieldRole::Headword) {
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
        handOver();
        ++m_result->summary.recordsRead;
        m_records.append(ImportedRecord());
        m_records.last().headword = value;
        m_records.last().line = field.line;
        m_anyRecord = true;
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
            warn(field.line,
                 QStringLiteral("homonym number \"%1\" is not a positive number: ignored")
                     .arg(cleanText(field.value)),
                 QStringLiteral("homonym number that is not a positive number"));
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
            warn(field.line,
                 QStringLiteral("a second main entry \"%1\" ignored: an entry refers to one "
                                "entry only")
                     .arg(cleanText(field.value)),
                 QStringLiteral("second main entry ignored"), true);
        break;
    case FieldRole::SubEntry: {
        ImportedRecord sub;
        sub.headword = value;
        sub.line = field.line;
        sub.up.append(m_records.first().headword);
        m_records.append(sub);
        break;
    }
    case FieldRole::Note:
        record.notes.append(value);
        break;
    case FieldRole::Synonym:
        record.synonyms.append(value);
        break;
    case FieldRole::Antonym:
        record.antonyms.append(value);
        break;
    case FieldRole::Compare:
        record.compared.append(value);
        break;
    case FieldRole::Reversal:
        record.reversals.append(value);
        break;
    case FieldRole::Ignore:
        ignore(field, QString());
        break;
    }
}

// Cuts a file's bytes into pieces of whole lines, each decoded on its own, so that the
// text of a large file is never held at once.
class PieceReader
{
public:
    explicit PieceReader(TextEncoding encoding) : m_encoding(encoding) {}

    // Gives the lines of the bytes read so far that end with a line feed; with `last`, all.
    void take(const QByteArray &bytes, bool last, const std::function<void(const QString &)> &line)
    {
        m_pending += bytes;
        // Text in UTF-16 or UTF-32 (said by a byte-order mark) is decoded whole.
        const bool wide =
            m_first && (m_pending.startsWith("\xFF\xFE") || m_pending.startsWith("\xFE\xFF") ||
                        m_pending.startsWith(QByteArray("\0\0\xFE\xFF", 4)));
        if (m_first && m_pending.size() < 4 && !last)
            return;
        int cut = last ? m_pending.size() : (wide ? -1 : m_pending.lastIndexOf('\n') + 1);
        if (cut <= 0)
            return;
        // A line feed is never part of a UTF-8 sequence: no character is cut in two.
        QVector<TextFlaw> flaws;
        QString text = decodeText(m_pending.left(cut), &flaws, m_encoding);
        // A byte-order mark is one only at the start of the file.
        if (!m_first && m_encoding == TextEncoding::Unicode && m_pending.startsWith("\xEF\xBB\xBF"))
            text.prepend(QChar(0xFEFF));
        m_pending.remove(0, cut);
        m_first = false;
        for (TextFlaw flaw : qAsConst(flaws)) {
            // The first flaw of each kind, as the text reader reports them.
            const bool nul = flaw.description == QLatin1String("a NUL character");
            if (nul ? m_nulReported : m_invalidReported)
                continue;
            (nul ? m_nulReported : m_invalidReported) = true;
            flaw.line += m_lines;
            report.flaws.append(flaw);
        }
        int start = 0;
        while (start < text.size()) {
            int end = text.indexOf(QLatin1Char('\n'), start);
            if (end < 0)
                end = text.size();
            line(text.mid(start, end - start));
            ++m_lines;
            start = end + 1;
        }
    }

    TextReadReport report;

private:
    const TextEncoding m_encoding;
    QByteArray m_pending;
    bool m_first = true;
    int m_lines = 0;
    bool m_nulReported = false;
    bool m_invalidReported = false;
};

// Writes the entries of the records read (the writer's diagnostics and summary are the
// result's).
void complete(ImportResult *result, const MdfReader &reader, EntryWriter *writer,
              const QString &fileName, const ImportMap &map)
{
    if (!reader.anyRecord()) {
        result->diagnostics.append({fileName, 0, Diagnostic::Error,
                                    QStringLiteral("no record: no line begins with the record "
                                                   "marker %1")
                                        .arg(map.recordMarker())});
        return;
    }
    result->sources = writer->finish(reader.about());
    if (result->summary.entriesWritten == 0) {
        result->diagnostics.append({fileName, 0, Diagnostic::Error,
                                    QStringLiteral("no entry written: no record has a headword "
                                                   "that can be filed")});
        return;
    }
    result->usable = true;
}

} // namespace

ImportResult importMdf(const QString &text, const QString &fileName, const ImportMap &map)
{
    ImportResult result;
    EntryWriter writer(map, fileName, &result.diagnostics, &result.summary);
    MdfReader reader(map, fileName, &result, &writer);
    for (const QString &line : splitLines(text))
        reader.readLine(line);
    reader.finish();
    complete(&result, reader, &writer, fileName, map);
    return result;
}

ImportResult importMdfFile(const QString &path, const ImportMap &map, TextEncoding encoding,
                           TextReadReport *report, int pieceSize)
{
    ImportResult result;
    *report = {};
    QFile file(path);
    // Only a regular file, so that a FIFO or a device never blocks the import.
    const QFileInfo info(path);
    if (!info.exists())
        report->failure = QStringLiteral("no such file");
    else if (!info.isFile())
        report->failure = QStringLiteral("not a regular file");
    else if (!file.open(QIODevice::ReadOnly))
        report->failure = file.errorString();
    if (!report->failure.isEmpty())
        return result;
    EntryWriter writer(map, path, &result.diagnostics, &result.summary);
    MdfReader reader(map, path, &result, &writer);
    PieceReader pieces(encoding);
    const auto readLine = [&](const QString &line) {
        // Nothing is imported from a file that is not clean text.
        if (pieces.report.flaws.isEmpty())
            reader.readLine(line);
    };
    while (true) {
        const QByteArray bytes = file.read(pieceSize);
        if (bytes.isEmpty() && file.error() != QFileDevice::NoError) {
            report->failure = file.errorString();
            return result;
        }
        const bool last = bytes.isEmpty();
        pieces.take(bytes, last, readLine);
        if (last)
            break;
    }
    *report = pieces.report;
    if (!report->flaws.isEmpty())
        return result;
    reader.finish();
    complete(&result, reader, &writer, path, map);
    return result;
}
