#include "entrywriter.h"

#include "alphabet.h"
#include "datafilenames.h"
#include "entrylookup.h"
#include "importedtext.h"
#include "linecodec.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <climits>
#include <deque>
#include <utility>

class Writer;

namespace {

const QString upArrow = QStringLiteral("\u2191");   // ↑
const QString downArrow = QStringLiteral("\u2193"); // ↓
const QString diamond = QStringLiteral("\u2666");   // ♦
const QString bullet = QStringLiteral("\u2022");    // •
const QString reference = QStringLiteral("=>");
const QString doubleArrow = QStringLiteral("\u21D2"); // ⇒, in place of "=>" in a text
const QChar ellipsis(0x2026);                         // …

struct Line
{
    QString text;
    int origin = 0; // line of the imported file
};

// Texts held compactly, one after another in one block of bytes: each its line of origin
// (the difference to the one before, zigzag-coded), its length in bytes and its UTF-8
// bytes, the numbers in groups of seven bits, lowest first, the eighth bit set on all but
// the last.
class PackedTexts
{
public:
    void add(const QString &text, int origin)
    {
        const QByteArray bytes = text.toUtf8();
        const qint64 step = qint64(origin) - qint64(m_lastOrigin);
        appendNumber(quint64(step < 0 ? -2 * step - 1 : 2 * step));
        appendNumber(quint64(bytes.size()));
        m_bytes += bytes;
        m_lastOrigin = origin;
        ++m_count;
    }
    int size() const { return m_count; }
    QVector<Line> texts() const
    {
        QVector<Line> texts;
        texts.reserve(m_count);
        qint64 origin = 0;
        for (int at = 0; at < m_bytes.size();) {
            const quint64 step = readNumber(&at);
            origin += (step & 1) ? -qint64(step >> 1) - 1 : qint64(step >> 1);
            const int length = int(readNumber(&at));
            texts.append({QString::fromUtf8(m_bytes.constData() + at, length), int(origin)});
            at += length;
        }
        return texts;
    }
    void squeeze() { m_bytes.squeeze(); }

private:
    void appendNumber(quint64 number)
    {
        while (number >= 0x80) {
            m_bytes += char(0x80 | (number & 0x7F));
            number >>= 7;
        }
        m_bytes += char(number);
    }
    quint64 readNumber(int *at) const
    {
        quint64 number = 0;
        for (int shift = 0;; shift += 7) {
            const uchar byte = uchar(m_bytes.at((*at)++));
            number |= quint64(byte & 0x7F) << shift;
            if (byte < 0x80)
                return number;
        }
    }

    QByteArray m_bytes;
    int m_lastOrigin = 0;
    int m_count = 0;
};

// An entry on its way to the sources, held compactly: a large import holds every entry
// until the last record is read.
struct Entry
{
    QString headword; // search form
    int homonym = 0;
    int origin = 0;
    bool isVariant = false; // made from a variant: "VARIANT [..] => HEADWORD"
    bool leftOut = false;   // a variant that is not written
    QStringList variantOf;  // a variant of several headwords: their search forms
    QString target;         // search form after "=>", empty when none
    int targetOrigin = 0;
    // The head line without " => TARGET"; the headword as written in plain capitals for
    // the lexicon (empty without gloss); the lines after the head line: first `above`
    // lines that stand above the ↑ and ↓ lines (numbered senses' definitions and
    // examples, then examples), then the lines of synonyms, antonyms and words to compare,
    // definitions and notes, `lines` in all; then the glosses for the lexicon.
    // Then the reversals, `reversals` of them.
    PackedTexts texts;
    int above = 0;
    int lines = 0;
    int reversals = 0;
    QStringList up;   // search forms
    QStringList down; // search forms
    int upOrigin = 0;
    int downOrigin = 0;
};

} // namespace

class Writer
{
public:
    Writer(const ImportMap &map, const QString &fileName, QVector<Diagnostic> *warnings,
           ImportSummary *summary)
        : m_map(map), m_fileName(fileName), m_warnings(warnings), m_summary(summary)
    {
    }

    void addRecord(const ImportedRecord &record);
    DictionarySources write(const QVector<SourceText> &about);

private:
    void warn(int line, const QString &message, const QString &kind = QString(), bool loss = false,
              const QString &hint = QString())
    {
        m_warnings->append({m_fileName, line, Diagnostic::Warning, message, kind, hint, loss});
    }
    void skip(int line, const QString &reason, const QString &detail)
    {
        ++m_summary->skippedRecords[reason];
        warn(line, QStringLiteral("record skipped: ") + detail,
             QStringLiteral("record skipped: ") + reason, true);
    }

