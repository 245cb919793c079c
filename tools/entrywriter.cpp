#include "entrywriter.h"

#include "datafilenames.h"
#include "entrylookup.h"
#include "importedtext.h"
#include "linecodec.h"
#include "searchform.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <climits>

namespace {

const QString upArrow = QStringLiteral("\u2191");   // ↑
const QString downArrow = QStringLiteral("\u2193"); // ↓
const QString diamond = QStringLiteral("\u2666");   // ♦
const QString reference = QStringLiteral("=>");
const QString doubleArrow = QStringLiteral("\u21D2"); // ⇒, in place of "=>" in a text
const QChar ellipsis(0x2026);                         // …

struct Line
{
    QString text;
    int origin = 0; // line of the imported file
};

// An entry on its way to the sources.
struct Entry
{
    QString headword;    // search form
    QString writtenWord; // the headword as written, cleaned
    int homonym = 0;
    int origin = 0;
    bool isVariant = false; // made from a variant: "VARIANT [..] => HEADWORD"
    QString target;         // search form after "=>", empty when none
    int targetOrigin = 0;
    QString head; // the head line without " => TARGET"
    QVector<Line> examples;
    QVector<Line> senseLines; // of numbered senses: their definitions and examples
    QStringList up;           // search forms
    QStringList down;         // search forms
    int upOrigin = 0;
    int downOrigin = 0;
    QVector<Line> definitions;
    QVector<Line> notes;
    QVector<SourceText> glosses; // cleaned, for the lexicon
};

class Writer
{
public:
    Writer(const ImportMap &map, const QString &fileName, QVector<Diagnostic> *warnings,
           ImportSummary *summary)
        : m_map(map), m_fileName(fileName), m_warnings(warnings), m_summary(summary)
    {
    }

    DictionarySources write(const QVector<ImportedRecord> &records,
                            const QVector<SourceText> &about);

private:
    void warn(int line, const QString &message)
    {
        m_warnings->append({m_fileName, line, Diagnostic::Warning, message});
    }
    void skip(int line, const QString &reason, const QString &detail)
    {
        ++m_summary->skippedRecords[reason];
        warn(line, QStringLiteral("record skipped: ") + detail);
    }

    QString clean(const SourceText &source);
    QString shown(const QString &text);
    QStringList senseNumbers(const ImportedRecord &record);
    QString exampleLine(const ImportedExample &example);
    QString headwordOf(const SourceText &word, QString *problem);
    void addRecord(const ImportedRecord &record);
    void addVariants(const ImportedRecord &record, const Entry &main);
    QString headText(const ImportedRecord &record, const QStringList &numbers,
                     const QString &written, Entry *entry);
    QString withoutReferenceArrow(const QString &text, int line, const QString &what);
    QStringList relatedWords(const QVector<SourceText> &words, int *origin);
    void linkDown();
    QStringList orderedHeadwords();
    void resolveReferences(const QStringList &headwords);
    QVector<Line> entryLines(const Entry &entry);
    QString storable(const QString &text, int phase, int origin);

    const ImportMap &m_map;
    const QString m_fileName;
    QVector<Diagnostic> *m_warnings;
    ImportSummary *m_summary;
    QVector<Entry> m_entries;
    QHash<QString, QVector<int>> m_groups; // headword -> its entries, in final order
    QSet<int> m_unknownPartOfSpeechLines;
};

QString describe(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Letters, digits, blanks, apostrophes and hyphens: what a headword may hold.
bool fitsInHeadword(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('\'') ||
           c == QLatin1Char('-') || c.unicode() == 0x2019; // ’
}

bool endsSentence(const QString &text)
{
    return text.endsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char('!')) ||
           text.endsWith(QLatin1Char('?'));
}

QString Writer::clean(const SourceText &source)
{
    QString text = cleanText(source.text);
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).category() != QChar::Other_Control)
            continue;
        warn(source.line,
             QStringLiteral("control character %1 left out").arg(codePointName(text.at(i))));
        text.remove(i, 1);
        --i;
    }
    return text.simplified();
}

// A text as the entry view is to show it: mark-up characters as look-alikes.
QString Writer::shown(const QString &text)
{
    const QString written = withoutMarkup(text);
    if (written != text)
        ++m_summary->fieldsWithLookAlikes;
    return written;
}

// Whether a field's text holds anything that its cleaning keeps.
bool holdsText(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return !c.isSpace() && c.category() != QChar::Other_Control;
    });
}

