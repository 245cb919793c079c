#include "alphabet.h"

#include <QtTest>

class TestAlphabet : public QObject
{
    Q_OBJECT

private slots:
    void searchFormAndLetterKey_data();
    void searchFormAndLetterKey();
    void plainSpellings_data();
    void plainSpellings();
    void sortOrder_data();
    void sortOrder();
    void toneless_data();
    void toneless();
};

void TestAlphabet::searchFormAndLetterKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("small");
    const auto row = [](const char *name, const char16_t *text, const char16_t *form,
                        const char16_t *key, const char16_t *small = nullptr) {
        QTest::newRow(name) << QString::fromUtf16(text) << QString::fromUtf16(form)
                            << QString::fromUtf16(key)
                            << QString::fromUtf16(small ? small : text).trimmed();
    };
    // ɛ U+025B, Ɛ U+0190, ɲ U+0272, Л U+041B, Ɲ U+019D, ŋ U+014B, Ŋ U+014A, ʃ U+0283,
    // Ʃ U+01A9, ɔ U+0254, Ɔ U+0186
    row("small \u025B files under \u025B", u"\u025Bsi", u"\u0190SI", u"\u025B");
    row("\u0272 becomes \u041B (U+041B) under q", u"\u0272a", u"\u041BA", u"q");
    row("\u019D (U+019D) becomes \u041B (U+041B)", u"\u019Da", u"\u041BA", u"q", u"\u0272a");
    row("\u014B under v", u"\u014Bani", u"\u014AANI", u"v");
    row("\u0283 stays small, under x", u"\u0283a", u"\u0283A", u"x");
    row("\u01A9 (U+01A9) becomes small \u0283", u"\u01A9a", u"\u0283A", u"x", u"\u0283a");
    row("\u0254 under \u0254", u"\u0254nh\u0254n", u"\u0186NH\u0186N", u"\u0254");
    row("blanks around are trimmed", u"  ba\t", u"BA", u"b");
    row("blanks only give nothing", u"   ", u"", u"");
    row("a digit is its own key", u"1ba", u"1BA", u"1");
    row("capitals written small", u"BA", u"BA", u"b", u"ba");
}

void TestAlphabet::searchFormAndLetterKey()
{
    QFETCH(QString, text);
    QFETCH(QString, form);
    QFETCH(QString, key);
    QCOMPARE(searchForm(text), form);
    QCOMPARE(letterKey(searchForm(text)), key);
    QFETCH(QString, small);
    QCOMPARE(smallForm(form), small);
}

// ɲ U+0272, Л U+041B, Ɲ U+019D, ŋ U+014B, Ŋ U+014A, ɛ U+025B, Ɛ U+0190, ɔ U+0254,
// Ɔ U+0186, ʃ U+0283, Ʃ U+01A9, è U+00E8, ò U+00F2, È U+00C8, Ò U+00D2, é U+00E9,
// combining acute U+0301, combining grave U+0300
void TestAlphabet::plainSpellings_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("spellings");
    const auto row = [](const char *name, const char16_t *word,
                        std::initializer_list<const char16_t *> spellings) {
        QStringList list;
        for (const char16_t *spelling : spellings)
            list << QString::fromUtf16(spelling);
        QTest::newRow(name) << QString::fromUtf16(word) << list;
    };
    row("no special letter", u"baara", {});
    row("\u0272 as ny", u"\u0272ama", {u"nyama"});
    row("capitals \u041B and \u019D as NY", u"\u041BA\u019DA", {u"NYANYA"});
    row("\u014B as ng, \u0283 as sh", u"\u014Bani \u0283\u01A9 \u014A", {u"ngani shSH NG"});
    row("\u025B and \u0254 as e and o, then as \u00E8 and \u00F2", u"s\u025Bb\u025Bn k\u0254",
        {u"seben ko", u"s\u00E8b\u00E8n k\u00F2"});
    row("capitals \u0190 and \u0186", u"\u0190\u0186", {u"EO", u"\u00C8\u00D2"});
    row("single spellings kept beside the second rank", u"\u0272\u025B", {u"nye", u"ny\u00E8"});
    row("tone marks kept, composed", u"\u025B\u0301 d\u0254\u0300",
        {u"\u00E9 d\u00F2", u"\u00E8\u0301 d\u00F2\u0300"});
}

void TestAlphabet::plainSpellings()
{
    QFETCH(QString, word);
    QFETCH(QStringList, spellings);
    QCOMPARE(::plainSpellings(word), spellings);
}

void TestAlphabet::sortOrder_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("sorted");
    const auto row = [](const char *name, const char16_t *words, const char16_t *sorted) {
        QTest::newRow(name) << QString::fromUtf16(words) << QString::fromUtf16(sorted);
    };
    // Ɛ U+0190, Л U+041B, Ŋ U+014A, Ɔ U+0186, ʃ U+0283
    row("\u0190 after E, \u041B and \u014A after N, \u0186 after O, \u0283 after S",
        u"\u0283A TA \u0186A \u041BA \u014AA NA \u0190A EA FA OA SA",
        u"EA \u0190A FA NA \u041BA \u014AA OA \u0186A SA \u0283A TA");
    row("a word before its longer words", u"BAARA BA BAA", u"BA BAA BAARA");
    row("first letter decides before length", u"DA BAARA", u"BAARA DA");
    row("Q, V and X where the Latin alphabet has them", u"X W V U Q P", u"P Q U V W X");
    row("a character outside the alphabet after every letter", u"1 Z \u00C9", u"Z 1 \u00C9");
}

void TestAlphabet::sortOrder()
{
    QFETCH(QString, words);
    QFETCH(QString, sorted);
    QStringList list = words.split(QLatin1Char(' '));
    std::sort(list.begin(), list.end(), comesBefore);
    QCOMPARE(list.join(QLatin1Char(' ')), sorted);
}

void TestAlphabet::toneless_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("bare");
    const auto row = [](const char *name, const char16_t *word, const char16_t *bare) {
        QTest::newRow(name) << QString::fromUtf16(word) << QString::fromUtf16(bare);
    };
    // é U+00E9, ɛ U+025B, combining acute U+0301, combining grave U+0300, caron U+030C
    row("composed tone letter made plain", u"d\u00E9n", u"den");
    row("combining tones dropped", u"\u025B\u0301s\u025B\u0300", u"\u025Bs\u025B");
    row("morpheme dots dropped", u"\u0272\u025B\u0301.f\u0254", u"\u0272\u025Bf\u0254");
    row("rising tone dropped", u"ba\u030Cra", u"bara");
    row("capitals kept", u"D\u00C9N", u"DEN");
}

void TestAlphabet::toneless()
{
    QFETCH(QString, word);
    QFETCH(QString, bare);
    QCOMPARE(::toneless(word), bare);
}

QTEST_GUILESS_MAIN(TestAlphabet)
#include "tst_alphabet.moc"