    QString clean(const SourceText &source);
    QString shown(const QString &text);
    QStringList senseNumbers(const ImportedRecord &record);
    QString exampleLine(const ImportedExample &example);
    QString headwordOf(const SourceText &word, QString *problem);
    void addVariants(const ImportedRecord &record, const Entry &main);
    QString headText(const ImportedRecord &record, const QStringList &numbers,
                     const QString &written, const QString &headword,
                     QVector<SourceText> *glossTexts);
    QString withoutReferenceArrow(const QString &text, int line, const QString &what);
    QStringList relatedWords(const QVector<SourceText> &words, int *origin);
    void linkDown();
    void order();
    int groupAt(const QString &headword) const;
    int groupEnd(int at) const;
    const Entry &entryAt(int at) const { return m_entries[size_t(m_order[size_t(at)])]; }
    Entry &entryAt(int at) { return m_entries[size_t(m_order[size_t(at)])]; }
    void resolveReferences();
    bool cutReference(const EntrySource &entryOf, const QString &headword, QSet<QString> *dropped);
    QVector<Line> entryLines(const Entry &entry, const QVector<Line> &texts);
    QString storable(const QString &text, int phase, int origin);

    const ImportMap &m_map;
    const QString m_fileName;
    QVector<Diagnostic> *m_warnings;
    ImportSummary *m_summary;
    std::deque<Entry> m_entries;
    // The entries in the order they are written: by headword in alphabet order, each
    // headword's (its group) in their final order.
    std::vector<int> m_order;
    QSet<int> m_unknownPartOfSpeechLines;
};

static QString describe(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Letters, digits, blanks, apostrophes and hyphens: what a headword may hold.
static bool fitsInHeadword(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('\'') ||
           c == QLatin1Char('-') || c.unicode() == 0x2019; // ’
}

static bool endsSentence(const QString &text)
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
             QStringLiteral("control character %1 left out").arg(codePointName(text.at(i))),
             QStringLiteral("control character left out"));
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
static bool holdsText(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return !c.isSpace() && c.category() != QChar::Other_Control;
    });
}

