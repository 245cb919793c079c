// The entry writer's first job: one record's entries, as the importers add them.

#include "entrywriterparts.h"

#include "alphabet.h"
#include "importedtext.h"
#include "linecodec.h"

namespace entrywriting {

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

} // namespace entrywriting
