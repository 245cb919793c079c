#include "diagnostic.h"

QString Diagnostic::toString() const
{
    const QString where = line > 0 ? file + QLatin1Char(':') + QString::number(line) : file;
    const QString kind = severity == Error ? QStringLiteral("error") : QStringLiteral("warning");
    return where + QStringLiteral(": ") + kind + QStringLiteral(": ") + message;
}

QString codePointName(QChar c)
{
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

void print(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void printLine(FILE *stream, const QString &text)
{
    print(stream, text.toUtf8() + '\n');
}

namespace messages {

QString textFlaw(const TextFlaw &flaw)
{
    return QStringLiteral("%1 at column %2").arg(flaw.description).arg(flaw.column);
}

QString strayLine()
{
    return QStringLiteral("this line belongs to no entry: no head line stands above it");
}

QString headLineWithoutHeadword()
{
    return QStringLiteral("this line reads as a head line (its first \"[\" is not its first "
                          "character) but no headword stands before \" [\", so no lookup "
                          "reaches it");
}

QString noLetterFile(const QString &headword)
{
    return QStringLiteral("headword \"%1\" begins with a character that has no letter file")
        .arg(headword);
}

QString listedNotInSearchForm(const QString &headword, const QString &form)
{
    // The search field compares the headword as listed, blanks included.
    return QStringLiteral("headword \"%1\" is not in search form, so the search field never "
                          "finds it; write it as \"%2\"")
        .arg(headword, form);
}

QString entryNotInSearchForm(const QString &headword, const QString &form)
{
    return QStringLiteral("headword \"%1\" is not in search form, so no lookup reaches it; "
                          "write it as \"%2\"")
        .arg(headword, form);
}

} // namespace messages