static bool hasContent(const ImportedSense &sense)
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
    // The offending character, as the producer is to find it.
    const auto named = [](QChar c) {
        return codePointName(c) + QStringLiteral(" \"") + c + QLatin1Char('"');
    };
    if (!dictionaryAlphabet().contains(letterKey(form))) {
        *problem = QStringLiteral("headword beginning with %1, outside the alphabet")
                       .arg(named(form.at(0)));
        return QString();
    }
    for (const QChar c : form) {
        if (!fitsInHeadword(c)) {
            *problem = QStringLiteral("headword holding %1, not a letter, digit, blank, "
                                      "apostrophe or hyphen")
                           .arg(named(c));
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
    warn(line,
         QStringLiteral("\"=>\" in %1 would make the entry a cross-reference: written as "
                        "\"\u21D2\"")
             .arg(what),
         QStringLiteral("\"=>\" in a text written as \"\u21D2\""));
    return QString(text).replace(reference, doubleArrow);
}

QString Writer::headText(const ImportedRecord &record, const QStringList &numbers,
                         const QString &written, const QString &headword,
                         QVector<SourceText> *glossTexts)
{
    QString form = shown(record.form.text.isEmpty() ? written : clean(record.form));
    form = withoutReferenceArrow(form, record.headword.line, QStringLiteral("the form"));
    QString head = headword + QStringLiteral(" [") + form + QLatin1Char(']');

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
                         .arg(describe(partOfSpeech)),
                     QStringLiteral("part of speech ") + describe(partOfSpeech), false,
                     QStringLiteral("the map line \"ps %1 TAG\" (TAG: N, W, M, TU, D, KB, KR "
                                    "or TG) gives it a tag")
                         .arg(partOfSpeech));
            }
        }
        QStringList glosses;
        for (const SourceText &gloss : sense.glosses) {
            const QString text = clean(gloss);
            if (text.isEmpty())
                continue;
            glosses.append(
                withoutReferenceArrow(shown(text), gloss.line, QStringLiteral("a gloss")));
            glossTexts->append({text, gloss.line});
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
    const QString written = clean(record.headword);
    entry.homonym = record.homonym;
    entry.origin = record.headword.line ? record.headword.line : record.line;
    const QStringList numbers = senseNumbers(record);
    QVector<SourceText> glosses;
    QString head = headText(record, numbers, written, entry.headword, &glosses);
    if (!record.mainEntry.text.isEmpty()) {
        QString targetProblem;
        const QString target = headwordOf(record.mainEntry, &targetProblem);
        if (target.isEmpty())
            warn(record.mainEntry.line,
                 QStringLiteral("main entry %1 left out: %2")
                     .arg(describe(clean(record.mainEntry)), targetProblem),
                 QStringLiteral("main entry left out"), true);
        else if (target == entry.headword)
            warn(record.mainEntry.line,
                 QStringLiteral("main entry %1 left out: it is the record's own headword")
                     .arg(describe(clean(record.mainEntry))));
        else
            entry.target = target, entry.targetOrigin = record.mainEntry.line;
    }
    const QString label = clean({record.mainEntryLabel, record.mainEntry.line});
    if (!entry.target.isEmpty() && !label.isEmpty())
        head += QLatin1Char(' ') + withoutReferenceArrow(shown(label), record.mainEntry.line,
                                                         QStringLiteral("a relation's type"));
    entry.texts.add(head, entry.origin);
    entry.texts.add(glosses.isEmpty() && record.reversals.isEmpty() ? QString()
                                                                    : toneless(written).toUpper(),
                    0);
    QVector<Line> senseLines, examplesLines, definitionLines;
    for (int s = 0; s < record.senses.size(); ++s) {
        const ImportedSense &sense = record.senses.at(s);
        // A numbered sense keeps its definitions and examples together, under its number.
        const QString number = numbers.at(s);
        const QString mark = number.isEmpty() ? QString() : number + QLatin1Char(' ');
        QVector<Line> &examples = number.isEmpty() ? examplesLines : senseLines;
        QVector<Line> &definitions = number.isEmpty() ? definitionLines : senseLines;
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
            definitionLines.append({shown(text), note.line});
    }
    // Synonyms, antonyms and words to compare follow the ↑ and ↓ lines, each kind a line.
    QVector<Line> listedLines;
    const auto listed = [&](const QString &mark, const QVector<SourceText> &words) {
        int origin = 0;
        const QStringList forms = relatedWords(words, &origin);
        if (!forms.isEmpty())
            listedLines.append({bullet + QLatin1Char(' ') + mark + QLatin1Char(' ') +
                                    forms.join(QStringLiteral(", ")),
                                origin});
    };
    listed(QStringLiteral("="), record.synonyms);
    listed(QStringLiteral("\u2260"), record.antonyms); // ≠
    listed(QStringLiteral("cf."), record.compared);
    for (const QVector<Line> *lines :
         {&senseLines, &examplesLines, &listedLines, &definitionLines}) {
        for (const Line &line : *lines)
            entry.texts.add(line.text, line.origin);
        if (lines == &examplesLines)
            entry.above = entry.texts.size() - 2;
    }
    entry.lines = entry.texts.size() - 2;
    for (const SourceText &gloss : qAsConst(glosses))
        entry.texts.add(gloss.text, gloss.line);
    for (const SourceText &reversal : record.reversals) {
        const QString text = clean(reversal);
        if (!text.isEmpty())
            entry.texts.add(text, reversal.line), ++entry.reversals;
    }
    entry.texts.squeeze();
    entry.up = relatedWords(record.up, &entry.upOrigin);
    entry.down = relatedWords(record.down, &entry.downOrigin);

    m_entries.push_back(entry);
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
                 QStringLiteral("variant %1 left out: %2").arg(describe(written), problem),
                 QStringLiteral("variant left out"), true);
            continue;
        }
        // A spelling that differs from the headword's only in tone marks or capitals: its
        // lookup finds the record's entry itself.
        if (entry.headword == main.headword)
            continue;
        entry.isVariant = true;
        entry.origin = variant.line;
        entry.target = main.headword;
        entry.targetOrigin = variant.line;
        entry.texts.add(entry.headword + QStringLiteral(" [") + shown(written) + QLatin1Char(']'),
                        entry.origin);
        entry.texts.add(QString(), 0); // no lexicon word
        m_entries.push_back(entry);
    }
}

