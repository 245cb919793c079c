#include "handedits.h"

#include "alphabet.h"
#include "entrylookup.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

bool isComment(const QString &line)
{
    return line.startsWith(QLatin1Char('#'));
}

QString lexiconWord(const QString &row)
{
    return searchForm(row.section(QLatin1Char('|'), 0, 0));
}

// Adds `line` to the group of `key`, made at `lineNumber` when it is the first of its key.
void addToGroup(QVector<HandEdits::Group> *groups, QHash<QString, int> *index, const QString &key,
                int lineNumber, const QString &line)
{
    auto at = index->constFind(key);
    if (at == index->constEnd()) {
        at = index->insert(key, groups->size());
        groups->append({key, lineNumber, {}});
    }
    (*groups)[*at].lines.append(line);
}

// The lines of a file in the folder; none when there is no such file. False when it is
// there but cannot be read cleanly (the reason goes to `problems`).
bool readEditFile(const QString &folder, const QString &name, std::optional<QStringList> *lines,
                  QVector<Diagnostic> *problems)
{
    const QString path = QDir(folder).filePath(name);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    TextReadReport report;
    *lines = readTextLines(path, &report);
    if (!*lines)
        problems->append(
            {path, 0, Diagnostic::Error, QStringLiteral("cannot read: ") + report.failure});
    for (const TextFlaw &flaw : qAsConst(report.flaws))
        problems->append({path, flaw.line, Diagnostic::Error, messages::textFlaw(flaw)});
    return *lines && report.flaws.isEmpty();
}

// The lines of a file as groups of one key each, in order; lines before the first key
// form a group of their own with an empty key.
QVector<HandEdits::Group> entryGroups(const QStringList &lines)
{
    QVector<HandEdits::Group> groups;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringView trimmed = QStringView(lines.at(i)).trimmed();
        const QString key = isHeadLine(trimmed) ? headLineHeadword(trimmed).toString()
                            : groups.isEmpty()  ? QString()
                                                : groups.constLast().key;
        if (groups.isEmpty() || groups.constLast().key != key)
            groups.append({key, i + 1, {}});
        groups.last().lines.append(lines.at(i));
    }
    return groups;
}

QVector<HandEdits::Group> lexiconGroups(const QStringList &rows)
{
    QVector<HandEdits::Group> groups;
    for (int i = 0; i < rows.size(); ++i) {
        const QString key = lexiconWord(rows.at(i));
        if (groups.isEmpty() || groups.constLast().key != key)
            groups.append({key, i + 1, {}});
        groups.last().lines.append(rows.at(i));
    }
    return groups;
}

// The imported groups with the hand-written ones in their place, and those of keys the
// import lacks where the alphabet's order puts them; the edits that were added go to
// `added`.
QStringList merged(const QVector<HandEdits::Group> &imported,
                   const QVector<HandEdits::Group> &edits, int *replaced,
                   QVector<const HandEdits::Group *> *added)
{
    QSet<QString> importedKeys;
    for (const HandEdits::Group &group : imported)
        if (!group.key.isEmpty()) // lines above the first head line match no edit
            importedKeys.insert(group.key);
    QHash<QString, const HandEdits::Group *> byKey;
    for (const HandEdits::Group &edit : edits) {
        byKey.insert(edit.key, &edit);
        if (!importedKeys.contains(edit.key))
            added->append(&edit);
    }
    std::stable_sort(added->begin(), added->end(),
                     [](const HandEdits::Group *a, const HandEdits::Group *b) {
                         return comesBefore(a->key, b->key);
                     });
    QStringList lines;
    QSet<QString> done;
    auto next = added->constBegin();
    for (const HandEdits::Group &group : imported) {
        for (; next != added->constEnd() && !group.key.isEmpty() &&
               comesBefore((*next)->key, group.key);
             ++next)
            lines += (*next)->lines;
        const HandEdits::Group *edit =
            importedKeys.contains(group.key) ? byKey.value(group.key) : nullptr;
        if (!edit) {
            lines += group.lines;
        } else if (!done.contains(group.key)) {
            done.insert(group.key);
            lines += edit->lines;
            ++*replaced;
        }
    }
    for (; next != added->constEnd(); ++next)
        lines += (*next)->lines;
    return lines;
}

} // namespace

QString handEditFolder(const QString &srcDir)
{
    return QDir::cleanPath(srcDir) + QStringLiteral(".handmade");
}

