#include "dictionarychecker.h"

#include "datafile.h"
#include "datafilenames.h"
#include "dictionarysources.h"
#include "entrylookup.h"
#include "rulematchers.h"
#include "alphabet.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Adds `item` to `visited`; whether it was not there yet.
bool firstVisit(QSet<QString> *visited, const QString &item)
{
    const int before = visited->size();
    visited->insert(item);
    return visited->size() > before;
}

// How the entry view's colouring rules would draw a line as what it is not, or empty: the
// text in front of the last "(" of a line is drawn bold blue, the text in front of the
// last "[" as a headword, each over whatever colour it had (tags, examples, ...). Only a
// head line's own bracket is meant that way, with nothing but the headword in front of it.
QString colouringDistortion(const QString &line, bool headLine)
{
    int length = 0;
    if (matchBeforeLastParenthesis(line, 0, &length) >= 0 && length > 0)
        return QStringLiteral("\"(\"");
    const int start = matchBeforeLastBracket(line, 0, &length);
    if (start >= 0 && length > 0 && !(headLine && start + length == line.indexOf(QLatin1Char('['))))
        return QStringLiteral("\"[\"");
    return QString();
}

} // namespace

DictionaryChecker::Outcome DictionaryChecker::check(const QString &resDir)
{
    m_resDir = resDir;
    m_headwords.clear();
    m_lexicon.clear();
    m_about.reset();
    m_reversal.clear();
    m_letterFiles.clear();
    m_letterIndex.clear();
    m_letterTexts.clear();
    m_entryCount = 0;
    m_diagnostics.clear();

    if (!readFiles(resDir))
        return Outcome::Unusable;

    checkLineCharacters(dataFilePath(resDir, headwordFileName()), m_headwords);
    checkLineCharacters(dataFilePath(resDir, lexiconFileName()), m_lexicon);
    if (m_about)
        checkLineCharacters(dataFilePath(resDir, aboutFileName()), *m_about);
    else
        report(dataFilePath(resDir, aboutFileName()), 0, Diagnostic::Warning,
               QStringLiteral("no about file: the viewer names no source or licence for this "
                              "dictionary; write about.txt beside the sources"));
    checkLineCharacters(dataFilePath(resDir, reversalFileName()), m_reversal);
    for (LetterFile &file : m_letterFiles) {
        checkLineCharacters(file.path, file.lines);
        indexLetterFile(&file);
    }
    // Each letter text is indexed once, so that checking is linear in its size.
    EntryFinder finder(m_letterTexts, 0);
    checkHeadwordList(finder);
    checkLexicon();
    checkReversal();
    checkCrossReferences(finder);
    checkRelatedWords(finder);
    checkReachability(finder);

    // Report in reading order: the headword file, the lexicon, then the letter files in
    // alphabet order, each by line.
    QHash<QString, int> fileRank;
    fileRank.insert(dataFilePath(resDir, headwordFileName()), 0);
    fileRank.insert(dataFilePath(resDir, lexiconFileName()), 1);
    fileRank.insert(dataFilePath(resDir, aboutFileName()), 2);
    fileRank.insert(dataFilePath(resDir, reversalFileName()), 3);
    for (int i = 0; i < m_letterFiles.size(); ++i)
        fileRank.insert(m_letterFiles.at(i).path, i + 4);
    std::stable_sort(m_diagnostics.begin(), m_diagnostics.end(),
                     [&](const Diagnostic &a, const Diagnostic &b) {
                         const int rankA = fileRank.value(a.file);
                         const int rankB = fileRank.value(b.file);
                         return rankA != rankB ? rankA < rankB : a.line < b.line;
                     });
    return m_diagnostics.isEmpty() ? Outcome::Clean : Outcome::Problems;
}

int DictionaryChecker::errorCount() const
{
    return int(std::count_if(m_diagnostics.begin(), m_diagnostics.end(),
                             [](const Diagnostic &d) { return d.severity == Diagnostic::Error; }));
}

int DictionaryChecker::warningCount() const
{
    return m_diagnostics.size() - errorCount();
}

