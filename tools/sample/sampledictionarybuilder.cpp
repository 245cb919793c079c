#include "sampledictionarybuilder.h"

#include "alphabet.h"
#include "datafilenames.h"
#include "entrylookup.h"
#include "entrywriter.h"
#include "importedtext.h"

#include <QSet>

#include <algorithm>
#include <numeric>

namespace {

// Endings that make an inflected form of a word rather than a new word.
const QStringList inflections = {
    QStringLiteral("PFV.INTR"), QStringLiteral("PL"),        QStringLiteral("PL2"),
    QStringLiteral("PTCP.RES"), QStringLiteral("PTCP.PROG"), QStringLiteral("PROG"),
};

constexpr int maxGlosses = 3;
constexpr int maxExamples = 3;
constexpr int maxExampleLength = 90;

QString lemmaKey(const QString &headword, const QString &tag, const QString &display)
{
    return headword + QLatin1Char('\t') + tag + QLatin1Char('\t') + display;
}

bool hasToneMark(const QString &lemma)
{
    return toneless(lemma) !=
           lemma.normalized(QString::NormalizationForm_C).remove(QLatin1Char('.'));
}

// Characters that the entry view reads as mark-up, or that would split a head line.
bool holdsMarkup(const QString &text)
{
    static const QString marks = QStringLiteral("\u2666\u2191\u2193{}/|\u2022");
    for (const QChar c : text) {
        if (marks.contains(c) || c.category() == QChar::Other_Control)
            return true;
    }
    return text.contains(QLatin1String("=>"));
}

// Brackets would open a head line, parentheses colour the text in front of them: both
// are written as look-alikes, as the importers write them.
QString withoutBrackets(const QString &text)
{
    return withoutMarkup(text);
}

// Whether a headword can be filed: letters (and the apostrophe or hyphen inside a word)
// only, beginning with a letter that has a letter file.
bool isFileableHeadword(const QString &headword)
{
    if (headword.isEmpty() || !dictionaryAlphabet().contains(letterKey(headword)))
        return false;
    return std::all_of(headword.begin(), headword.end(), [](QChar c) {
        return c.isLetter() || c == QLatin1Char('\'') || c == QLatin1Char('-');
    });
}

} // namespace

QString SampleDictionaryBuilder::displayLemma(const QString &lemma)
{
    QString display = lemma.normalized(QString::NormalizationForm_C);
    display.remove(QLatin1Char('.'));
    return withoutBrackets(display);
}

QString SampleDictionaryBuilder::tagFor(const QString &universalTag)
{
    static const QHash<QString, QString> tags = {
        {QStringLiteral("NOUN"), QStringLiteral("N")},
        {QStringLiteral("VERB"), QStringLiteral("W")},
        {QStringLiteral("ADJ"), QStringLiteral("M")},
        {QStringLiteral("PRON"), QStringLiteral("TU")},
        {QStringLiteral("DET"), QStringLiteral("D")},
        {QStringLiteral("NUM"), QStringLiteral("D")},
        {QStringLiteral("ADP"), QStringLiteral("KB")},
        {QStringLiteral("CCONJ"), QStringLiteral("KB")},
        {QStringLiteral("SCONJ"), QStringLiteral("KB")},
        {QStringLiteral("ADV"), QStringLiteral("KR")},
        {QStringLiteral("INTJ"), QStringLiteral("KR")},
        {QStringLiteral("PART"), QStringLiteral("TG")},
        {QStringLiteral("AUX"), QStringLiteral("TG")},
    };
    return tags.value(universalTag);
}

QString SampleDictionaryBuilder::frenchGloss(const QString &gloss)
{
    const bool lexical =
        std::any_of(gloss.begin(), gloss.end(), [](QChar c) { return c.isLower(); });
    if (!lexical || holdsMarkup(gloss))
        return QString();
    QString words = gloss;
    words.replace(QLatin1Char('.'), QLatin1Char(' '));
    return withoutBrackets(words.simplified());
}

QString SampleDictionaryBuilder::currentSpelling(const QString &text)
{
    // è ò and ny of the older spelling, in small and capital letters: ɛ U+025B, ɔ U+0254,
    // ɲ U+0272 and their capitals Ɛ U+0190, Ɔ U+0186, Ɲ U+019D.
    static const QVector<QPair<QString, QString>> respellings = {
        {QStringLiteral("\u00E8"), QStringLiteral("\u025B")},
        {QStringLiteral("\u00F2"), QStringLiteral("\u0254")},
        {QStringLiteral("\u00C8"), QStringLiteral("\u0190")},
        {QStringLiteral("\u00D2"), QStringLiteral("\u0186")},
        {QStringLiteral("ny"), QStringLiteral("\u0272")},
        {QStringLiteral("Ny"), QStringLiteral("\u019D")},
        {QStringLiteral("NY"), QStringLiteral("\u019D")},
    };
    QString respelled = text.normalized(QString::NormalizationForm_C);
    for (const auto &respelling : respellings)
        respelled.replace(respelling.first, respelling.second);
    return respelled;
}

