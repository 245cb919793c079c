// The entry writer's second job: the set of entries in order, linked and checked, written
// as sources.

#include "entrywriterparts.h"

#include "alphabet.h"
#include "datafilenames.h"
#include "linecodec.h"

#include <QFileInfo>

#include <algorithm>

namespace entrywriting {

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
// none leaves a variant out (a reference cut short only ends a chain sooner).
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
    int droppedBefore = 0;
    do {
        droppedBefore = dropped.size();
        for (int at = 0; at < int(m_order.size()); at = groupEnd(at))
            cutReference(entryOf, entryAt(at).headword, &dropped);
    } while (dropped.size() > droppedBefore);
    for (const QString &word : qAsConst(dropped))
        entryAt(groupAt(word)).leftOut = true;
}

// Walks the references from `headword` and leaves out the one that leads to nothing or back
// into the chain, if there is one.
void Writer::cutReference(const EntrySource &entryOf, const QString &headword,
                          QSet<QString> *dropped)
{
    QString last; // the last headword the walk reached
    const ReferenceWalk walk = walkReferences(entryOf, headword, [&](const QString &form, auto &) {
        last = form;
        return true;
    });
    if ((walk.end != ReferenceWalk::NoEntry && walk.end != ReferenceWalk::Circle) || last.isEmpty())
        return;
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

} // namespace entrywriting