bool hasContent(const ImportedSense &sense)
{
    const auto anyText = [](const QVector<SourceText> &texts) {
        return std::any_of(texts.begin(), texts.end(),
                           [](const SourceText &t) { return holdsText(t.text); });
    };
    return anyText(sense.glosses) || anyText(sense.definitions) ||
           std::any_of(sense.examples.begin(), sense.examples.end(), [&](const ImportedExample &e) {
               return holdsText(e.text.text) || anyText(e.translations);
           });
}

// The number each sense shows, empty for all when the record has at most one sense with
// content: the producer's number, else its place among the senses with content. A sense
// without content gets none.
QStringList Writer::senseNumbers(const ImportedRecord &record)
{
    QStringList numbers;
    int withContent = 0;
    for (const ImportedSense &sense : record.senses) {
        if (!hasContent(sense)) {
            numbers.append(QString());
            continue;
        }
        ++withContent;
        const QString given = clean(sense.number);
        numbers.append(given.isEmpty() ? QString::number(withContent) : shown(given));
    }
    if (withContent < 2)
        std::fill(numbers.begin(), numbers.end(), QString());
    return numbers;
}

// "♦ example. translation; translation", or the translations alone; empty when neither.
QString Writer::exampleLine(const ImportedExample &example)
{
    QString text = clean(example.text);
    if (!text.isEmpty() && !endsSentence(text))
        text += QLatin1Char('.');
    QStringList translations;
    for (const SourceText &translation : example.translations) {
        const QString t = clean(translation);
        if (!t.isEmpty())
            translations.append(shown(t));
    }
    QString line = translations.join(QStringLiteral("; "));
    if (!text.isEmpty())
        line = diamond + QLatin1Char(' ') + shown(text) +
               (line.isEmpty() ? QString() : QLatin1Char(' ') + line);
    return line;
}

// The search form of a word, or empty with the reason it cannot be a headword.
QString Writer::headwordOf(const SourceText &word, QString *problem)
{
    const QString form = searchForm(toneless(clean(word)));
    if (form.isEmpty()) {
        *problem = QStringLiteral("no headword");
        return QString();
    }
    if (!dictionaryAlphabet().contains(letterKey(form))) {
        *problem = QStringLiteral("headword outside the alphabet");
        return QString();
    }
    for (const QChar c : form) {
        if (!fitsInHeadword(c)) {
            *problem = QStringLiteral("headword holding a character other than a letter, digit, "
                                      "blank, apostrophe or hyphen");
            return QString();
        }
    }
    // A headword's characters stand at the same places in the headword list and on its
    // head line, which may be any line of a letter file: it must be storable at each.
    for (int phase = 1; phase <= 5; ++phase) {
        if (unstorablePosition(form, phase).position >= 0) {
            *problem = QStringLiteral("headword holding a character that cannot be stored");
            return QString();
        }
    }
    return form;
}

QString Writer::withoutReferenceArrow(const QString &text, int line, const QString &what)
{
    if (!text.contains(reference))
        return text;
    warn(line, QStringLiteral("\"=>\" in %1 would make the entry a cross-reference: written as "
                              "\"\u21D2\"")
                   .arg(what));
    return QString(text).replace(reference, doubleArrow);
}

QString Writer::headText(const ImportedRecord &record, const QStringList &numbers,
                         const QString &written, Entry *entry)
{
    QString form = shown(record.form.text.isEmpty() ? written : clean(record.form));
    form = withoutReferenceArrow(form, record.headword.line, QStringLiteral("the form"));
    QString head = entry->headword + QStringLiteral(" [") + form + QLatin1Char(']');

    QStringList pieces;
    QString lastTag;
    bool hasGloss = false;
    for (int s = 0; s < record.senses.size(); ++s) {
        const ImportedSense &sense = record.senses.at(s);
        QString tag;
        const QString partOfSpeech = clean(sense.partOfSpeech);
        if (!partOfSpeech.isEmpty()) {
            tag = m_map.tag(partOfSpeech);
            if (tag.isEmpty() && !m_unknownPartOfSpeechLines.contains(sense.partOfSpeech.line)) {
                m_unknownPartOfSpeechLines.insert(sense.partOfSpeech.line);
                warn(sense.partOfSpeech.line,
                     QStringLiteral("part of speech %1 is not in the table: no tag written for it")
                         .arg(describe(partOfSpeech)));
            }
        }
        QStringList glosses;
        for (const SourceText &gloss : sense.glosses) {
            const QString text = clean(gloss);
            if (text.isEmpty())
                continue;
            glosses.append(
                withoutReferenceArrow(shown(text), gloss.line, QStringLiteral("a gloss")));
            entry->glosses.append({text, gloss.line});
        }
        if (glosses.isEmpty() && (tag.isEmpty() || tag == lastTag))
            continue;
        QString piece = glosses.join(QStringLiteral("; "));
        if (!tag.isEmpty() && tag != lastTag) {
            piece = piece.isEmpty() ? tag : tag + QLatin1Char(' ') + piece;
            lastTag = tag;
        }
        if (!numbers.at(s).isEmpty() && !glosses.isEmpty())
            piece = numbers.at(s) + QLatin1Char(' ') + piece;
        hasGloss = hasGloss || !glosses.isEmpty();
        pieces.append(piece);
    }
    if (!pieces.isEmpty()) {
        head += QLatin1Char(' ') + pieces.join(QStringLiteral("; "));
        if (hasGloss && !endsSentence(head))
            head += QLatin1Char('.');
    }
    return head;
}

