#include "liftimport.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QXmlStreamReader>

#include <algorithm>
#include <utility>

namespace {

// A text in one language and the line it stands on.
struct Form
{
    QString language;
    SourceText text;
};

struct LiftRelation
{
    QString type;
    QString ref;
    int line = 0;
    QString variantType; // of a variant-type relation: "Plural", "Spelling Variant", ...
};

struct LiftExample
{
    QVector<Form> forms;
    QVector<Form> translations;
};

struct LiftSense
{
    QString number; // "2" for the second sense, "2.1" for its first subsense
    SourceText partOfSpeech;
    QVector<Form> glosses;
    QVector<Form> definitions;
    QVector<LiftExample> examples;
};

struct LiftEntry
{
    QString id;
    int order = 0;
    int line = 0;
    QVector<Form> lexicalUnit;
    QVector<Form> pronunciations;
    QVector<QVector<Form>> variants;
    QVector<LiftRelation> relations;
    QVector<Form> notes; // etymologies too, each with its label
    QVector<Form> citations;
    QVector<Form> reversals;   // of all its senses: keys of the French index
    QVector<LiftSense> senses; // subsenses right after their sense
    QStringList senseIds;      // relations may name a sense for its entry
};

class LiftReader
{
public:
    LiftReader(QIODevice *device, const QString &fileName, ImportResult *result)
        : m_xml(device), m_fileName(fileName), m_result(result)
    {
    }

    // Reads the whole stream; false on malformed XML, with the error given.
    bool read();
    // Reports each line that refers to an entity declared outside the file: the reader
    // never reads such an entity and leaves out its text without a trace.
    void reportExternalEntities();

    QVector<LiftEntry> entries;
    QSet<QString> deletedIds;
    QMap<QString, int> analysisLanguages; // language -> glosses and definitions in it
    QMap<QString, int> glossLanguages;    // language -> glosses in it
    QMap<QString, int> formLanguages;     // language -> lexical-unit forms in it
    QVector<SourceText> about;            // the header's description

private:
    int line() const { return int(m_xml.lineNumber()); }
    void warn(int line, const QString &message, const QString &kind = QString(), bool loss = false,
              const QString &hint = QString())
    {
        m_result->diagnostics.append(
            {m_fileName, line, Diagnostic::Warning, message, kind, hint, loss});
    }
    bool is(const char *name) const { return m_xml.name() == QLatin1String(name); }
    QString attribute(const char *name) const
    {
        return m_xml.attributes().value(QLatin1String(name)).toString();
    }
    void skipUnused(const QString &where);
    void readHeader();
    void readEntry();
    void readSense(LiftEntry *entry, const QString &number);
    void readExample(LiftSense *sense);
    QVector<Form> readForms(const QString &where);
    QVector<Form> readLabelled(const QString &where, const QString &label);
    Form readForm(const QString &language);
    QString readText();
    LiftRelation readRelation();

    QXmlStreamReader m_xml;
    const QString m_fileName;
    ImportResult *m_result;
    QSet<QString> m_reportedElements;
    QStringList m_externalEntities; // declared with a system or public identifier
};

bool LiftReader::read()
{
    // Up to the root element, noting the entities the document type declares outside.
    while (!m_xml.atEnd() && m_xml.readNext() != QXmlStreamReader::StartElement) {
        if (m_xml.tokenType() != QXmlStreamReader::DTD)
            continue;
        for (const QXmlStreamEntityDeclaration &entity : m_xml.entityDeclarations()) {
            if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty())
                m_externalEntities.append(entity.name().toString());
        }
    }
    if (m_xml.tokenType() == QXmlStreamReader::StartElement) {
        if (!is("lift"))
            m_xml.raiseError(QStringLiteral("the root element is <%1>, not <lift>")
                                 .arg(m_xml.name().toString()));
        while (m_xml.readNextStartElement()) {
            if (is("entry"))
                readEntry();
            else if (is("header"))
                readHeader();
            else
                skipUnused(QString());
        }
    }
    // What follows the root element must be well-formed too.
    while (!m_xml.atEnd())
        m_xml.readNext();
    if (m_xml.hasError()) {
        m_result->diagnostics.append({m_fileName, line(), Diagnostic::Error,
                                      QStringLiteral("%1 (column %2)")
                                          .arg(m_xml.errorString())
                                          .arg(m_xml.columnNumber() + 1)});
        return false;
    }
    return true;
}

