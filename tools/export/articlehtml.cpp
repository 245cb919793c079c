#include "articlehtml.h"

#include "entrystyle.h"
#include "importedtext.h"

#include <QStringList>

#include <array>

namespace {

QString escaped(const QString &text)
{
    return plainArticleText(text).toHtmlEscaped();
}

// The opening tag of a look's span.
QString makeSpanStart(EntryLook look)
{
    const LookStyle style = lookStyle(look);
    QString css = QStringLiteral("color:") + QLatin1String(style.colour);
    if (style.bold)
        css += QStringLiteral(";font-weight:bold");
    if (style.italic)
        css += QStringLiteral(";font-style:italic");
    return QStringLiteral("<span style=\"%1\">").arg(css);
}

// The same, made once for each look.
const QString &spanStart(EntryLook look)
{
    static const std::array<QString, entryLookCount> starts = [] {
        std::array<QString, entryLookCount> made;
        for (int i = 0; i < entryLookCount; ++i)
            made[size_t(i)] = makeSpanStart(EntryLook(i));
        return made;
    }();
    return starts[size_t(look)];
}

} // namespace

QString plainArticleText(const QString &text)
{
    return withPlainCharacters(text);
}

QString lineHtml(const QString &line)
{
    return lineHtml(line, WordLink());
}

QString lineHtml(const QString &line, const WordLink &link)
{
    // The looks are those of the line as the entry view shows it; each piece is then
    // made plain and escaped on its own, so that neither can shift a look.
    QString html;
    int done = 0;
    for (const StyledRun &run : styledRuns(line)) {
        html += escaped(line.mid(done, run.start - done));
        const QString text = line.mid(run.start, run.length);
        const bool related =
            (run.look == EntryLook::UpArrowWord && text.startsWith(QChar(0x2191))) ||
            (run.look == EntryLook::DownArrowWord &&
             text.startsWith(QChar(0x2193))); // ↑WORD, ↓WORD
        const QString address = related && link ? link(text.mid(1)) : QString();
        html += spanStart(run.look);
        if (address.isEmpty()) {
            html += escaped(text);
            html += QLatin1String("</span>");
        } else {
            html += escaped(text.left(1));
            html += QStringLiteral("<a href=\"%1\">").arg(address.toHtmlEscaped());
            html += escaped(text.mid(1));
            html += QLatin1String("</a></span>");
        }
        done = run.start + run.length;
    }
    return html + escaped(line.mid(done));
}

QString entryHtml(const QString &entryText)
{
    return entryHtml(entryText, WordLink());
}

QString entryHtml(const QString &entryText, const WordLink &link)
{
    QStringList lines = entryText.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        line = lineHtml(line, link);
    return lines.join(QStringLiteral("<br>"));
}