bool DictionaryChecker::readFiles(const QString &resDir)
{
    if (!QFileInfo(resDir).isDir()) {
        report(resDir, 0, Diagnostic::Error, QStringLiteral("no such directory"));
        return false;
    }
    bool usable = true;
    const auto read = [&](const QString &name, QStringList *lines) {
        const QString path = dataFilePath(resDir, name);
        TextReadReport problems;
        const auto content = readDataFile(path, &problems);
        if (!content) {
            report(path, 0, Diagnostic::Error,
                   QStringLiteral("cannot read this file: ") + problems.failure);
            usable = false;
            return;
        }
        for (const TextFlaw &flaw : qAsConst(problems.flaws))
            report(path, flaw.line, Diagnostic::Error, messages::textFlaw(flaw));
        *lines = *content;
    };
    read(headwordFileName(), &m_headwords);
    read(lexiconFileName(), &m_lexicon);
    // The about file is optional: its absence is a warning, given by check().
    const QFileInfo about(dataFilePath(resDir, aboutFileName()));
    if (about.exists() || about.isSymLink()) {
        m_about.emplace();
        read(aboutFileName(), &*m_about);
    }
    const QFileInfo reversal(dataFilePath(resDir, reversalFileName()));
    if (reversal.exists() || reversal.isSymLink())
        read(reversalFileName(), &m_reversal);
    for (const QChar letter : dictionaryAlphabet()) {
        LetterFile file;
        file.key = QString(letter);
        file.path = dataFilePath(resDir, letterFileName(letter));
        read(letterFileName(letter), &file.lines);
        m_letterTexts.insert(file.key, joinLines(file.lines));
        m_letterIndex.insert(file.key, m_letterFiles.size());
        m_letterFiles.append(file);
    }
    return usable;
}

void DictionaryChecker::checkLineCharacters(const QString &path, const QStringList &lines)
{
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        for (int column = 0; column < line.size(); ++column) {
            if (line.at(column).category() == QChar::Other_Control) {
                report(path, i + 1, Diagnostic::Error,
                       QStringLiteral("control character %1 at column %2")
                           .arg(codePointName(line.at(column)))
                           .arg(column + 1));
                break;
            }
        }
        if (!line.isEmpty() && line.back().isSpace())
            report(path, i + 1, Diagnostic::Warning, QStringLiteral("trailing blank"));
    }
}

void DictionaryChecker::checkHeadwordList(EntryFinder &finder)
{
    const QString path = dataFilePath(m_resDir, headwordFileName());
    QHash<QString, int> listedAt;
    for (int i = 0; i < m_headwords.size(); ++i) {
        const QString &headword = m_headwords.at(i);
        const QString form = searchForm(headword);
        if (form.isEmpty()) {
            report(path, i + 1, Diagnostic::Error,
                   QStringLiteral("empty headword: the list shows an empty item"));
            continue;
        }
        if (form != headword)
            report(path, i + 1, Diagnostic::Error, messages::listedNotInSearchForm(headword, form));
        if (listedAt.contains(form)) {
            report(path, i + 1, Diagnostic::Warning,
                   QStringLiteral("headword %1 is listed already at line %2")
                       .arg(quoted(form))
                       .arg(listedAt.value(form)));
        } else {
            listedAt.insert(form, i + 1);
        }
        const LetterFile *file = letterFileOf(form);
        if (!file) {
            report(path, i + 1, Diagnostic::Error, messages::noLetterFile(form));
        } else if (!finder.find(form).found) {
            report(path, i + 1, Diagnostic::Error,
                   QStringLiteral("headword %1 has no entry in %2")
                       .arg(quoted(form), letterFileName(file->key.at(0))));
        }
    }
}

void DictionaryChecker::checkLexicon()
{
    const QString path = dataFilePath(m_resDir, lexiconFileName());
    for (int i = 0; i < m_lexicon.size(); ++i) {
        if (!m_lexicon.at(i).contains(QLatin1Char('|'))) {
            report(path, i + 1, Diagnostic::Error,
                   QStringLiteral("no \"|\" between the word and its gloss"));
        }
    }
}

