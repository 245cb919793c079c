// The font that the viewer gets when it asks for "arial unicode ms", with Lexora's font
// configuration active (FONTCONFIG_FILE), has a glyph for every character that the
// viewer can show: the sample dictionary, the window's own texts and the letters of the
// ten key tables.

#include "keytables.h"
#include "widget.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QSet>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

namespace {

const QString sourceDir = QStringLiteral(LEXORA_SOURCE_DIR);

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString sampleDataText()
{
    QString text;
    for (const QString &name :
         {QStringLiteral("res-src/headwords.txt"), QStringLiteral("res-src/entries.txt"),
          QStringLiteral("res-src/lexicon.txt"), QStringLiteral("res-src/handmade/entries.txt"),
          QStringLiteral("res-src/handmade/lexicon.txt")})
        text += readText(sourceDir + QLatin1Char('/') + name);
    return text;
}

// Every text the main window shows: labels, placeholders, tab titles, the title and the
// information text of the entry view.
QString windowText()
{
    Widget window;
    QString text = window.windowTitle();
    for (const QLabel *label : window.findChildren<QLabel *>())
        text += label->text();
    for (const QLineEdit *field : window.findChildren<QLineEdit *>())
        text += field->placeholderText();
    for (const QTabWidget *tabs : window.findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            text += tabs->tabText(i);
    }
    for (const QTextEdit *view : window.findChildren<QTextEdit *>())
        text += view->toPlainText();
    return text;
}

QString keyTableText()
{
    const Qt::KeyboardModifiers sets[] = {
        Qt::NoModifier,
        Qt::ShiftModifier,
        Qt::AltModifier,
        Qt::AltModifier | Qt::ShiftModifier,
        Qt::ControlModifier | Qt::AltModifier,
        Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier,
    };
    QString text;
    for (int language = 1; language <= 10; ++language) {
        for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
            for (const Qt::KeyboardModifiers pressed : sets) {
                if (const auto letter = specialLetterFor(language, key, pressed))
                    text += QChar(letter->character);
            }
        }
    }
    return text;
}

} // namespace

class TestFontCoverage : public QObject
{
    Q_OBJECT

private slots:
    void resolvesToAConfiguredFont();
    void everyCharacterHasAGlyph_data();
    void everyCharacterHasAGlyph();
};

void TestFontCoverage::resolvesToAConfiguredFont()
{
    QVERIFY2(qEnvironmentVariableIsSet("FONTCONFIG_FILE"), "run with Lexora's font configuration");
    const QFontInfo info(QFont(QStringLiteral("arial unicode ms"), 10));
    const QStringList configured{QStringLiteral("DejaVu Sans"), QStringLiteral("Andika"),
                                 QStringLiteral("Noto Sans")};
    QVERIFY2(configured.contains(info.family()), qPrintable(info.family()));
}

void TestFontCoverage::everyCharacterHasAGlyph_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mustHold"); // characters the text is known to contain

    // ɛ U+025B, ɔ U+0254, ŋ U+014B, ʃ U+0283, Л U+041B, ♦ U+2666, ↑ U+2191, ↓ U+2193
    QTest::newRow("sample dictionary")
        << sampleDataText() << QStringLiteral("\u025B\u0254\u014B\u0283\u041B\u2666\u2191\u2193");
    QTest::newRow("window texts") << windowText() << QStringLiteral("\u0272\u041B\u0190\u2666");
    // ς U+03C2 and Ϛ U+03DA, ṣ U+1E63, ʒ U+0292, Ƴ U+01B3
    QTest::newRow("key tables") << keyTableText()
                                << QStringLiteral("\u03C2\u03DA\u1E63\u0292\u01B3\u041B");
}

void TestFontCoverage::everyCharacterHasAGlyph()
{
    QFETCH(QString, text);
    QFETCH(QString, mustHold);

    for (const QChar c : mustHold)
        QVERIFY2(text.contains(c), qPrintable(QString(c)));

    const QFont font(QStringLiteral("arial unicode ms"), 10);
    const QRawFont raw = QRawFont::fromFont(font);
    QVERIFY(raw.isValid());
    QSet<uint> missing;
    for (const uint c : text.toUcs4()) {
        if (QChar::isSpace(c) || QChar::category(c) == QChar::Other_Control)
            continue;
        if (!raw.supportsCharacter(c))
            missing.insert(c);
    }
    QStringList names;
    for (const uint c : missing)
        names.append(QStringLiteral("U+%1").arg(c, 4, 16, QLatin1Char('0')).toUpper());
    names.sort();
    QVERIFY2(missing.isEmpty(), qPrintable(raw.familyName() + QStringLiteral(" lacks ") +
                                           names.join(QLatin1Char(' '))));
}

QTEST_MAIN(TestFontCoverage)
#include "tst_fontcoverage.moc"