std::optional<QString> SampleDictionaryBuilder::exampleSentence(const QString &sentence)
{
    QString text = sentence.simplified();
    if (text.contains(QLatin1String("<>")) || text.contains(QLatin1String("</>")))
        return std::nullopt;
    if (text.size() < 2 || text.size() > maxExampleLength || holdsMarkup(text))
        return std::nullopt;
    // One statement: its only "." ends it, and no quotation or other sentence is inside.
    static const QString inner = QStringLiteral("!?\"\u201C\u201D\u00AB\u00BB");
    if (text.indexOf(QLatin1Char('.')) != text.size() - 1 ||
        std::any_of(text.begin(), text.end(), [](QChar c) { return inner.contains(c); }))
        return std::nullopt;
    text = currentSpelling(withoutBrackets(text));
    text[0] = text.at(0).toUpper();
    return text;
}

void SampleDictionaryBuilder::addTreebank(const QVector<TreebankSentence> &sentences)
{
    for (const TreebankSentence &sentence : sentences) {
        const int sentenceIndex = m_sentences.size();
        m_sentences.append(sentence);
        for (const TreebankToken &token : sentence.tokens) {
            const QString tag = tagFor(token.partOfSpeech);
            const QString gloss = frenchGloss(token.gloss);
            if (token.lemma.isEmpty() || tag.isEmpty() || gloss.isEmpty())
                continue;
            const QString bare = toneless(token.lemma);
            const QString headword = searchForm(bare);
            if (!isFileableHeadword(headword))
                continue;
            const QString display = displayLemma(token.lemma);
            Lemma &lemma = m_lemmas[lemmaKey(headword, tag, display)];
            lemma.headword = headword;
            lemma.tag = tag;
            lemma.display = display;
            ++lemma.occurrences;
            if (!lemma.glossCounts.contains(gloss))
                lemma.glossOrder.append(gloss);
            ++lemma.glossCounts[gloss];
            if (lemma.sentences.isEmpty() || lemma.sentences.constLast() != sentenceIndex)
                lemma.sentences.append(sentenceIndex);
            if (lemma.morphemes.isEmpty())
                lemma.morphemes = token.morphemes;

            const QString row = bare.toUpper() + QLatin1Char('|') + gloss;
            QStringList &rows = m_lexiconRows[headword];
            if (!rows.contains(row))
                rows.append(row);
        }
    }
}

void SampleDictionaryBuilder::addLocaleNames(const CldrNames::Names &bambara,
                                             const CldrNames::Names &english)
{
    for (auto name = bambara.constBegin(); name != bambara.constEnd(); ++name) {
        const QString translation = english.value(name.key());
        if (translation.isEmpty() || name->contains(QLatin1Char('|')) ||
            translation.contains(QLatin1Char('|')))
            continue;
        const QString word = name->simplified();
        const QString row = word.toUpper() + QLatin1Char('|') + translation.simplified() +
                            QStringLiteral(" (English)");
        QStringList &rows = m_lexiconRows[searchForm(word)];
        if (!rows.contains(row))
            rows.append(row);
    }
}

void SampleDictionaryBuilder::addSupplement(const HandEdits &supplement)
{
    for (const HandEdits::Group &entry : supplement.entries) {
        if (!m_supplementEntries.contains(entry.key))
            m_supplementOrder.append(entry.key);
        m_supplementEntries[entry.key] += entry.lines;
    }
    for (const HandEdits::Group &word : supplement.lexicon) {
        QStringList &rows = m_lexiconRows[word.key];
        for (const QString &row : word.lines) {
            if (!rows.contains(row))
                rows.append(row);
        }
    }
}