QStringList Writer::relatedWords(const QVector<SourceText> &words, int *origin)
{
    QStringList forms;
    for (const SourceText &word : words) {
        const QString form = searchForm(toneless(clean(word)));
        if (form.isEmpty())
            continue;
        if (forms.isEmpty())
            *origin = word.line;
        if (!forms.contains(form))
            forms.append(form);
    }
    return forms;
}

void Writer::addRecord(const ImportedRecord &record)
{
    QString problem;
    Entry entry;
    entry.headword = headwordOf(record.headword, &problem);
    if (entry.headword.isEmpty()) {
        skip(record.line, problem,
             problem + QLatin1String(": ") + describe(clean(record.headword)));
        return;
    }
    entry.writtenWord = clean(record.headword);
    entry.homonym = record.homonym;
    entry.origin = record.headword.line ? record.headword.line : record.line;
    const QStringList numbers = senseNumbers(record);
    entry.head = headText(record, numbers, entry.writtenWord, &entry);
    if (!record.mainEntry.text.isEmpty()) {
        QString targetProblem;
        const QString target = headwordOf(record.mainEntry, &targetProblem);
        if (target.isEmpty())
            warn(record.mainEntry.line, QStringLiteral("main entry %1 left out: %2")
                                            .arg(describe(clean(record.mainEntry)), targetProblem));
        else if (target == entry.headword)
            warn(record.mainEntry.line,
                 QStringLiteral("main entry %1 left out: it is the record's own headword")
                     .arg(describe(clean(record.mainEntry))));
        else
            entry.target = target, entry.targetOrigin = record.mainEntry.line;
    }
    for (int s = 0; s < record.senses.size(); ++s) {
        const ImportedSense &sense = record.senses.at(s);
        // A numbered sense keeps its definitions and examples together, under its number.
        const QString number = numbers.at(s);
        const QString mark = number.isEmpty() ? QString() : number + QLatin1Char(' ');
        QVector<Line> &examples = number.isEmpty() ? entry.examples : entry.senseLines;
        QVector<Line> &definitions = number.isEmpty() ? entry.definitions : entry.senseLines;
        for (const SourceText &definition : sense.definitions) {
            const QString text = clean(definition);
            if (!text.isEmpty())
                definitions.append({mark + shown(text), definition.line});
        }
        for (const ImportedExample &example : sense.examples) {
            const QString line = exampleLine(example);
            if (!line.isEmpty())
                examples.append({mark + line, example.text.line
                                                  ? example.text.line
                                                  : example.translations.value(0).line});
        }
    }
    for (const SourceText &note : record.notes) {
        const QString text = clean(note);
        if (!text.isEmpty())
            entry.notes.append({shown(text), note.line});
    }
    entry.up = relatedWords(record.up, &entry.upOrigin);
    entry.down = relatedWords(record.down, &entry.downOrigin);
    m_entries.append(entry);
    addVariants(record, entry);
}