void LiftReader::reportExternalEntities()
{
    QIODevice *device = m_xml.device();
    if (m_externalEntities.isEmpty() || !device || !device->seek(0))
        return;
    for (int line = 1; !device->atEnd(); ++line) {
        const QByteArray bytes = device->readLine();
        for (const QString &name : qAsConst(m_externalEntities)) {
            const QString reference = QLatin1Char('&') + name + QLatin1Char(';');
            if (!bytes.contains(reference.toUtf8()))
                continue;
            ++m_result->summary.unexpandedEntities;
            warn(line, QStringLiteral("entity %1 is declared outside the file, which is never "
                                      "read: the text it stands for is left out on this line")
                           .arg(reference));
        }
    }
}

// Leaves out the current element, counting it under its name and reporting the name once.
void LiftReader::skipUnused(const QString &where)
{
    const QString name = QLatin1Char('<') + m_xml.name().toString() + QLatin1Char('>');
    ++m_result->summary.ignoredFields[name];
    if (!m_reportedElements.contains(name)) {
        m_reportedElements.insert(name);
        warn(line(),
             QStringLiteral("%1 elements%2 are not imported: left out")
                 .arg(name, where.isEmpty() ? QString() : QStringLiteral(" in ") + where),
             name);
    }
    m_xml.skipCurrentElement();
}

// The header's description says what the file holds; its ranges and fields are not used.
void LiftReader::readHeader()
{
    while (m_xml.readNextStartElement()) {
        if (is("description")) {
            for (const Form &form : readForms(QStringLiteral("<description>")))
                about.append(form.text);
        } else {
            m_xml.skipCurrentElement();
        }
    }
}

void LiftReader::readEntry()
{
    LiftEntry entry;
    entry.id = attribute("id");
    entry.order = attribute("order").toInt();
    entry.line = line();
    if (!attribute("dateDeleted").isEmpty()) {
        deletedIds.insert(entry.id);
        ++m_result->summary.recordsRead;
        ++m_result->summary.skippedRecords[QStringLiteral("deleted")];
        m_xml.skipCurrentElement();
        return;
    }
    const QString where = QStringLiteral("<entry>");
    int senses = 0;
    while (m_xml.readNextStartElement()) {
        if (is("lexical-unit")) {
            entry.lexicalUnit += readForms(QStringLiteral("<lexical-unit>"));
        } else if (is("citation")) {
            entry.citations += readForms(QStringLiteral("<citation>"));
        } else if (is("etymology")) {
            // One note: "from SOURCE: etymon, gloss", whatever languages it is in.
            const QString source = attribute("source");
            const QVector<Form> forms = readLabelled(QStringLiteral("<etymology>"), QString());
            QStringList texts;
            for (const Form &form : forms)
                texts.append(form.text.text);
            if (!forms.isEmpty())
                entry.notes.append({QString(),
                                    {(source.isEmpty() ? QStringLiteral("etymology")
                                                       : QStringLiteral("from ") + source) +
                                         QStringLiteral(": ") + texts.join(QStringLiteral(", ")),
                                     forms.first().text.line}});
        } else if (is("pronunciation"))
            entry.pronunciations += readForms(QStringLiteral("<pronunciation>"));
        else if (is("variant"))
            entry.variants.append(readForms(QStringLiteral("<variant>")));
        else if (is("relation"))
            entry.relations.append(readRelation());
        else if (is("note"))
            entry.notes += readLabelled(QStringLiteral("<note>"), attribute("type"));
        else if (is("sense"))
            readSense(&entry, QString::number(++senses));
        else
            skipUnused(where);
    }
    for (const Form &form : qAsConst(entry.lexicalUnit))
        ++formLanguages[form.language];
    ++m_result->summary.recordsRead;
    entries.append(entry);
}