// A word named with ↑ lists, on its first entry, the entries that name it.
void Writer::linkDown()
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        for (const QString &word : qAsConst(m_entries.at(i).up)) {
            const int group = groupAt(word);
            if (group < 0 || entryAt(group).isVariant)
                continue;
            Entry &base = entryAt(group);
            if (base.down.contains(m_entries.at(i).headword))
                continue;
            if (base.down.isEmpty())
                base.downOrigin = m_entries.at(i).upOrigin;
            base.down.append(m_entries.at(i).headword);
        }
    }
}

// The place in m_order of the first entry of `headword`, or -1 when it has none.
int Writer::groupAt(const QString &headword) const
{
    const auto at = std::lower_bound(
        m_order.begin(), m_order.end(), headword, [this](int index, const QString &word) {
            return comesBefore(m_entries[size_t(index)].headword, word);
        });
    return at != m_order.end() && m_entries[size_t(*at)].headword == headword
               ? int(at - m_order.begin())
               : -1;
}

// The place after the last entry of the group that begins at `at`.
int Writer::groupEnd(int at) const
{
    int end = at + 1;
    while (end < int(m_order.size()) && entryAt(end).headword == entryAt(at).headword)
        ++end;
    return end;
}

void Writer::order()
{
    m_order.resize(m_entries.size());
    for (size_t i = 0; i < m_order.size(); ++i)
        m_order[i] = int(i);
    // By headword; entries first, numbered homographs in number order; variants'
    // references last; otherwise in file order.
    std::stable_sort(m_order.begin(), m_order.end(), [this](int a, int b) {
        const Entry &x = m_entries[size_t(a)];
        const Entry &y = m_entries[size_t(b)];
        if (x.headword != y.headword)
            return comesBefore(x.headword, y.headword);
        if (x.isVariant != y.isVariant)
            return y.isVariant;
        const int hx = x.homonym > 0 ? x.homonym : INT_MAX;
        const int hy = y.homonym > 0 ? y.homonym : INT_MAX;
        return hx < hy;
    });
    for (int at = 0; at < int(m_order.size()); at = groupEnd(at)) {
        // Only the first entry's reference is followed: a spelling that is a variant of
        // several headwords becomes one entry that names them all.
        if (!entryAt(at).isVariant)
            continue;
        QStringList targets{entryAt(at).target};
        for (int k = at + 1; k < groupEnd(at); ++k) {
            Entry &other = entryAt(k);
            if (!targets.contains(other.target))
                targets.append(other.target);
            other.leftOut = true;
        }
        if (targets.size() > 1) {
            entryAt(at).variantOf = targets;
            entryAt(at).target.clear();
        }
    }
}

// Every followed reference leads to an entry, and none runs in a circle: the references
// are walked as the viewer walks them, from the first entry of each headword, and the one
// that leads to nothing, or back into the chain, is left out (a variant with it). A variant
// left out may be the target of a chain walked before, so the walks are repeated until
// none leaves anything out.
void Writer::resolveReferences()
{
    QSet<QString> dropped;
    const EntrySource entryOf = [&](const QString &form) {
        EntryExtract extract;
        const int at = dropped.contains(form) ? -1 : groupAt(form);
        if (at >= 0) {
            extract.found = true;
            extract.crossReferenceTarget = entryAt(at).target;
            extract.isCrossReference = !extract.crossReferenceTarget.isEmpty();
        }
        return extract;
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (int at = 0; at < int(m_order.size()); at = groupEnd(at))
            changed = cutReference(entryOf, entryAt(at).headword, &dropped) || changed;
    }
    for (const QString &word : qAsConst(dropped))
        entryAt(groupAt(word)).leftOut = true;
}

// Walks the references from `headword` and leaves out the one that leads to nothing or back
// into the chain; returns whether there was one.
bool Writer::cutReference(const EntrySource &entryOf, const QString &headword,
                          QSet<QString> *dropped)
{
    QString last; // the last headword the walk reached
    const ReferenceWalk walk = walkReferences(entryOf, headword, [&](const QString &form, auto &) {
        last = form;
        return true;
    });
    if ((walk.end != ReferenceWalk::NoEntry && walk.end != ReferenceWalk::Circle) || last.isEmpty())
        return false;
    Entry &entry = entryAt(groupAt(last));
    const QString why = walk.end == ReferenceWalk::NoEntry
                            ? QStringLiteral("%1 has no entry")
                            : QStringLiteral("the references from %1 come back to it");
    if (entry.isVariant) {
        warn(entry.origin,
             QStringLiteral("variant %1 left out: ").arg(entry.headword) + why.arg(entry.target),
             QStringLiteral("variant left out"), true);
        dropped->insert(last); // a variant's headword has no other entry
    } else {
        warn(entry.targetOrigin,
             QStringLiteral("reference to %1 left out: ").arg(entry.target) + why.arg(entry.target),
             QStringLiteral("reference left out"), true);
        entry.target.clear();
    }
    return true;
}

