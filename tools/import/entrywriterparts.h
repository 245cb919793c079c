#pragma once

// The entry writer's parts (entrywriter.h), for its two jobs: recordentries.cpp turns one
// record into its entries (the head line, senses, examples, related words, variants),
// entryset.cpp orders the set of entries (homographs, ↓ links, references walked as the
// viewer walks them) and writes them as sources.

#include "entrylookup.h"
#include "entrywriter.h"

#include <QSet>
#include <QString>
#include <QVector>

#include <climits>
#include <deque>
#include <utility>
#include <vector>

namespace entrywriting {

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

// A text quoted, as warnings show it.
inline QString describe(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

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
    void cutReference(const EntrySource &entryOf, const QString &headword, QSet<QString> *dropped);
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

} // namespace entrywriting