void DictionaryChecker::checkReversal()
{
    const QString path = dataFilePath(m_resDir, reversalFileName());
    QSet<QString> words;
    for (const QString &line : qAsConst(m_lexicon))
        words.insert(searchForm(line.section(QLatin1Char('|'), 0, 0)));
    for (int i = 0; i < m_reversal.size(); ++i) {
        const QString &line = m_reversal.at(i);
        if (!line.contains(QLatin1Char('|'))) {
            report(path, i + 1, Diagnostic::Error,
                   QStringLiteral("no \"|\" between the word and its reversal"));
            continue;
        }
        const QString word = searchForm(line.section(QLatin1Char('|'), 0, 0));
        if (!words.contains(word))
            report(path, i + 1, Diagnostic::Warning,
                   QStringLiteral("%1 has no lexicon row, so the French index does not use its "
                                  "reversal")
                       .arg(quoted(word)));
    }
}

void DictionaryChecker::indexLetterFile(LetterFile *file)
{
    QHash<QString, int> firstGroupAt;
    bool reportedStrayLines = false;
    for (int i = 0; i < file->lines.size(); ++i) {
        const QStringView line = QStringView(file->lines.at(i)).trimmed();
        const QString distortion = colouringDistortion(file->lines.at(i), isHeadLine(line));
        if (!distortion.isEmpty()) {
            report(file->path, i + 1, Diagnostic::Warning,
                   QStringLiteral("the text in front of the last %1 is coloured as a headword; "
                                  "in text write \u2768 \u2769 for ( ) and \u2045 \u2046 for "
                                  "[ ] (docs/data-format.md)")
                       .arg(distortion));
        }
        if (!isHeadLine(line)) {
            if (file->headLines.isEmpty() && !line.isEmpty() && !reportedStrayLines) {
                report(file->path, i + 1, Diagnostic::Warning, messages::strayLine());
                reportedStrayLines = true;
            }
            continue;
        }
        HeadLine head{i + 1, headLineHeadword(line).toString(), true};
        head.opensGroup = file->headLines.isEmpty() || head.headword.isEmpty() ||
                          file->headLines.constLast().headword != head.headword;
        file->headLines.append(head);

        if (head.headword.isEmpty()) {
            report(file->path, head.line, Diagnostic::Error, messages::headLineWithoutHeadword());
            continue;
        }
        ++m_entryCount;
        const QString form = searchForm(head.headword);
        if (form != head.headword) {
            report(file->path, head.line, Diagnostic::Error,
                   messages::entryNotInSearchForm(head.headword, form));
            continue;
        }
        const QString key = letterKey(form);
        if (key != file->key) {
            report(file->path, head.line, Diagnostic::Error,
                   QStringLiteral("the entry of %1 stands in %2, but its lookup reads %3")
                       .arg(quoted(form), letterFileName(file->key.at(0)),
                            m_letterIndex.contains(key) ? letterFileName(key.at(0))
                                                        : QStringLiteral("no letter file")));
            continue;
        }
        if (!head.opensGroup)
            continue;
        if (firstGroupAt.contains(form)) {
            report(file->path, head.line, Diagnostic::Error,
                   QStringLiteral("this homograph of %1 is separated from its first entry "
                                  "(line %2) by another entry, so it is never shown")
                       .arg(quoted(form))
                       .arg(firstGroupAt.value(form)));
        } else {
            firstGroupAt.insert(form, head.line);
        }
    }
}

