// The window on data files that are broken, hostile or huge: for each case the window
// opens, both tabs show, a lookup and both filters run, and nothing of the data is shown
// as mark-up. A case that crashes fails the test, one that hangs meets its time limit.

#include "mylineedit.h"
#include "testdatafiles.h"
#include "widget.h"

#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {

// How every data file is spoilt: `junk` is a line of bad bytes.
enum Spoil { Sound, JunkLines, Empty, NoDirectory };

// Writes the files of a small dictionary, the lines given replacing its own.
bool writeCase(const QString &res, QStringList headwords, QStringList letterB, QStringList lexicon,
               Spoil spoil, const QByteArray &junk)
{
    // Ɛ U+0190, è U+00E8, ó U+00F3, ♦ U+2666
    headwords = headwords.isEmpty() ? QStringList{QStringLiteral("A"), QStringLiteral("BA"),
                                                  QStringLiteral("\u0190SI")}
                                    : headwords;
    letterB = letterB.isEmpty() ? QStringList{QStringLiteral("BA [\u00F3] N m\u00E8re."),
                                              QStringLiteral("\u2666 A ka di.")}
                                : letterB;
    lexicon = lexicon.isEmpty() ? QStringList{QStringLiteral("BA|m\u00E8re")} : lexicon;
    const QVector<QPair<QString, QStringList>> files = {
        {headwordFileName(), headwords},
        {lexiconFileName(), lexicon},
        {letterFileName(QLatin1Char('a')), {QStringLiteral("A [\u00F3] TU il.")}},
        {letterFileName(QLatin1Char('b')), letterB},
        {letterFileName(QChar(0x025B)), {QStringLiteral("\u0190SI [\u00F3] N os.")}}}; // ɛ
    if (spoil == NoDirectory)
        return true;
    bool ok = QDir().mkpath(res);
    for (const auto &file : files) {
        const QString path = dataFilePath(res, file.first);
        QByteArray bytes = encodeDataFile(file.second);
        if (spoil == JunkLines) // a first line of junk, the others stored after it
            bytes = junk + encodeDataFile(QStringList{QString()} + file.second);
        ok = ok && testdata::writeFile(path, spoil == Empty ? QByteArray() : bytes);
    }
    return ok;
}

// An image or a link: what the data would make if it were read as rich text.
bool hasMarkUp(const QTextDocument *document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat() || format.isAnchor())
                return true;
        }
    }
    return false;
}

} // namespace

class TestHostileData : public QObject
{
    Q_OBJECT

private slots:
    void windowStaysUsable_data();
    void windowStaysUsable();
};

