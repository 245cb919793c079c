#pragma once

#include <QByteArray>
#include <QString>

#include "textfile.h"

#include <cstdio>

// One problem found in a producer's file, printed as "file:line: error: message".
struct Diagnostic
{
    enum Severity { Error, Warning };

    Diagnostic() = default;
    Diagnostic(const QString &file, int line, Severity severity, const QString &message,
               const QString &kind = QString(), const QString &hint = QString(), bool loss = false)
        : file(file), line(line), severity(severity), message(message), kind(kind), hint(hint),
          loss(loss)
    {
    }

    QString file;
    int line = 0; // 1-based; 0 when the problem concerns the whole file
    Severity severity = Error;
    QString message;
    // Of an importer's warnings: what kind of change it is (warnings of one kind are
    // printed together; empty: the message is its kind), what would change it (a map line,
    // an option), and whether something a reader would see is lost (a record, a gloss, a
    // relation, a line).
    QString kind;
    QString hint;
    bool loss = false;

    QString toString() const;
};

// "U+0190" for Ɛ: how messages name a character.
QString codePointName(QChar c);

// Messages of problems that both the compiler and the checker find.
namespace messages {
QString textFlaw(const TextFlaw &flaw); // bytes of a file that are not clean text
QString strayLine();                    // a line above the first head line
QString headLineWithoutHeadword();
QString noLetterFile(const QString &headword);
// A headword that is not written in its search form `form`, as listed or as an entry's.
QString listedNotInSearchForm(const QString &headword, const QString &form);
QString entryNotInSearchForm(const QString &headword, const QString &form);
} // namespace messages

// Writes bytes, or a text and a line feed in UTF-8, to a standard stream.
void print(FILE *stream, const QByteArray &bytes);
void printLine(FILE *stream, const QString &text);