std::optional<HandEdits> readHandEdits(const QString &folder, QVector<Diagnostic> *problems)
{
    const QFileInfo info(folder);
    if (!info.exists() && !info.isSymLink()) {
        HandEdits none;
        none.folder = folder;
        return none;
    }
    if (!info.isDir()) {
        problems->append({folder, 0, Diagnostic::Error,
                          QStringLiteral("the hand-edit folder is not a directory")});
        return std::nullopt;
    }
    std::optional<QStringList> entryLines, lexiconLines, aboutLines;
    bool read = readEditFile(folder, entrySourceName(), &entryLines, problems);
    read = readEditFile(folder, lexiconSourceName(), &lexiconLines, problems) && read;
    read = readEditFile(folder, aboutSourceName(), &aboutLines, problems) && read;
    if (!read)
        return std::nullopt;
    HandEdits edits = handEditsFromLines(entryLines.value_or(QStringList()),
                                         lexiconLines.value_or(QStringList()));
    edits.folder = folder;
    edits.about = aboutLines;
    return edits;
}

HandEdits handEditsFromLines(const QStringList &entries, const QStringList &rows)
{
    HandEdits edits;
    QHash<QString, int> index;
    bool inEntry = false;
    QString headword;
    int headLine = 0;
    for (int i = 0; i < entries.size(); ++i) {
        const QString &line = entries.at(i);
        if (isComment(line))
            continue;
        const QStringView trimmed = QStringView(line).trimmed();
        if (isHeadLine(trimmed)) {
            inEntry = true;
            headword = headLineHeadword(trimmed).toString();
            headLine = i + 1;
        } else if (!inEntry) {
            if (!trimmed.isEmpty())
                edits.strayLines.append(i + 1);
            continue;
        }
        addToGroup(&edits.entries, &index, headword, headLine, line);
    }
    index.clear();
    for (int i = 0; i < rows.size(); ++i) {
        if (!isComment(rows.at(i)) && !rows.at(i).trimmed().isEmpty())
            addToGroup(&edits.lexicon, &index, lexiconWord(rows.at(i)), i + 1, rows.at(i));
    }
    return edits;
}

HandEditCounts applyHandEdits(const HandEdits &edits, DictionarySources *sources,
                              QVector<Diagnostic> *warnings)
{
    HandEditCounts counts;
    const QString entryFile = QDir(edits.folder).filePath(entrySourceName());
    const QString lexiconFile = QDir(edits.folder).filePath(lexiconSourceName());
    for (const int line : edits.strayLines)
        warnings->append({entryFile, line, Diagnostic::Warning,
                          QStringLiteral("this hand-written line belongs to no entry (no head "
                                         "line above it); left out"),
                          QStringLiteral("hand-written line outside any entry"), QString(), true});

    QVector<const HandEdits::Group *> added;
    const QStringList entries = merged(entryGroups(sources->entries.lines()), edits.entries,
                                       &counts.entriesReplaced, &added);
    counts.entriesAdded = added.size();
    QVector<HandEdits::Group> headwords;
    for (const QString &headword : sources->headwords.lines())
        headwords.append({headword, 0, {headword}});
    QVector<HandEdits::Group> newHeadwords;
    for (const HandEdits::Group *edit : qAsConst(added)) {
        newHeadwords.append({edit->key, edit->line, {edit->key}});
        warnings->append(
            {entryFile, edit->line, Diagnostic::Warning,
             QStringLiteral("%1 is not a headword of the import (its record may be gone): the "
                            "hand-written entry is added as a new one")
                 .arg(edit->key),
             QStringLiteral("hand-written entry of a headword the import does not have"),
             QStringLiteral("delete it from %1 if the word is gone").arg(entryFile)});
    }
    int unused = 0;
    QVector<const HandEdits::Group *> addedHeadwords;
    const QStringList headwordLines = merged(headwords, newHeadwords, &unused, &addedHeadwords);

    added.clear();
    const QStringList lexicon = merged(lexiconGroups(sources->lexicon.lines()), edits.lexicon,
                                       &counts.lexiconReplaced, &added);
    counts.lexiconAdded = added.size();
    for (const HandEdits::Group *edit : qAsConst(added))
        warnings->append(
            {lexiconFile, edit->line, Diagnostic::Warning,
             QStringLiteral("%1 is not a word of the imported lexicon (its record may be gone): "
                            "the hand-written rows are added")
                 .arg(edit->key),
             QStringLiteral("hand-written lexicon rows of a word the import does not have"),
             QStringLiteral("delete them from %1 if the word is gone").arg(lexiconFile)});

    sources->entries = SourceLines(entries);
    sources->headwords = SourceLines(headwordLines);
    sources->lexicon = SourceLines(lexicon);
    if (edits.about) {
        sources->about = SourceLines(*edits.about);
        counts.about = true;
    }
    return counts;
}

QString HandEditCounts::text() const
{
    QString text = QStringLiteral("hand edits: entries of %1 headword(s) replaced, %2 added; "
                                  "lexicon rows of %3 word(s) replaced, %4 added")
                       .arg(entriesReplaced)
                       .arg(entriesAdded)
                       .arg(lexiconReplaced)
                       .arg(lexiconAdded);
    if (about)
        text += QStringLiteral("; about file replaced");
    return text;
}