void DictionaryChecker::checkCrossReferences(EntryFinder &finder)
{
    struct Reference
    {
        const LetterFile *file;
        int line;
        int rank; // place in reading order
    };
    QHash<QString, Reference> references; // headword -> its first entry, a reference
    QStringList inReadingOrder;

    forEachLookedUpEntry([&](const LetterFile &file, const HeadLine &head) {
        const EntryExtract entry = finder.find(head.headword);
        if (!entry.isCrossReference)
            return;
        const QString target = searchForm(entry.crossReferenceTarget);
        if (target.isEmpty()) {
            report(file.path, head.line, Diagnostic::Error,
                   QStringLiteral("cross-reference without a headword after \"=>\""));
        } else if (!finder.find(target).found) {
            report(file.path, head.line, Diagnostic::Error,
                   QStringLiteral("cross-reference to %1, which has no entry").arg(quoted(target)));
        } else {
            references.insert(head.headword, {&file, head.line, int(inReadingOrder.size())});
            inReadingOrder.append(head.headword);
        }
    });

    // Each chain is walked once: a walk stops where an earlier one passed. A circle is
    // reported once, at its member that comes first in reading order.
    QSet<QString> settled;
    for (const QString &start : qAsConst(inReadingOrder)) {
        QStringList passed;
        const ReferenceWalk walk =
            walkReferences(finder, start, [&](const QString &form, const EntryExtract &) {
                if (!firstVisit(&settled, form))
                    return false;
                passed.append(form);
                return true;
            });
        if (walk.end != ReferenceWalk::Circle)
            continue;
        QStringList circle = passed.mid(passed.indexOf(walk.form));
        const auto first =
            std::min_element(circle.begin(), circle.end(), [&](const QString &a, const QString &b) {
                return references.value(a).rank < references.value(b).rank;
            });
        std::rotate(circle.begin(), first, circle.end());
        const Reference &opening = references[circle.first()];
        report(opening.file->path, opening.line, Diagnostic::Error,
               QStringLiteral("cross-references run in a circle: %1 => %2")
                   .arg(circle.join(QStringLiteral(" => ")), circle.first()));
    }
}

void DictionaryChecker::checkRelatedWords(EntryFinder &finder)
{
    // The word after an arrow is what the colouring draws as one: its letters and digits.
    const QString arrows = QStringLiteral("\u2191\u2193"); // ↑ ↓
    for (const LetterFile &file : qAsConst(m_letterFiles)) {
        for (int i = 0; i < file.lines.size(); ++i) {
            const QString &line = file.lines.at(i);
            for (int at = 0; at < line.size(); ++at) {
                if (!arrows.contains(line.at(at)))
                    continue;
                int end = at + 1;
                while (end < line.size() &&
                       (line.at(end).isLetterOrNumber() || line.at(end).isMark() ||
                        line.at(end) == QLatin1Char('_')))
                    ++end;
                const QString word = line.mid(at + 1, end - at - 1);
                const QString form = searchForm(word);
                if (!form.isEmpty() && !finder.find(form).found)
                    report(file.path, i + 1, Diagnostic::Warning,
                           QStringLiteral("related word %1%2 names no entry")
                               .arg(line.at(at))
                               .arg(word));
                at = end - 1;
            }
        }
    }
}

void DictionaryChecker::checkReachability(EntryFinder &finder)
{
    QSet<QString> reached;
    for (const QString &headword : qAsConst(m_headwords)) {
        walkReferences(finder, headword, [&](const QString &form, const EntryExtract &) {
            return firstVisit(&reached, form);
        });
    }
    // Entries that are misplaced, not in search form or separated homographs are reported
    // as such already.
    forEachLookedUpEntry([&](const LetterFile &file, const HeadLine &head) {
        if (!reached.contains(head.headword)) {
            report(file.path, head.line, Diagnostic::Warning,
                   QStringLiteral("no listed headword reaches the entry of %1: list it "
                                  "in %2 or point a cross-reference to it")
                       .arg(quoted(head.headword), headwordFileName()));
        }
    });
}

void DictionaryChecker::forEachLookedUpEntry(
    const std::function<void(const LetterFile &, const HeadLine &)> &visit) const
{
    for (const LetterFile &file : m_letterFiles) {
        QSet<QString> seen;
        for (const HeadLine &head : file.headLines) {
            // Only the first entry of a headword is ever looked up.
            if (opensReachableEntry(head, file) && firstVisit(&seen, head.headword))
                visit(file, head);
        }
    }
}

bool DictionaryChecker::opensReachableEntry(const HeadLine &head, const LetterFile &file)
{
    return head.opensGroup && !head.headword.isEmpty() &&
           searchForm(head.headword) == head.headword && letterKey(head.headword) == file.key;
}

const DictionaryChecker::LetterFile *DictionaryChecker::letterFileOf(const QString &form) const
{
    const auto index = m_letterIndex.constFind(letterKey(form));
    return index == m_letterIndex.constEnd() ? nullptr : &m_letterFiles.at(*index);
}

void DictionaryChecker::report(const QString &file, int line, Diagnostic::Severity severity,
                               const QString &message)
{
    m_diagnostics.append({file, line, severity, message});
}