// Reads a sense and, after it, its subsenses, numbered under its number.
void LiftReader::readSense(LiftEntry *entry, const QString &number)
{
    LiftSense sense;
    sense.number = number;
    const int index = entry->senses.size();
    entry->senses.append(LiftSense()); // its place, before its subsenses
    int subsenses = 0;
    const QString id = attribute("id");
    if (!id.isEmpty())
        entry->senseIds.append(id);
    while (m_xml.readNextStartElement()) {
        if (is("grammatical-info")) {
            sense.partOfSpeech = {attribute("value"), line()};
            m_xml.skipCurrentElement();
        } else if (is("gloss")) {
            const Form gloss = readForm(attribute("lang"));
            ++analysisLanguages[gloss.language];
            ++glossLanguages[gloss.language];
            sense.glosses.append(gloss);
        } else if (is("definition")) {
            const QVector<Form> forms = readForms(QStringLiteral("<definition>"));
            for (const Form &form : forms)
                ++analysisLanguages[form.language];
            sense.definitions += forms;
        } else if (is("example")) {
            readExample(&sense);
        } else if (is("relation")) {
            entry->relations.append(readRelation());
        } else if (is("note")) {
            entry->notes += readLabelled(QStringLiteral("<note>"), attribute("type"));
        } else if (is("reversal")) {
            // Its language is its type when its forms name none.
            const QString type = attribute("type");
            for (Form form : readForms(QStringLiteral("<reversal>"))) {
                if (form.language.isEmpty())
                    form.language = type;
                entry->reversals.append(form);
            }
        } else if (is("subsense") || is("sense")) {
            readSense(entry, number + QLatin1Char('.') + QString::number(++subsenses));
        } else {
            skipUnused(QStringLiteral("<sense>"));
        }
    }
    entry->senses[index] = sense;
}

void LiftReader::readExample(LiftSense *sense)
{
    LiftExample example;
    while (m_xml.readNextStartElement()) {
        if (is("form"))
            example.forms.append(readForm(attribute("lang")));
        else if (is("translation"))
            example.translations += readForms(QStringLiteral("<translation>"));
        else
            skipUnused(QStringLiteral("<example>"));
    }
    sense->examples.append(example);
}

// The <form> children of the current element.
QVector<Form> LiftReader::readForms(const QString &where)
{
    QVector<Form> forms;
    while (m_xml.readNextStartElement()) {
        if (is("form"))
            forms.append(readForm(attribute("lang")));
        else
            skipUnused(where);
    }
    return forms;
}

// The forms of a note or an etymology, each beginning with the label ("grammar: ...").
QVector<Form> LiftReader::readLabelled(const QString &where, const QString &label)
{
    QVector<Form> forms;
    while (m_xml.readNextStartElement()) {
        if (is("form") || is("gloss"))
            forms.append(readForm(attribute("lang")));
        else
            skipUnused(where);
    }
    if (!label.isEmpty()) {
        for (Form &form : forms)
            form.text.text = label + QStringLiteral(": ") + form.text.text;
    }
    return forms;
}

// The text of a <form> or <gloss>: its <text> child, spans and all.
Form LiftReader::readForm(const QString &language)
{
    Form form{language, {QString(), line()}};
    while (m_xml.readNextStartElement()) {
        if (is("text")) {
            form.text.line = line();
            form.text.text += readText();
        } else {
            skipUnused(QStringLiteral("<form>"));
        }
    }
    return form;
}