void Writer::addVariants(const ImportedRecord &record, const Entry &main)
{
    for (const SourceText &variant : record.variants) {
        QString problem;
        Entry entry;
        entry.headword = headwordOf(variant, &problem);
        const QString written = clean(variant);
        if (entry.headword.isEmpty()) {
            warn(variant.line,
                 QStringLiteral("variant %1 left out: %2").arg(describe(written), problem));
            continue;
        }
        if (entry.headword == main.headword) {
            warn(variant.line, QStringLiteral("variant %1 left out: its headword is the record's "
                                              "own, %2")
                                   .arg(describe(written), main.headword));
            continue;
        }
        entry.isVariant = true;
        entry.origin = variant.line;
        entry.target = main.headword;
        entry.targetOrigin = variant.line;
        entry.head = entry.headword + QStringLiteral(" [") + shown(written) + QLatin1Char(']');
        m_entries.append(entry);
    }
}

// A word named with ↑ lists, on its first entry, the entries that name it.
void Writer::linkDown()
{
    for (int i = 0; i < m_entries.size(); ++i) {
        for (const QString &word : qAsConst(m_entries.at(i).up)) {
            const auto group = m_groups.constFind(word);
            if (group == m_groups.constEnd() || m_entries.at(group->first()).isVariant)
                continue;
            Entry &base = m_entries[group->first()];
            if (base.down.contains(m_entries.at(i).headword))
                continue;
            if (base.down.isEmpty())
                base.downOrigin = m_entries.at(i).upOrigin;
            base.down.append(m_entries.at(i).headword);
        }
    }
}

QStringList Writer::orderedHeadwords()
{
    for (int i = 0; i < m_entries.size(); ++i)
        m_groups[m_entries.at(i).headword].append(i);
    QStringList headwords = m_groups.keys();
    std::sort(headwords.begin(), headwords.end(), comesBefore);
    for (const QString &headword : qAsConst(headwords)) {
        QVector<int> &group = m_groups[headword];
        // Entries first, numbered homographs in number order; variants' references last.
        std::stable_sort(group.begin(), group.end(), [this](int a, int b) {
            const Entry &x = m_entries.at(a);
            const Entry &y = m_entries.at(b);
            if (x.isVariant != y.isVariant)
                return y.isVariant;
            const int hx = x.homonym > 0 ? x.homonym : INT_MAX;
            const int hy = y.homonym > 0 ? y.homonym : INT_MAX;
            return hx < hy;
        });
        // Only the first entry's reference is followed; one beside it would be hidden.
        if (m_entries.at(group.first()).isVariant) {
            for (int k = group.size() - 1; k > 0; --k) {
                const Entry &hidden = m_entries.at(group.at(k));
                warn(hidden.origin,
                     QStringLiteral("variant %1 of %2 left out: %1 already refers to %3")
                         .arg(hidden.headword, hidden.target, m_entries.at(group.first()).target));
                group.remove(k);
            }
        }
    }
    return headwords;
}

// Every followed reference leads to an entry, and none runs in a circle.
void Writer::resolveReferences(const QStringList &headwords)
{
    QSet<QString> dropped;
    for (const QString &start : headwords) {
        QSet<QString> passed;
        QString word = start;
        while (!dropped.contains(word)) {
            Entry &entry = m_entries[m_groups.value(word).first()];
            if (entry.target.isEmpty())
                break;
            passed.insert(word);
            const bool missing = !m_groups.contains(entry.target) || dropped.contains(entry.target);
            if (!missing && !passed.contains(entry.target)) {
                word = entry.target;
                continue;
            }
            const QString why = missing ? QStringLiteral("%1 has no entry")
                                        : QStringLiteral("the references from %1 come back to it");
            if (entry.isVariant) {
                warn(entry.origin, QStringLiteral("variant %1 left out: ").arg(entry.headword) +
                                       why.arg(entry.target));
                dropped.insert(word); // a variant's headword has no other entry
            } else {
                warn(entry.targetOrigin,
                     QStringLiteral("reference to %1 left out: ").arg(entry.target) +
                         why.arg(entry.target));
                entry.target.clear();
            }
            break;
        }
    }
    for (const QString &word : qAsConst(dropped))
        m_groups.remove(word);
}

