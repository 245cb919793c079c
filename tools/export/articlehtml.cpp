#include "articlehtml.h"

#include "entrystyle.h"
#include "importedtext.h"

#include <QStringList>

namespace {

QString escaped(const QString &text)
{
    return plainArticleText(text).toHtmlEscaped();
}

// The opening tag of a look's span.
QString spanStart(EntryLook look)
{
    const LookStyle style = lookStyle(look);
    QString css = QStringLiteral("color:") + QLatin1String(style.colour);
    if (style.bold)
        css += QStringLiteral(";font-weight:bold");
    if (style.italic)
        css += QStringLiteral(";font-style:italic");
    return QStringLiteral("<span style=\"%1\">").arg(css);
}

} // namespace

QString plainArticleText(const QString &text)
{
    return withPlainCharacters(text);
}

QString lineHtml(const QString &line)
{
    // The looks are those of the line as the entry view shows it; each piece is then
    // made plain and escaped on its own, so that neither can shift a look.
    QString html;
    int done = 0;
    for (const StyledRun &run : styledRuns(line)) {
        html += escaped(line.mid(done, run.start - done));
        html += spanStart(run.look) + escaped(line.mid(run.start, run.length)) +
                QStringLiteral("</span>");
        done = run.start + run.length;
    }
    return html + escaped(line.mid(done));
}

QString entryHtml(const QString &entryText)
{
    QStringList lines = entryText.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        line = lineHtml(line);
    return lines.join(QStringLiteral("<br>"));
}