QVector<Line> Writer::entryLines(const Entry &entry, const QVector<Line> &texts)
{
    QVector<Line> lines;
    QString head = texts.at(0).text;
    if (!entry.target.isEmpty())
        head += QStringLiteral(" => ") + entry.target;
    if (!entry.variantOf.isEmpty())
        head += QStringLiteral(" variant of ") + upArrow +
                entry.variantOf.join(QLatin1Char(' ') + upArrow);
    lines.append({head, entry.origin});
    const auto add = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            lines.append(texts.at(2 + i));
    };
    // No text holds "[" any more (it is written as a look-alike), so none opens an entry.
    add(0, entry.above);
    const auto related = [&](const QString &arrow, const QStringList &words, int origin) {
        if (words.isEmpty())
            return;
        lines.append({arrow + words.join(QLatin1Char(' ') + arrow), origin});
    };
    related(upArrow, entry.up, entry.upOrigin);
    related(downArrow, entry.down, entry.downOrigin);

    add(entry.above, entry.lines);
    if (!entry.target.isEmpty() && lines.size() > 1)
        warn(entry.origin,
             QStringLiteral("%1 is written as a cross-reference to %2: its other "
                            "%3 line(s) are kept but not shown")
                 .arg(entry.headword, entry.target)
                 .arg(lines.size() - 1),
             QStringLiteral("lines of a cross-reference not shown"), true);
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
                 .arg(unstorableReasonText(bad.reason), replacement.isEmpty()
                                                            ? QStringLiteral("left out")
                                                            : QStringLiteral("written as \"...\"")),
             QStringLiteral("character that cannot be stored"));
        line.replace(at, length, replacement);
    }
}

DictionarySources Writer::write(const QVector<SourceText> &about)
{
    order();
    linkDown();
    resolveReferences();

    DictionarySources sources;
    QHash<QString, int> letterLines; // letter key -> lines filed under it so far
    for (int at = 0, end = 0; at < int(m_order.size()); at = end) {
        end = groupEnd(at);
        if (entryAt(at).leftOut)
            continue;
        const QString headword = entryAt(at).headword;
        sources.headwords.append(headword);
        int &filed = letterLines[letterKey(headword)];
        // Lexicon rows of two headwords differ in their word: each headword's are its own.
        QSet<QString> rows;
        // A row "WORD|text" of the lexicon or the reversal source, each once.
        const auto addRow = [&](SourceLines *file, const QString &word, const Line &line,
                                const QString &what) {
            QString text = line.text;
            if (text.contains(QLatin1Char('|'))) {
                warn(line.origin,
                     QStringLiteral("\"|\" in the %1 %2 written as \"/\" in the %3")
                         .arg(what, describe(text),
                              file == &sources.lexicon ? QStringLiteral("lexicon")
                                                       : QStringLiteral("reversal source")),
                     QStringLiteral("\"|\" in a %1 written as \"/\"").arg(what));
                text.replace(QLatin1Char('|'), QLatin1Char('/'));
            }
            const QString row = word + QLatin1Char('|') + text;
            if (rows.contains(QString::number(file == &sources.lexicon) + row))
                return;
            rows.insert(QString::number(file == &sources.lexicon) + row);
            file->append(storable(row, file->size() + 1, line.origin));
        };
        for (int k = at; k < end; ++k) {
            if (entryAt(k).leftOut)
                continue;
            // Written, an entry is no longer needed.
            const Entry entry = std::exchange(entryAt(k), Entry());
            const QVector<Line> texts = entry.texts.texts();
            for (const Line &line : entryLines(entry, texts))
                sources.entries.append(storable(line.text, ++filed, line.origin));
            ++m_summary->entriesWritten;
            if (entry.isVariant)
                continue;
            const int reversalsAt = texts.size() - entry.reversals;
            for (int g = 2 + entry.lines; g < texts.size(); ++g)
                addRow(g < reversalsAt ? &sources.lexicon : &sources.reversal, texts.at(1).text,
                       texts.at(g),
                       g < reversalsAt ? QStringLiteral("gloss") : QStringLiteral("reversal"));
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