QVector<Line> Writer::entryLines(const Entry &entry)
{
    QVector<Line> lines;
    QString head = entry.head;
    if (!entry.target.isEmpty())
        head += QStringLiteral(" => ") + entry.target;
    lines.append({head, entry.origin});
    // No text holds "[" any more (it is written as a look-alike), so none opens an entry.
    lines += entry.senseLines;
    lines += entry.examples;
    const auto related = [&](const QString &arrow, const QStringList &words, int origin) {
        if (words.isEmpty())
            return;
        lines.append({arrow + words.join(QLatin1Char(' ') + arrow), origin});
    };
    related(upArrow, entry.up, entry.upOrigin);
    related(downArrow, entry.down, entry.downOrigin);
    lines += entry.definitions;
    lines += entry.notes;
    if (!entry.target.isEmpty() && lines.size() > 1)
        warn(entry.origin, QStringLiteral("%1 is written as a cross-reference to %2: its other "
                                          "%3 line(s) are kept but not shown")
                               .arg(entry.headword, entry.target)
                               .arg(lines.size() - 1));
    return lines;
}

// The text with every character that cannot be stored as line `phase` rewritten (an
// ellipsis as three dots) or left out.
QString Writer::storable(const QString &text, int phase, int origin)
{
    QString line = text;
    while (true) {
        const UnstorableCharacter bad = unstorablePosition(line, phase);
        if (bad.position < 0)
            return line;
        int at = bad.position;
        int length = 1;
        if (line.at(at).isLowSurrogate() && at > 0 && line.at(at - 1).isHighSurrogate())
            --at, length = 2;
        else if (line.at(at).isHighSurrogate() && at + 1 < line.size() &&
                 line.at(at + 1).isLowSurrogate())
            length = 2;
        const QString replacement = line.at(at) == ellipsis ? QStringLiteral("...") : QString();
        warn(origin,
             QStringLiteral("character %1 at column %2 of the line written for it cannot be "
                            "stored: it %3; %4")
                 .arg(codePointName(line.at(at)))
                 .arg(at + 1)
                 .arg(unstorableReasonText(bad.reason),
                      replacement.isEmpty() ? QStringLiteral("left out")
                                            : QStringLiteral("written as \"...\"")));
        line.replace(at, length, replacement);
    }
}

DictionarySources Writer::write(const QVector<ImportedRecord> &records,
                                const QVector<SourceText> &about)
{
    for (const ImportedRecord &record : records)
        addRecord(record);
    const QStringList ordered = orderedHeadwords();
    linkDown();
    resolveReferences(ordered);

    DictionarySources sources;
    QHash<QString, int> letterLines; // letter key -> lines filed under it so far
    QSet<QString> rows;
    for (const QString &headword : ordered) {
        if (!m_groups.contains(headword))
            continue;
        sources.headwords.append(headword);
        int &filed = letterLines[letterKey(headword)];
        for (const int index : m_groups.value(headword)) {
            const Entry &entry = m_entries.at(index);
            for (const Line &line : entryLines(entry))
                sources.entries.append(storable(line.text, ++filed, line.origin));
            ++m_summary->entriesWritten;
            if (entry.isVariant)
                continue;
            const QString word = toneless(entry.writtenWord).toUpper();
            for (const SourceText &gloss : entry.glosses) {
                QString text = gloss.text;
                if (text.contains(QLatin1Char('|'))) {
                    warn(gloss.line, QStringLiteral("\"|\" in the gloss %1 written as \"/\" in "
                                                    "the lexicon")
                                         .arg(describe(text)));
                    text.replace(QLatin1Char('|'), QLatin1Char('/'));
                }
                const QString row = word + QLatin1Char('|') + text;
                if (rows.contains(row))
                    continue;
                rows.insert(row);
                sources.lexicon.append(storable(row, sources.lexicon.size() + 1, gloss.line));
            }
        }
    }
    for (const SourceText &line : about) {
        const QString text = clean(line);
        if (!text.isEmpty())
            sources.about.append(storable(text, sources.about.size() + 1, line.line));
    }
    if (sources.about.isEmpty())
        sources.about.append(storable(
            QStringLiteral("Imported from %1.").arg(QFileInfo(m_fileName).fileName()), 1, 0));
    m_summary->headwords = sources.headwords.size();
    m_summary->lexiconRows = sources.lexicon.size();
    return sources;
}

} // namespace

QString cleanText(const QString &text)
{
    return text.normalized(QString::NormalizationForm_C).simplified();
}

DictionarySources writeEntries(const QVector<ImportedRecord> &records,
                               const QVector<SourceText> &about, const ImportMap &map,
                               const QString &fileName, QVector<Diagnostic> *warnings,
                               ImportSummary *summary)
{
    const DictionarySources sources =
        Writer(map, fileName, warnings, summary).write(records, about);
    // In the order of the imported file, as a producer goes through them.
    std::stable_sort(warnings->begin(), warnings->end(),
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
