#include "informationtext.h"

#include "importedtext.h"

QString informationText(int headwordCount, int lexiconRowCount, const QStringList &aboutLines)
{
    // ɲ U+0272, ɛ U+025B, ɔ U+0254, ʃ U+0283; ♦ U+2666, ↑ U+2191, ↓ U+2193.
    QStringList lines = {
        QStringLiteral("LEXORA 1.5 KUNNAFONI"),
        QStringLiteral("Da\u0272\u025B %1 ni k\u0254 \u0272\u025Bf\u0254len don "
                       "Da\u0272\u025Bgafe k\u0254n\u0254.")
            .arg(groupedNumber(headwordCount)),
        QStringLiteral("Da\u0272\u025B %1 ni k\u0254 \u0272\u025Bf\u0254len don "
                       "Da\u0272\u025Bs\u025Bb\u025Bn k\u0254n\u0254.")
            .arg(groupedNumber(lexiconRowCount)),
        QStringLiteral("Misaliw b\u025B Damin\u025B ni \u2666 taama\u0283y\u025Bn ye "
                       "k'a kumasen \u0272\u025B K\u025B \u0272ugubaga ye."),
        QStringLiteral("Da\u0272\u025B k\u0254r\u0254ma b\u025B Damin\u025B ni \u2191 "
                       "taama\u0283y\u025Bn ye."),
        QStringLiteral("Da\u0272\u025B sinama b\u025B Damin\u025B ni \u2193 "
                       "taama\u0283y\u025Bn ye."),
        QString(),
        // The program's makers, true whatever data it shows.
        QStringLiteral("Dilanbagaw: Lexora j\u025Bkulu."),
    };
    // Whose data they are, as the dictionary itself says.
    for (const QString &line : aboutLines)
        lines.append(withoutMarkup(line));
    lines += {QString(), QStringLiteral("I ni ce!")};
    return lines.join(QLatin1Char('\n'));
}

QString groupedNumber(int number)
{
    QString digits = QString::number(number);
    const int firstDigit = digits.startsWith(QLatin1Char('-')) ? 1 : 0;
    for (int i = digits.size() - 3; i > firstDigit; i -= 3)
        digits.insert(i, QLatin1Char(' '));
    return digits;
}