void TestHostileData::windowStaysUsable_data()
{
    QTest::addColumn<QStringList>("headwords");
    QTest::addColumn<QStringList>("letterB");
    QTest::addColumn<QStringList>("lexicon");
    QTest::addColumn<int>("spoil");
    QTest::addColumn<QByteArray>("junk");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // in the entry view after typing; empty: anything
    const QStringList sound;
    const QString ba = QStringLiteral("BA [\u00F3] N m\u00E8re.");
    const auto spoiled = [&](const char *name, Spoil spoil, const QByteArray &junk = {}) {
        QTest::newRow(name) << sound << sound << sound << int(spoil) << junk << QStringLiteral("ba")
                            << QString();
    };
    spoiled("invalid UTF-8 lines", JunkLines, QByteArray("\xff\xc3(\x80\xfe", 5));
    spoiled("lines of NUL bytes", JunkLines, QByteArray("\0\0x\0", 4));
    // Other encodings and what is not a regular file are read by the one text reader,
    // whose own test shows each; here, that the window opens on files it reads as nothing.
    spoiled("empty files", Empty);
    spoiled("no data directory", NoDirectory);

    // Long enough to pass every cut of what the window shows, short enough to run fast.
    // ♦ U+2666, ↑ U+2191, ↓ U+2193, Ɛ U+0190, ɛ U+025B, ɔ U+0254
    const QString line = QStringLiteral("BA [\u00F3] N ") +
                         QStringLiteral("\u2666 Ba. \u2191SO TG (f) {x} /y/ [o ").repeated(36000);
    const QString headword = QStringLiteral("BAA") + QStringLiteral("B\u0190 ").repeated(300000);
    QStringList largeFile;
    for (int i = 0; i < 40000; ++i)
        largeFile << QStringLiteral("B%1 [\u00F3] N x.").arg(i)
                  << QStringLiteral("\u2666 A b\u025B so k\u0254n\u0254. \u2191SO \u2193BOLO")
                         .repeated(2);
    largeFile << QStringLiteral("BA [\u00F3] N the last entry.");
    const QString markUp = QStringLiteral("<img src=\"x.png\"> &amp; <a href=\"x\">x</a>");

    const auto row = [&](const char *name, const QStringList &headwords, const QStringList &letterB,
                         const QStringList &lexicon, const QString &typed, const QString &shown) {
        QTest::newRow(name) << headwords << letterB << lexicon << int(Sound) << QByteArray()
                            << typed << shown;
    };
    row("a 1 MB line of mark-up in a letter file", sound, {line}, sound, QStringLiteral("ba"),
        line.left(20));
    row("a 1 MB line in the headword and lexicon files", {QStringLiteral("BA"), headword}, sound,
        {headword + QStringLiteral("|long")}, QStringLiteral("ba"), ba);
    row("a 4 MB letter file, the entry looked up last", sound, largeFile, sound,
        QStringLiteral("ba"), largeFile.last());
    // Circles and long chains of cross-references end in the lookup's own test.
    // The last headword has no entry: its not-found line names it.
    row("mark-up in headwords, entries and the lexicon",
        {QStringLiteral("B<B>X</B>"), QStringLiteral("B<IMG SRC=\"NONE.PNG\"><A HREF=\"X\">&AMP;")},
        {QStringLiteral("B<B>X</B> [\u00F3] N <b>bold</b>"), markUp},
        {QStringLiteral("<B>BA</B>|<img src=\"x.png\">")}, QStringLiteral("b<"), markUp);
    row("lexicon lines with no, many or only separators", sound, sound,
        {QStringLiteral("BA"), QStringLiteral("BA|b|c|d"), QStringLiteral("|"),
         QStringLiteral("||||"), QString(), QStringLiteral("  |  ")},
        QStringLiteral("ba"), ba);
}

void TestHostileData::windowStaysUsable()
{
    QFETCH(QStringList, headwords);
    QFETCH(QStringList, letterB);
    QFETCH(QStringList, lexicon);
    QFETCH(int, spoil);
    QFETCH(QByteArray, junk);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeCase(dir.filePath(QStringLiteral("res")), headwords, letterB, lexicon,
                      Spoil(spoil), junk));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

    Widget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *entry = window.findChild<QTextEdit *>();
    auto *headwordList = window.findChild<QListWidget *>();
    auto *dictionaryField = window.findChild<MyLineEdit *>();
    QTest::keyClicks(dictionaryField, typed);
    QVERIFY2(entry->toPlainText().contains(shown), qPrintable(entry->toPlainText().left(200)));
    headwordList->setCurrentRow(headwordList->count() - 1);
    QVERIFY(!hasMarkUp(entry->document()));
    dictionaryField->clear();
    QTest::keyClicks(dictionaryField, QStringLiteral("zzz"));

    window.findChild<QTabWidget *>()->setCurrentIndex(1);
    for (QLineEdit *field : window.findChildren<QLineEdit *>()) {
        if (field != dictionaryField) {
            QTest::keyClicks(field, QStringLiteral("b"));
            field->setText(QStringLiteral("\u01B7 no row begins with this")); // Ʒ U+01B7
        }
    }
    QCoreApplication::processEvents();
    QVERIFY(!hasMarkUp(entry->document()));
}

QTEST_MAIN(TestHostileData)
#include "tst_hostiledata.moc"