QVector<SampleDictionaryBuilder::Entry> SampleDictionaryBuilder::mergeLemmas() const
{
    // Lemmas of one headword and part of speech written with and without tone marks are
    // one word: the unmarked spellings join the most frequent marked one.
    QMap<QString, QVector<const Lemma *>> byWord;
    for (const Lemma &lemma : m_lemmas)
        byWord[lemma.headword + QLatin1Char('\t') + lemma.tag].append(&lemma);

    QVector<Entry> entries;
    for (const QVector<const Lemma *> &spellings : qAsConst(byWord)) {
        const Lemma *mostMarked = nullptr;
        for (const Lemma *lemma : spellings) {
            if (hasToneMark(lemma->display) &&
                (!mostMarked || lemma->occurrences > mostMarked->occurrences))
                mostMarked = lemma;
        }
        QMap<QString, Entry> merged;
        QMap<QString, QMap<QString, int>> glossCounts;
        QMap<QString, QStringList> glossOrder;
        for (const Lemma *lemma : spellings) {
            const Lemma *into = hasToneMark(lemma->display) || !mostMarked ? lemma : mostMarked;
            Entry &entry = merged[into->display];
            entry.headword = into->headword;
            entry.tag = into->tag;
            entry.display = into->display;
            entry.occurrences += lemma->occurrences;
            entry.sentences += lemma->sentences;
            if (entry.morphemes.isEmpty())
                entry.morphemes = lemma->morphemes;
            for (const QString &gloss : lemma->glossOrder) {
                if (!glossCounts[into->display].contains(gloss))
                    glossOrder[into->display].append(gloss);
                glossCounts[into->display][gloss] += lemma->glossCounts.value(gloss);
            }
        }
        for (Entry &entry : merged) {
            QStringList glosses = glossOrder.value(entry.display);
            const QMap<QString, int> counts = glossCounts.value(entry.display);
            std::stable_sort(glosses.begin(), glosses.end(),
                             [&](const QString &a, const QString &b) {
                                 return counts.value(a) > counts.value(b);
                             });
            entry.glosses = glosses.mid(0, maxGlosses);
            std::sort(entry.sentences.begin(), entry.sentences.end());
            entry.sentences.erase(std::unique(entry.sentences.begin(), entry.sentences.end()),
                                  entry.sentences.end());
            entries.append(entry);
        }
    }
    linkRelatedEntries(&entries);
    return entries;
}

void SampleDictionaryBuilder::linkRelatedEntries(QVector<Entry> *entries)
{
    // The entry of the longest headword that begins `headword`, is shorter than it and
    // carries one of `glosses`; -1 when there is none.
    const auto baseOf = [&](const Entry &entry, const QStringList &glosses) {
        int best = -1;
        for (int i = 0; i < entries->size(); ++i) {
            const Entry &candidate = entries->at(i);
            if (candidate.headword.size() >= entry.headword.size() ||
                !entry.headword.startsWith(candidate.headword) ||
                !candidate.crossReference.isEmpty())
                continue;
            const bool related = std::any_of(glosses.begin(), glosses.end(), [&](const QString &g) {
                return candidate.glosses.contains(g);
            });
            if (!related)
                continue;
            if (best < 0 || candidate.headword.size() > entries->at(best).headword.size() ||
                (candidate.headword.size() == entries->at(best).headword.size() &&
                 candidate.tag == entry.tag && entries->at(best).tag != entry.tag))
                best = i;
        }
        return best;
    };

    // Inflected forms first, shortest first, so that a base is never itself a reference.
    QVector<int> order(entries->size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return entries->at(a).headword.size() < entries->at(b).headword.size();
    });
    for (const int i : order) {
        Entry &entry = (*entries)[i];
        if (entry.morphemes.size() < 2 || !inflections.contains(entry.morphemes.constLast()))
            continue;
        const QString wordGloss = frenchGloss(entry.morphemes.constFirst());
        const int base = baseOf(entry, {wordGloss});
        if (base < 0)
            continue;
        entry.crossReference = entries->at(base).headword;
        (*entries)[base].sentences += entry.sentences;
    }
    for (const int i : order) {
        const Entry &entry = entries->at(i);
        if (!entry.crossReference.isEmpty() || entry.morphemes.size() < 2)
            continue;
        QStringList glosses{frenchGloss(entry.morphemes.constFirst())};
        const QString firstPart = frenchGloss(entry.morphemes.at(1));
        if (!firstPart.isEmpty())
            glosses.append(firstPart);
        const int base = baseOf(entry, glosses);
        if (base < 0 || entries->at(base).headword == entry.headword)
            continue;
        (*entries)[i].base = entries->at(base).headword;
    }
}

