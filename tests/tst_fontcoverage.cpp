// The font that the viewer gets when it asks for "arial unicode ms", with Lexora's font
// configuration active (FONTCONFIG_FILE), has a glyph for every character the viewer can
// show: the sample dictionary, the window's own texts and the letters of the key tables.

#include "keytables.h"
#include "widget.h"

#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QTabWidget>
#include <QTextEdit>
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
    Widget window; // its texts: title, labels, placeholders, tabs, information text
    text += window.windowTitle() + window.findChild<QTextEdit *>()->toPlainText();
    for (const QLabel *label : window.findChildren<QLabel *>())
        text += label->text();
    for (const QLineEdit *field : window.findChildren<QLineEdit *>())
        text += field->placeholderText();
    const auto *tabs = window.findChild<QTabWidget *>();
    for (int i = 0; i < tabs->count(); ++i)
        text += tabs->tabText(i);
    const Qt::KeyboardModifiers sets[] = {Qt::NoModifier,
                                          Qt::ShiftModifier,
                                          Qt::AltModifier,
                                          Qt::AltModifier | Qt::ShiftModifier,
                                          Qt::ControlModifier | Qt::AltModifier,
                                          Qt::ControlModifier | Qt::AltModifier |
                                              Qt::ShiftModifier};
    for (int language = 1; language <= 10; ++language) {
        for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
            for (const Qt::KeyboardModifiers pressed : sets) {
                if (const auto letter = specialLetterFor(language, key, pressed))
                    text += QChar(letter->character);
            }
        }
    }
    // From each source: ɛ U+025B, ♦ U+2666 (data and window), Л U+041B (tabs), ṣ U+1E63
    // (key table 10).
    for (const QChar c : QStringLiteral("\u025B\u2666\u041B\u1E63"))
        QVERIFY2(text.contains(c), qPrintable(QString(c)));

    const QRawFont raw = QRawFont::fromFont(QFont(QStringLiteral("arial unicode ms"), 10));
    QVERIFY(raw.isValid());
    QStringList missing;
    for (const uint c : text.toUcs4()) {
        const QString name = QStringLiteral("U+%1").arg(c, 4, 16, QLatin1Char('0')).toUpper();
        if (!QChar::isSpace(c) && QChar::category(c) != QChar::Other_Control &&
            !raw.supportsCharacter(c) && !missing.contains(name))
            missing << name;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(raw.familyName() + QStringLiteral(" lacks ") +
                                           missing.join(QLatin1Char(' '))));
}

QTEST_MAIN(TestFontCoverage)
#include "tst_fontcoverage.moc"
