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
#include <sys/stat.h>

namespace {

using testdata::storedBytes;
using testdata::writeFile;
using Writer = bool (*)(const QString &res);

QString pathOf(const QString &res, QChar letter)
{
    return dataFilePath(res, letterFileName(letter));
}

// A small, sound dictionary that most cases spoil in one place. ɛ U+025B, ɔ U+0254,
// Ɛ U+0190, è U+00E8, ó U+00F3, ♦ U+2666.
testdata::Dictionary sound()
{
    testdata::Dictionary data;
    data.headwords =
        QStringList{QStringLiteral("A"), QStringLiteral("BA"), QStringLiteral("\u0190SI")};
    data.lexicon = QStringList{QStringLiteral("BA|m\u00E8re"), QStringLiteral("SO|maison")};
    data.letters.insert(QStringLiteral("a"), {QStringLiteral("A [\u00F3] TU il.")});
    data.letters.insert(QStringLiteral("b"),
                        {QStringLiteral("BA [\u00F3] N m\u00E8re."),
                         QStringLiteral("\u2666 A b\u025B so k\u0254n\u0254.")});
    data.letters.insert(QStringLiteral("\u025B"), {QStringLiteral("\u0190SI [\u00F3] N os.")});
    return data;
}

// The sound files, each line followed by a line with `junk` in the middle of its bytes.
bool writeSpoiled(const QString &res, const QByteArray &junk)
{
    const testdata::Dictionary data = sound();
    const auto spoiled = [&](const QStringList &lines) {
        QStringList withFillers;
        for (const QString &line : lines)
            withFillers << line << QStringLiteral("SPOILED|line");
        QList<QByteArray> stored = storedBytes(withFillers).split('\n');
        for (int i = 1; i < stored.size(); i += 2)
            stored[i].insert(stored.at(i).size() / 2, junk);
        return stored.join('\n');
    };
    return data.writeTo(res) &&
           writeFile(dataFilePath(res, headwordFileName()), spoiled(data.headwords)) &&
           writeFile(dataFilePath(res, lexiconFileName()), spoiled(data.lexicon)) &&
           writeFile(pathOf(res, QLatin1Char('b')),
                     spoiled(data.letters.value(QStringLiteral("b"))));
}

// Every file of the sound dictionary in `codec`, after its byte-order mark.
bool writeInCodec(const QString &res, const char *codec, const QByteArray &mark)
{
    const testdata::Dictionary data = sound();
    bool ok = data.writeTo(res) &&
              writeFile(dataFilePath(res, headwordFileName()),
                        mark + storedBytes(data.headwords, "\n", true, codec)) &&
              writeFile(dataFilePath(res, lexiconFileName()),
                        mark + storedBytes(data.lexicon, "\n", true, codec));
    for (auto letter = data.letters.constBegin(); letter != data.letters.constEnd(); ++letter)
        ok = ok && writeFile(pathOf(res, letter.key().at(0)),
                             mark + storedBytes(*letter, "\r\n", true, codec));
    return ok;
}

// Every data file of the sound dictionary replaced by what `make` puts at its path.
bool writeNonFiles(const QString &res, bool (*make)(const QString &path))
{
    if (!sound().writeTo(res))
        return false;
    for (const QString &name : QDir(res).entryList(QDir::Files)) {
        const QString path = res + QLatin1Char('/') + name;
        if (!QFile::remove(path) || !make(path))
            return false;
    }
    return true;
}

bool withLetterB(const QString &res, const QStringList &lines)
{
    testdata::Dictionary data = sound();
    data.letters[QStringLiteral("b")] = lines;
    return data.writeTo(res);
}

// Long enough to pass every cut of what the window shows, short enough to run fast.
constexpr int hugeLine = 1 << 20;
constexpr int largeFile = 4 << 20;

QString repeated(const QString &piece, int length)
{
    return piece.repeated(length / piece.size() + 1).left(length);
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

Q_DECLARE_METATYPE(Writer)

class TestHostileData : public QObject
{
    Q_OBJECT

private slots:
    void windowStaysUsable_data();
    void windowStaysUsable();
};

void TestHostileData::windowStaysUsable_data()
{
    QTest::addColumn<Writer>("write");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // in the entry view after typing; empty: anything
    const QString ba = QStringLiteral("BA [\u00F3] N m\u00E8re.");
    const auto row = [](const char *name, Writer write, const QString &typed,
                        const QString &shown) { QTest::newRow(name) << write << typed << shown; };

    row(
        "invalid UTF-8 in every file",
        [](const QString &res) { return writeSpoiled(res, QByteArray("\xff\xc3(\x80\xfe", 5)); },
        QStringLiteral("ba"), ba);
    row(
        "NUL bytes in every file",
        [](const QString &res) { return writeSpoiled(res, QByteArray("\0\0x\0", 4)); },
        QStringLiteral("ba"), ba);
    row(
        "UTF-16LE files",
        [](const QString &res) { return writeInCodec(res, "UTF-16LE", "\xff\xfe"); },
        QStringLiteral("ba"), QString());
    row(
        "UTF-16BE files",
        [](const QString &res) { return writeInCodec(res, "UTF-16BE", "\xfe\xff"); },
        QStringLiteral("ba"), QString());
    row(
        "UTF-32 files",
        [](const QString &res) {
            return writeInCodec(res, "UTF-32LE", QByteArray("\xff\xfe\0\0", 4));
        },
        QStringLiteral("ba"), QString());
    row(
        "no data directory", [](const QString &) { return true; }, QStringLiteral("ba"), QString());
    row(
        "every file empty",
        [](const QString &res) {
            bool ok = QDir().mkpath(res) && writeFile(dataFilePath(res, headwordFileName()), {}) &&
                      writeFile(dataFilePath(res, lexiconFileName()), {});
            for (const QChar letter : dictionaryAlphabet())
                ok = ok && writeFile(pathOf(res, letter), {});
            return ok;
        },
        QStringLiteral("ba"), QString());
    row(
        "directories in place of the data files",
        [](const QString &res) {
            return writeNonFiles(res, [](const QString &path) { return QDir().mkdir(path); });
        },
        QStringLiteral("ba"), QString());
    row(
        "FIFOs in place of the data files",
        [](const QString &res) {
            return writeNonFiles(res, [](const QString &path) {
                return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
            });
        },
        QStringLiteral("ba"), QString());
    row(
        "dangling links in place of the data files",
        [](const QString &res) {
            return writeNonFiles(res, [](const QString &path) {
                return QFile::link(path + QStringLiteral(".missing"), path);
            });
        },
        QStringLiteral("ba"), QString());
    row(
        "a 1 MB line of mark-up in a letter file",
        [](const QString &res) {
            return withLetterB(
                res,
                {QStringLiteral("BA [\u00F3] N ") +
                 repeated(QStringLiteral("\u2666 Ba. \u2191SO TG (f) {x} /y/ [o "), hugeLine)});
        },
        QStringLiteral("ba"), QStringLiteral("BA [\u00F3] N \u2666 Ba."));
    row(
        "a 1 MB line in the headword and lexicon files",
        [](const QString &res) {
            testdata::Dictionary data = sound();
            data.headwords << QStringLiteral("BAA") +
                                  repeated(QStringLiteral("B\u0190 "), hugeLine);
            data.lexicon << data.headwords.last() + QStringLiteral("|long");
            return data.writeTo(res);
        },
        QStringLiteral("ba"), ba);
    row(
        "a 4 MB letter file, the entry looked up last",
        [](const QString &res) {
            QStringList lines;
            const QString body =
                QStringLiteral("\u2666 A b\u025B so k\u0254n\u0254. \u2191SO \u2193BOLO");
            for (int i = 0; lines.size() * body.size() < largeFile; ++i)
                lines << QStringLiteral("B%1 [\u00F3] N m\u00E8re.").arg(i) << body << body;
            return withLetterB(res, lines << QStringLiteral("BA [\u00F3] N the last entry."));
        },
        QStringLiteral("ba"), QStringLiteral("BA [\u00F3] N the last entry."));
    row(
        "an entry that refers to itself",
        [](const QString &res) { return withLetterB(res, {QStringLiteral("BA [\u00F3] => BA")}); },
        QStringLiteral("ba"), QStringLiteral("BA [\u00F3] => BA"));
    row(
        "two entries that refer to each other",
        [](const QString &res) {
            return withLetterB(
                res, {QStringLiteral("BA [\u00F3] => BI"), QStringLiteral("BI [\u00F3] => BA")});
        },
        QStringLiteral("ba"), QStringLiteral("=>"));
    row(
        "a chain of 100 000 cross-references",
        [](const QString &res) {
            testdata::Dictionary data;
            data.headwords = QStringList{QStringLiteral("K0")};
            QStringList &lines = data.letters[QStringLiteral("k")];
            for (int i = 0; i < 100000; ++i)
                lines << QStringLiteral("K%1 [\u00F3] => K%2").arg(i).arg(i + 1);
            lines << QStringLiteral("K100000 [\u00F3] N end.");
            return data.writeTo(res);
        },
        QStringLiteral("k0"), QStringLiteral("K100000 [\u00F3] N end."));
    // The last headword has no entry: its not-found line names it.
    row(
        "mark-up in headwords, entries and the lexicon",
        [](const QString &res) {
            testdata::Dictionary data;
            data.headwords =
                QStringList{QStringLiteral("B<B>X</B>"),
                            QStringLiteral("B<IMG SRC=\"NONE.PNG\"><A HREF=\"X\">&AMP;")};
            data.letters.insert(QStringLiteral("b"),
                                {QStringLiteral("B<B>X</B> [\u00F3] N <b>bold</b>"),
                                 QStringLiteral("<img src=\"x.png\"> &amp; <a href=\"x\">x</a>")});
            data.lexicon = QStringList{QStringLiteral("<B>BA</B>|<img src=\"x.png\">")};
            return data.writeTo(res);
        },
        QStringLiteral("b<"), QStringLiteral("<img src=\"x.png\"> &amp; <a href=\"x\">x</a>"));
    row(
        "lexicon lines with no, many or only separators",
        [](const QString &res) {
            testdata::Dictionary data = sound();
            data.lexicon = QStringList{QStringLiteral("BA"),
                                       QStringLiteral("BA|b|c|d|e|f"),
                                       QStringLiteral("|"),
                                       QStringLiteral("||||||"),
                                       QString(),
                                       QStringLiteral("  |  ")};
            return data.writeTo(res);
        },
        QStringLiteral("ba"), ba);
}

void TestHostileData::windowStaysUsable()
{
    QFETCH(Writer, write);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(write(dir.filePath(QStringLiteral("res"))));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

    Widget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *entry = window.findChild<QTextEdit *>();
    auto *headwords = window.findChild<QListWidget *>();
    auto *dictionaryField = window.findChild<MyLineEdit *>();

    QTest::keyClicks(dictionaryField, typed);
    if (!shown.isEmpty())
        QVERIFY2(entry->toPlainText().contains(shown), qPrintable(entry->toPlainText().left(200)));
    headwords->setCurrentRow(headwords->count() - 1);
    QVERIFY(!hasMarkUp(entry->document()));
    dictionaryField->clear();
    QTest::keyClicks(dictionaryField, QStringLiteral("zzz"));
    QVERIFY(!hasMarkUp(entry->document()));

    window.findChild<QTabWidget *>()->setCurrentIndex(1);
    QLineEdit *lexiconField = nullptr;
    for (QLineEdit *field : window.findChildren<QLineEdit *>()) {
        if (!qobject_cast<MyLineEdit *>(field))
            lexiconField = field;
    }
    QTest::keyClicks(lexiconField, QStringLiteral("b"));
    lexiconField->setText(QStringLiteral("\u01B7 no row begins with this")); // Ʒ U+01B7
    QCoreApplication::processEvents();
}

QTEST_MAIN(TestHostileData)
#include "tst_hostiledata.moc"