ImportedRecord SampleDictionaryBuilder::record(const Entry &entry) const
{
    ImportedRecord record;
    record.headword.text = entry.display;
    ImportedSense sense;
    sense.partOfSpeech.text = entry.tag;
    if (!entry.crossReference.isEmpty()) {
        record.mainEntry.text = entry.crossReference;
        record.senses.append(sense);
        return record;
    }
    for (const QString &gloss : entry.glosses)
        sense.glosses.append({gloss, 0});
    // The shortest clean sentences, in treebank order among equals.
    QVector<QPair<QString, int>> examples;
    QSet<QString> seen;
    for (const int index : entry.sentences) {
        const auto text = exampleSentence(m_sentences.at(index).text);
        if (!text || seen.contains(*text))
            continue;
        seen.insert(*text);
        examples.append({*text, index});
    }
    std::stable_sort(examples.begin(), examples.end(),
                     [](const auto &a, const auto &b) { return a.first.size() < b.first.size(); });
    for (int i = 0; i < examples.size() && i < maxExamples; ++i)
        sense.examples.append(ImportedExample{{examples.at(i).first, 0}, {}});
    record.senses.append(sense);
    if (!entry.base.isEmpty())
        record.up.append(SourceText{entry.base, 0});
    return record;
}

QStringList SampleDictionaryBuilder::aboutLines()
{
    // Title, authors, sources and licence, in the order every about file gives them: the
    // exports show the first line as the dictionary's name.
    // – U+2013; ɲ U+0272, ɛ U+025B, ɔ U+0254; é U+00E9, © U+00A9
    return {
        QStringLiteral("Lexora sample dictionary"),
        QStringLiteral("Bambara \u2013 French. Da\u0272\u025Bw b\u0254ra UD Bambara-CRB ni "
                       "Unicode CLDR la, CC BY-SA 4.0 sariya k\u0254r\u0254."),
        QStringLiteral("UD Bambara-CRB treebank, K. Aplonova and F. M. Tyers (2018), based on "
                       "the Corpus R\u00E9f\u00E9rence du Bambara; CC BY-SA 4.0. Unicode CLDR "
                       "locale data for Bambara and English, \u00A9 Unicode, Inc.; Unicode "
                       "licence."),
        QStringLiteral("The sample dictionary: CC BY-SA 4.0, "
                       "https://creativecommons.org/licenses/by-sa/4.0/ (changes: NOTICE)."),
    };
}

DictionarySources SampleDictionaryBuilder::sources(QVector<Diagnostic> *warnings) const
{
    QVector<Entry> entries = mergeLemmas();
    // Homographs: the most frequent first, then by part of speech and lemma.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.headword != b.headword)
            return comesBefore(a.headword, b.headword);
        if (a.crossReference.isEmpty() != b.crossReference.isEmpty())
            return a.crossReference.isEmpty();
        if (a.occurrences != b.occurrences)
            return a.occurrences > b.occurrences;
        return a.tag + a.display < b.tag + b.display;
    });

    // The entries as every import writes them. A reference is followed only from the first
    // entry of a headword; beside other homographs it would hide them, so it is left out.
    ImportMap tags;
    QVector<Diagnostic> writerWarnings;
    ImportSummary summary;
    EntryWriter writer(tags, QStringLiteral("treebank"), &writerWarnings, &summary);
    QSet<QString> written;
    for (const Entry &entry : qAsConst(entries)) {
        if (m_supplementEntries.contains(entry.headword) ||
            (!entry.crossReference.isEmpty() && written.contains(entry.headword)))
            continue;
        written.insert(entry.headword);
        tags.setTag(entry.tag, entry.tag);
        writer.add(record(entry));
    }
    // The supplement's headwords, given as bare records so that references to them
    // resolve; their lines are the supplement's.
    for (const QString &headword : m_supplementOrder) {
        ImportedRecord bare;
        bare.headword.text = headword;
        writer.add(bare);
    }
    const DictionarySources made = writer.finish({});
    if (warnings)
        *warnings += writerWarnings;

    QMap<QString, QStringList> linesByHeadword;
    QString current;
    for (const QString &line : made.entries.lines()) {
        const QStringView trimmed = QStringView(line).trimmed();
        if (isHeadLine(trimmed))
            current = headLineHeadword(trimmed).toString();
        linesByHeadword[current].append(line);
    }
    for (const QString &headword : m_supplementOrder)
        linesByHeadword.insert(headword, m_supplementEntries.value(headword));
    const QStringList headwords = made.headwords.lines(); // in the order of the alphabet

    DictionarySources sources;
    sources.about = aboutLines();
    sources.headwords = headwords;
    for (const QString &headword : qAsConst(headwords))
        sources.entries += linesByHeadword.value(headword);

    QStringList words = m_lexiconRows.keys();
    std::stable_sort(words.begin(), words.end(), comesBefore);
    for (const QString &word : qAsConst(words)) {
        QStringList rows = m_lexiconRows.value(word);
        std::stable_sort(rows.begin(), rows.end());
        sources.lexicon += rows;
    }
    return sources;
}
