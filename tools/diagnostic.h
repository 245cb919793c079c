#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

// One problem found in a producer's file, printed as "file:line: error: message".
struct Diagnostic
{
    enum Severity { Error, Warning };

    QString file;
    int line = 0; // 1-based; 0 when the problem concerns the whole file
    Severity severity = Error;
    QString message;

    QString toString() const;
};

// "U+0190" for Ɛ: how messages name a character.
QString codePointName(QChar c);

// Writes bytes, or a text and a line feed in UTF-8, to a standard stream.
void print(FILE *stream, const QByteArray &bytes);
void printLine(FILE *stream, const QString &text);