// The text of the current element, its children's included. A reference to an entity that
// the file does not declare (its document type names an outside part, never read) is kept
// as its name, "&name;", so that the text shows that something stood there, and reported.
QString LiftReader::readText()
{
    QString text;
    int depth = 1;
    while (depth > 0 && !m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::Characters:
            text += m_xml.text();
            break;
        case QXmlStreamReader::EntityReference: {
            const QString name = QLatin1Char('&') + m_xml.name() + QLatin1Char(';');
            ++m_result->summary.unexpandedEntities;
            warn(line(), QStringLiteral("entity %1 is not declared in the file, and nothing "
                                        "else is read: kept as its name")
                             .arg(name));
            text += name;
            break;
        }
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return text;
}

LiftRelation LiftReader::readRelation()
{
    LiftRelation relation{attribute("type"), attribute("ref"), line(), QString()};
    while (m_xml.readNextStartElement()) {
        if (is("trait") && attribute("name") == QLatin1String("variant-type"))
            relation.variantType = attribute("value");
        m_xml.skipCurrentElement();
    }
    return relation;
}

// How a relation is written into an entry.
enum class RelationKind { Down, Up, Synonym, Antonym, Compare, VariantOf, Unused };

// Relation types as LIFT writers spell them: any case, singular or plural, blanks,
// hyphens or underscores between words ("Synonyms", "main-entry", "_component-lexeme").
RelationKind relationKind(const LiftRelation &relation)
{
    if (!relation.variantType.isEmpty())
        return RelationKind::VariantOf;
    QString folded = relation.type.toCaseFolded().simplified();
    folded.replace(QLatin1Char('_'), QLatin1Char(' ')).replace(QLatin1Char('-'), QLatin1Char(' '));
    folded = folded.trimmed();
    if (folded.endsWith(QLatin1Char('s')) && folded != QLatin1String("cross reference"))
        folded.chop(1);
    static const QHash<QString, RelationKind> kinds = {
        {QStringLiteral("synonym"), RelationKind::Synonym},
        {QStringLiteral("antonym"), RelationKind::Antonym},
        {QStringLiteral("compare"), RelationKind::Compare},
        {QStringLiteral("confer"), RelationKind::Compare},
        {QStringLiteral("cf"), RelationKind::Compare},
        {QStringLiteral("see also"), RelationKind::Compare},
        {QStringLiteral("main entry"), RelationKind::Up},
        {QStringLiteral("main"), RelationKind::Up},
        {QStringLiteral("component"), RelationKind::Up},
        {QStringLiteral("component lexeme"), RelationKind::Up},
        {QStringLiteral("derivative"), RelationKind::Down},
        {QStringLiteral("subentry"), RelationKind::Down},
        {QStringLiteral("variant"), RelationKind::VariantOf},
        {QStringLiteral("variant of"), RelationKind::VariantOf},
    };
    return kinds.value(folded, RelationKind::Unused);
}

class RecordMaker
{
public:
    RecordMaker(const LiftReader &reader, const LiftOptions &options, const QString &fileName,
                ImportResult *result)
        : m_reader(reader), m_options(options), m_fileName(fileName), m_result(result)
    {
        m_analysis = options.analysisLanguage.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (m_analysis.isEmpty()) {
            int most = 0;
            for (auto it = reader.analysisLanguages.constBegin();
                 it != reader.analysisLanguages.constEnd(); ++it) {
                if (*it > most && !it.key().isEmpty())
                    most = *it, m_analysis = QStringList{it.key()};
            }
        }
        for (auto it = reader.analysisLanguages.constBegin();
             it != reader.analysisLanguages.constEnd(); ++it) {
            if (!it.key().isEmpty())
                m_allLanguages.append(it.key());
        }
        for (const LiftEntry &entry : reader.entries) {
            const QString headword = vernacular(entry.lexicalUnit).text;
            m_headwords.insert(entry.id, headword);
            for (const QString &id : entry.senseIds)
                m_headwords.insert(id, headword);
        }
    }

    // Hands the record of each entry to the writer, dropping the entry read.
    void writeRecords(QVector<LiftEntry> *entries, EntryWriter *writer);

private:
    void warn(int line, const QString &message, const QString &kind = QString(), bool loss = false,
              const QString &hint = QString())
    {
        m_result->diagnostics.append(
            {m_fileName, line, Diagnostic::Warning, message, kind, hint, loss});
    }
    SourceText vernacular(const QVector<Form> &forms) const;
    QVector<SourceText> analysis(const QVector<Form> &forms, const QString &what);

    const LiftReader &m_reader;
    const LiftOptions &m_options;
    const QString m_fileName;
    ImportResult *m_result;
    QStringList m_analysis;              // the languages whose glosses are kept
    QStringList m_allLanguages;          // of the file's glosses, definitions and translations
    QHash<QString, QString> m_headwords; // entry or sense id -> headword as written
    QSet<QString> m_reported;
};

SourceText RecordMaker::vernacular(const QVector<Form> &forms) const
{
    for (const Form &form : forms) {
        if (m_options.vernacularLanguage.isEmpty() || form.language == m_options.vernacularLanguage)
            return form.text;
    }
    return {};
}

QVector<SourceText> RecordMaker::analysis(const QVector<Form> &forms, const QString &what)
{
    QVector<SourceText> texts;
    for (const Form &form : forms) {
        // A text without a language is kept whatever the analysis languages are.
        if (form.language.isEmpty() || m_analysis.contains(form.language)) {
            texts.append(form.text);
            continue;
        }
        const QString key = what + QStringLiteral(" (") + form.language + QLatin1Char(')');
        ++m_result->summary.ignoredFields[key];
        if (!m_reported.contains(key)) {
            m_reported.insert(key);
            // Left out by the choice of languages (the producer's, or the documented default):
            // reported with the option that keeps them, not counted as a loss.
            warn(form.text.line,
                 QStringLiteral("%1 in \"%2\" left out: the analysis language is \"%3\" (--lang)")
                     .arg(what, form.language, m_analysis.join(QLatin1Char(','))),
                 key, false,
                 QStringLiteral("the option --lang %1 keeps them")
                     .arg(m_allLanguages.join(QLatin1Char(','))));
        }
    }
    return texts;
}

void RecordMaker::writeRecords(QVector<LiftEntry> *entries, EntryWriter *writer)
{
    for (LiftEntry &read : *entries) {
        const LiftEntry entry = std::exchange(read, LiftEntry());
        ImportedRecord record;
        record.line = entry.line;
        record.headword = vernacular(entry.lexicalUnit);
        if (record.headword.line == 0)
            record.headword.line = entry.line;
        // The bracket shows the citation form, else the pronunciation.
        for (const QVector<Form> *forms : {&entry.citations, &entry.pronunciations}) {
            if (!record.form.text.isEmpty())
                break;
            record.form = vernacular(*forms);
            if (record.form.text.isEmpty() && !forms->isEmpty())
                record.form = forms->first().text;
        }
        record.homonym = entry.order;
        for (const LiftSense &liftSense : entry.senses) {
            ImportedSense sense;
            sense.number = {liftSense.number, liftSense.partOfSpeech.line};
            sense.partOfSpeech = liftSense.partOfSpeech;
            sense.glosses = analysis(liftSense.glosses, QStringLiteral("glosses"));
            sense.definitions = analysis(liftSense.definitions, QStringLiteral("definitions"));
            for (const LiftExample &liftExample : liftSense.examples) {
                ImportedExample example;
                example.text = vernacular(liftExample.forms);
                example.translations =
                    analysis(liftExample.translations, QStringLiteral("translations"));
                sense.examples.append(example);
            }
            record.senses.append(sense);
        }
        record.reversals = analysis(entry.reversals, QStringLiteral("reversals"));
        for (const QVector<Form> &variant : entry.variants) {
            const SourceText text = vernacular(variant);
            if (!text.text.isEmpty())
                record.variants.append(text);
        }
        for (const LiftRelation &relation : entry.relations) {
            const RelationKind kind = relationKind(relation);
            if (kind == RelationKind::Unused) {
                const QString key = QStringLiteral("relation ") + relation.type;
                ++m_result->summary.ignoredFields[key];
                if (!m_reported.contains(key)) {
                    m_reported.insert(key);
                    warn(relation.line,
                         QStringLiteral("relations of type \"%1\" are not imported: left out")
                             .arg(relation.type),
                         key, true);
                }
                continue;
            }
            const auto target = m_headwords.constFind(relation.ref);
            if (target == m_headwords.constEnd()) {
                if (!m_reader.deletedIds.contains(relation.ref))
                    warn(relation.line,
                         QStringLiteral("relation to \"%1\" left out: no entry or sense has "
                                        "that id")
                             .arg(relation.ref),
                         QStringLiteral("relation to an unknown id left out"), true);
                continue;
            }
            const SourceText word{*target, relation.line};
            switch (kind) {
            case RelationKind::Up:
                record.up.append(word);
                break;
            case RelationKind::Down:
                record.down.append(word);
                break;
            case RelationKind::Synonym:
                record.synonyms.append(word);
                break;
            case RelationKind::Antonym:
                record.antonyms.append(word);
                break;
            case RelationKind::Compare:
                record.compared.append(word);
                break;
            case RelationKind::VariantOf:
                if (record.mainEntry.text.isEmpty()) {
                    record.mainEntry = word;
                    record.mainEntryLabel =
                        (relation.variantType.isEmpty() ? QStringLiteral("variant")
                                                        : relation.variantType.toLower()) +
                        QStringLiteral(" of");
                } else {
                    record.up.append(word);
                }
                break;
            case RelationKind::Unused:
                break;
            }
        }
        record.notes = analysis(entry.notes, QStringLiteral("notes"));
        writer->add(record);
    }
    entries->clear();
}

} // namespace

