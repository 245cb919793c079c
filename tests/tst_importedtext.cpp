// Imported text and the entry view's mark-up: each mark-up character written as its
// look-alike and a tag word kept from standing as a word, and back. Code points: U+034F
// combining grapheme joiner, U+2768/2769 medium parenthesis ornaments, U+2045/2046 square
// brackets with quill, U+2774/2775 medium curly bracket ornaments, U+2215 division slash,
// U+2666/25C6 black diamond suit/black diamond, U+2191/21E1 and U+2193/21E3 arrows and dashed
// arrows up and down, U+2022/2219 bullet/bullet operator.

#include "importedtext.h"
#include "linecodec.h"

#include <QtTest>

class TestImportedText : public QObject
{
    Q_OBJECT

private slots:
    void lookAlikes_data();
    void lookAlikes();
    void lookAlikesCanBeStoredAnywhere();
};

void TestImportedText::lookAlikes_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("shown");
    QTest::newRow("brackets, braces, slash")
        << QStringLiteral("a (b) [c] {d} e/f")
        << QStringLiteral("a \u2768b\u2769 \u2045c\u2046 \u2774d\u2775 e\u2215f");
    QTest::newRow("example, arrow and bullet marks")
        << QStringLiteral("\u2666 \u2191x \u2193y \u2022")
        << QStringLiteral("\u25C6 \u21E1x \u21E3y \u2219");
    QTest::newRow("tag words standing as words, and the same letters inside words")
        << QStringLiteral("N KB. D'un TGX aN N_ M-W")
        << QStringLiteral("N\u034F KB\u034F. D\u034F'un TGX aN N_ M\u034F-W\u034F");
    QTest::newRow("a joiner the producer wrote after another word stays")
        << QStringLiteral("a\u034F b") << QStringLiteral("a\u034F b");
}

void TestImportedText::lookAlikes()
{
    QFETCH(QString, plain);
    QFETCH(QString, shown);
    QCOMPARE(withoutMarkup(plain), shown);
    QCOMPARE(withPlainCharacters(shown), plain);
}

// Every look-alike survives being stored, at any place of any line.
void TestImportedText::lookAlikesCanBeStoredAnywhere()
{
    const QString shown = withoutMarkup(QStringLiteral("()[]{}/\u2666\u2191\u2193\u2022 N"));
    for (int phase = 1; phase <= 5; ++phase) {
        for (int shift = 0; shift < 5; ++shift) {
            const QString line = QString(shift, QLatin1Char('a')) + shown;
            QCOMPARE(unstorablePosition(line, phase).position, -1);
        }
    }
}

QTEST_GUILESS_MAIN(TestImportedText)
#include "tst_importedtext.moc"
