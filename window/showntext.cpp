#include "showntext.h"

#include <QStringView>

QString cutLongLines(const QString &text, int maximum)
{
    if (text.size() <= maximum)
        return text;
    const QChar lineBreak = QLatin1Char('\n');
    QString shown;
    int start = 0;
    while (start <= text.size()) {
        int end = text.indexOf(lineBreak, start);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(start, end - start);
        if (line.size() > maximum) {
            shown.append(line.left(maximum));
            shown.append(QChar(0x2026)); // …
        } else {
            shown.append(line);
        }
        if (end < text.size())
            shown.append(lineBreak);
        start = end + 1;
    }
    return shown;
}

QString notFoundMessage(const QString &searchForm)
{
    return QStringLiteral("<strong>") + searchForm.toHtmlEscaped() +
           QStringLiteral("</strong> ma ye.");
}