ImportResult importLift(QIODevice *device, const QString &fileName, const ImportMap &map,
                        const LiftOptions &options)
{
    ImportResult result;
    LiftReader reader(device, fileName, &result);
    if (!reader.read())
        return result;
    reader.reportExternalEntities();
    if (reader.entries.isEmpty()) {
        result.diagnostics.append(
            {fileName, 0, Diagnostic::Error, QStringLiteral("no entry to import")});
        return result;
    }
    const QMap<QString, int> formLanguages = reader.formLanguages;
    const QMap<QString, int> glossLanguages = reader.glossLanguages;
    EntryWriter writer(map, fileName, &result.diagnostics, &result.summary);
    RecordMaker(reader, options, fileName, &result).writeRecords(&reader.entries, &writer);
    result.sources = writer.finish(reader.about);
    // Languages as a producer is to choose among them: "en (120), fr (3)".
    const auto named = [](const QMap<QString, int> &languages) {
        QStringList names;
        for (auto it = languages.constBegin(); it != languages.constEnd(); ++it)
            names.append(QStringLiteral("\"%1\" (%2)").arg(it.key()).arg(*it));
        return names.join(QStringLiteral(", "));
    };
    if (result.summary.entriesWritten == 0) {
        result.diagnostics.append(
            {fileName, 0, Diagnostic::Error,
             QStringLiteral("no entry written: no lexical unit has a form that can be a "
                            "headword%1; the lexical units' forms are in %2")
                 .arg(options.vernacularLanguage.isEmpty()
                          ? QString()
                          : QStringLiteral(" in \"%1\" (--vernacular)")
                                .arg(options.vernacularLanguage),
                      named(formLanguages))});
        return result;
    }
    if (result.summary.lexiconRows == 0 && !glossLanguages.isEmpty()) {
        result.diagnostics.append(
            {fileName, 0, Diagnostic::Error,
             QStringLiteral("no gloss written: none is in \"%1\" (--lang); the glosses are in %2")
                 .arg(options.analysisLanguage, named(glossLanguages))});
        return result;
    }
    result.usable = true;
    return result;
}
