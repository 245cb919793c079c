// The font the viewer gets for "arial unicode ms" with Lexora's font configuration has a glyph
// for every character of the sample dictionary, the window's own texts and the key tables.

#include "keytables.h"
#include "widget.h"

#include <QRawFont>
#include <QTabWidget>
#include <QtTest>

class TestFontCoverage : public QObject
{
    Q_OBJECT

private slots:
    void everyCharacterHasAGlyph();
};

void TestFontCoverage::everyCharacterHasAGlyph()
{
    QVERIFY2(qEnvironmentVariableIsSet("FONTCONFIG_FILE"), "run with Lexora's font configuration");
    QString text;
    for (const char *name : {"headwords.txt", "entries.txt", "lexicon.txt", "handmade/entries.txt",
                             "handmade/lexicon.txt"}) {
        QFile file(QStringLiteral(LEXORA_SOURCE_DIR "/res-src/") + QLatin1String(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), name);
        text += QString::fromUtf8(file.readAll());
    }
    Widget window; // information text, labels, placeholders, tabs (the title is not drawn here)
    for (const QWidget *child : window.findChildren<QWidget *>())
        for (const char *property : {"plainText", "text", "placeholderText"})
            text += child->property(property).toString();
    const auto *tabs = window.findChild<QTabWidget *>();
    for (int i = 0; i < tabs->count(); ++i)
        text += tabs->tabText(i);
    for (int language = 1; language <= 10; ++language)
        for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key)
            for (uint held = 0; held < 8; ++held) // Shift, Ctrl, Alt: three flags in a row
                if (const auto letter = specialLetterFor(language, key, {Qt::ShiftModifier * held}))
                    text += QChar(letter->character);
    // ɛ U+025B (data), ♦ U+2666 (data, window), Л U+041B (tabs), ṣ U+1E63 (key table 10)
    for (const QChar c : QStringLiteral("\u025B\u2666\u041B\u1E63"))
        QVERIFY2(text.contains(c), qPrintable(QString(c)));

    const QRawFont raw = QRawFont::fromFont(QFont(QStringLiteral("arial unicode ms"), 10));
    const QVector<uint> characters = text.toUcs4();
    QString missing;
    for (const uint c : QSet<uint>(characters.begin(), characters.end()))
        if (QChar::isPrint(c) && !raw.supportsCharacter(c))
            missing += QStringLiteral(" U+%1").arg(c, 4, 16, QLatin1Char('0')).toUpper();
    QVERIFY2(missing.isEmpty(), qPrintable(raw.familyName() + QStringLiteral(" lacks") + missing));
}

QTEST_MAIN(TestFontCoverage)
#include "tst_fontcoverage.moc"
