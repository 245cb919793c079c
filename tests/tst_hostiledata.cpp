// The window on data files that are broken, hostile or huge: for each case the window
// opens with both tabs, a lookup and both filters run, and nothing in the data is shown
// as mark-up. A case that hangs is caught by the test's time limit.

#include "mylineedit.h"
#include "testdatafiles.h"
#include "widget.h"

#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testdata::storedBytes;
using testdata::writeFile;

QString resPath(const QString &res, const QString &name)
{
    return dataFilePath(res, name);
}

QString letterPath(const QString &res, QChar letter)
{
    return dataFilePath(res, letterFileName(letter));
}

// A small, sound dictionary that most cases spoil in one place.
testdata::Dictionary soundDictionary()
{
    testdata::Dictionary data;
    data.headwords = QStringList{QStringLiteral("A"), QStringLiteral("BA"), QStringLiteral("ƐSI")};
    data.lexicon = QStringList{QStringLiteral("BA|mère"), QStringLiteral("SO|maison")};
    data.letters.insert(QStringLiteral("a"), {QStringLiteral("A [ò] TU il.")});
    data.letters.insert(QStringLiteral("b"),
                        {QStringLiteral("BA [ó] N mère."), QStringLiteral("♦ Ń ba bɛ so kɔnɔ.")});
    data.letters.insert(QStringLiteral("ɛ"), {QStringLiteral("ƐSI [ó] N os.")});
    return data;
}

// The stored bytes of `plainLines` with a spoiled line after each of them: a line of
// `filler` stored with its own phase, `junk` then put into the middle of its bytes.
QByteArray spoiledBytes(const QStringList &plainLines, const QString &filler,
                        const QByteArray &junk)
{
    QStringList withFillers;
    for (const QString &line : plainLines)
        withFillers << line << filler;
    QList<QByteArray> lines = storedBytes(withFillers).split('\n');
    for (int i = 1; i < lines.size(); i += 2)
        lines[i].insert(lines.at(i).size() / 2, junk);
    return lines.join('\n');
}

bool writeSpoiled(const QString &res, const QByteArray &junk)
{
    const testdata::Dictionary data = soundDictionary();
    if (!data.writeTo(res))
        return false;
    const QString filler = QStringLiteral("spoiled line");
    return writeFile(resPath(res, headwordFileName()),
                     spoiledBytes(data.headwords, filler, junk)) &&
           writeFile(resPath(res, lexiconFileName()),
                     spoiledBytes(data.lexicon, QStringLiteral("SPOILED|line"), junk)) &&
           writeFile(letterPath(res, QLatin1Char('b')),
                     spoiledBytes(data.letters.value(QStringLiteral("b")), filler, junk));
}

// Every data file written in `codec`, starting with its byte-order mark.
bool writeWithByteOrderMark(const QString &res, const char *codec, const QByteArray &mark)
{
    const testdata::Dictionary data = soundDictionary();
    if (!data.writeTo(res))
        return false;
    bool ok = writeFile(resPath(res, headwordFileName()),
                        mark + storedBytes(data.headwords, "\n", true, codec)) &&
              writeFile(resPath(res, lexiconFileName()),
                        mark + storedBytes(data.lexicon, "\n", true, codec));
    for (auto letter = data.letters.constBegin(); letter != data.letters.constEnd(); ++letter)
        ok = ok && writeFile(letterPath(res, letter.key().at(0)),
                             mark + storedBytes(*letter, "\r\n", true, codec));
    return ok;
}

// The lexicon file, the letter files of a and ɛ and, with `headwordsToo`, the headword
// file replaced by what `replace` puts at a path.
bool writeWithNonFiles(const QString &res, const std::function<bool(const QString &)> &replace,
                       bool headwordsToo)
{
    if (!soundDictionary().writeTo(res))
        return false;
    QStringList paths = {resPath(res, lexiconFileName()), letterPath(res, QLatin1Char('a')),
                         letterPath(res, QChar(0x025B))};
    if (headwordsToo)
        paths << resPath(res, headwordFileName());
    for (const QString &path : paths) {
        if (!QFile::remove(path) || !replace(path))
            return false;
    }
    return true;
}

bool makeDirectory(const QString &path)
{
    return QDir().mkdir(path);
}

bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool makeDanglingLink(const QString &path)
{
    return QFile::link(path + QStringLiteral(".missing"), path);
}

QString repeated(const QString &piece, int length)
{
    QString text;
    text.reserve(length + piece.size());
    while (text.size() < length)
        text += piece;
    text.truncate(length);
    return text;
}

// Entry lines that hold a chain of cross-references K0 => K1 => ... => K`hops`, which
// ends at a real entry.
QStringList referenceChain(int hops)
{
    QStringList lines;
    lines.reserve(hops + 1);
    for (int i = 0; i < hops; ++i)
        lines << QStringLiteral("K%1 [ó] => K%2").arg(i).arg(i + 1);
    lines << QStringLiteral("K%1 [ó] N end of the chain.").arg(hops);
    return lines;
}

struct HostileCase
{
    HostileCase(const char *name, std::function<bool(const QString &)> write, QString typed,
                QString shown, QStringList headwords = {})
        : name(name), write(std::move(write)), typed(std::move(typed)), shown(std::move(shown)),
          headwords(std::move(headwords))
    {
    }

    const char *name;
    std::function<bool(const QString &res)> write;
    QString typed;         // typed into the dictionary field
    QString shown;         // then to be found in the entry view; empty: anything
    QStringList headwords; // the headword list expected; empty: not checked
};

const QString markupHeadwordFound = QStringLiteral("B<B>X</B>");
const QString markupHeadwordMissing = QStringLiteral("B<IMG SRC=\"NONE.PNG\">&AMP;");

QVector<HostileCase> hostileCases()
{
    const QVector<HostileCase> cases = {
        {"invalid UTF-8 bytes in every file",
         [](const QString &res) {
             return writeSpoiled(res, QByteArray("\xff\xc3(\x80\xfe\xed", 6));
         },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N mère.")},
        {"NUL bytes in every file",
         [](const QString &res) { return writeSpoiled(res, QByteArray("\0\0x\0", 4)); },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N mère.")},
        {"10 MB single line in a letter file",
         [](const QString &res) {
             testdata::Dictionary data = soundDictionary();
             data.letters[QStringLiteral("b")] = QStringList{
                 QStringLiteral("BA [ó] N ") +
                 repeated(QStringLiteral("♦ Ń ba bɛ so kɔnɔ. ↑SO TG (fr.) {x} /y/ "), 10 << 20)};
             return data.writeTo(res);
         },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N ♦ Ń ba")},
        {"10 MB single line in the headword and lexicon files",
         [](const QString &res) {
             testdata::Dictionary data = soundDictionary();
             data.headwords << QStringLiteral("BAA") + repeated(QStringLiteral("BƐ "), 10 << 20);
             data.lexicon << QStringLiteral("BAA") + repeated(QStringLiteral("BƐ "), 10 << 20) +
                                 QStringLiteral("|long");
             return data.writeTo(res);
         },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N mère.")},
        {"UTF-16LE files with a byte-order mark",
         [](const QString &res) { return writeWithByteOrderMark(res, "UTF-16LE", "\xff\xfe"); },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N mère."), soundDictionary().headwords},
        {"UTF-16BE files with a byte-order mark",
         [](const QString &res) { return writeWithByteOrderMark(res, "UTF-16BE", "\xfe\xff"); },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N mère."), soundDictionary().headwords},
        {"UTF-32 files with a byte-order mark",
         [](const QString &res) {
             return writeWithByteOrderMark(res, "UTF-32LE", QByteArray("\xff\xfe\0\0", 4));
         },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N mère."), soundDictionary().headwords},
        {"every file empty",
         [](const QString &res) {
             bool ok = QDir().mkpath(res) && writeFile(resPath(res, headwordFileName()), {}) &&
                       writeFile(resPath(res, lexiconFileName()), {});
             for (const QChar letter : dictionaryAlphabet())
                 ok = ok && writeFile(letterPath(res, letter), {});
             return ok;
         },
         QStringLiteral("ba"), QString()},
        {"directories in place of data files",
         [](const QString &res) { return writeWithNonFiles(res, makeDirectory, false); },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N mère."), soundDictionary().headwords},
        {"FIFOs in place of data files",
         [](const QString &res) { return writeWithNonFiles(res, makeFifo, false); },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N mère."), soundDictionary().headwords},
        {"FIFO in place of the headword file",
         [](const QString &res) { return writeWithNonFiles(res, makeFifo, true); },
         QStringLiteral("ba"), QString()},
        {"dangling symlinks in place of data files",
         [](const QString &res) { return writeWithNonFiles(res, makeDanglingLink, true); },
         QStringLiteral("ba"), QString()},
        {"50 MB letter file",
         [](const QString &res) {
             testdata::Dictionary data = soundDictionary();
             QStringList &lines = data.letters[QStringLiteral("b")];
             lines.clear();
             const QString body = QStringLiteral("♦ Ń ba bɛ so kɔnɔ, a ka ɲi kosɛbɛ. ↑SO ↓BOLO");
             const qint64 bodyBytes = body.toUtf8().size() + 1;
             for (qint64 bytes = 0, i = 0; bytes < (qint64(50) << 20); ++i) {
                 const QString head = QStringLiteral("B%1 [ó] N mère.").arg(i);
                 lines << head << body << body << body;
                 bytes += head.toUtf8().size() + 1 + 3 * bodyBytes;
             }
             lines << QStringLiteral("BA [ó] N the last entry.");
             return data.writeTo(res);
         },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N the last entry.")},
        {"entry that refers to itself",
         [](const QString &res) {
             testdata::Dictionary data = soundDictionary();
             data.letters[QStringLiteral("b")] = QStringList{QStringLiteral("BA [ó] => BA")};
             return data.writeTo(res);
         },
         QStringLiteral("ba"), QStringLiteral("BA [ó] => BA")},
        {"two entries that refer to each other",
         [](const QString &res) {
             testdata::Dictionary data = soundDictionary();
             data.letters[QStringLiteral("a")] = QStringList{QStringLiteral("A [ò] => BA")};
             data.letters[QStringLiteral("b")] = QStringList{QStringLiteral("BA [ó] => A")};
             return data.writeTo(res);
         },
         QStringLiteral("ba"), QStringLiteral("=>")},
        {"chain of 100 000 cross-references",
         [](const QString &res) {
             testdata::Dictionary data = soundDictionary();
             data.headwords = QStringList{QStringLiteral("K0")};
             data.letters[QStringLiteral("k")] = referenceChain(100000);
             return data.writeTo(res);
         },
         QStringLiteral("k0"), QStringLiteral("K100000 [ó] N end of the chain.")},
        {"mark-up in headwords, entries and the lexicon",
         [](const QString &res) {
             testdata::Dictionary data;
             data.headwords =
                 QStringList{markupHeadwordFound, QStringLiteral("B&AMP;"), markupHeadwordMissing};
             data.letters.insert(QStringLiteral("b"),
                                 {markupHeadwordFound + QStringLiteral(" [ó] N <b>bold</b>"),
                                  QStringLiteral("<img src=\"x.png\"> &amp; <i>x</i>"),
                                  QStringLiteral("B&AMP; [ó] N &lt;p&gt; <br>")});
             data.lexicon = QStringList{QStringLiteral("<B>BA</B>|<img src=\"x.png\">"),
                                        QStringLiteral("&AMP;|&amp;")};
             return data.writeTo(res);
         },
         QStringLiteral("b<"), QStringLiteral("<img src=\"x.png\"> &amp; <i>x</i>")},
        {"lexicon lines with no, many or only separators",
         [](const QString &res) {
             testdata::Dictionary data = soundDictionary();
             data.lexicon = QStringList{QStringLiteral("BA"),
                                        QStringLiteral("BA|b|c|d|e|f"),
                                        QStringLiteral("|"),
                                        QStringLiteral("||||||"),
                                        QString(),
                                        QStringLiteral("  |  "),
                                        QStringLiteral("SO|maison")};
             return data.writeTo(res);
         },
         QStringLiteral("ba"), QStringLiteral("BA [ó] N mère.")},
    };
    return cases;
}

bool hasImageOrAnchor(const QTextDocument *document)
{
    for (QTextBlock block = document->begin(); block != document->end(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (format.isImageFormat() || format.isAnchor())
                return true;
        }
    }
    return false;
}

QLineEdit *lexiconField(Widget &window, QTableWidget *table)
{
    for (QLineEdit *field : window.findChildren<QLineEdit *>()) {
        if (!qobject_cast<MyLineEdit *>(field) && field->parentWidget() == table->parentWidget())
            return field;
    }
    return nullptr;
}

} // namespace

class TestHostileData : public QObject
{
    Q_OBJECT

private slots:
    void windowSurvives_data();
    void windowSurvives();
    void markupIsShownAsText();
};

void TestHostileData::windowSurvives_data()
{
    QTest::addColumn<int>("index");
    const QVector<HostileCase> cases = hostileCases();
    for (int i = 0; i < cases.size(); ++i)
        QTest::newRow(cases.at(i).name) << i;
}

void TestHostileData::windowSurvives()
{
    QFETCH(int, index);
    const HostileCase hostile = hostileCases().at(index);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(hostile.write(dir.filePath(QStringLiteral("res"))));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

    QElapsedTimer timer;
    timer.start();
    Widget window;
    const qint64 constructed = timer.elapsed();

    auto *tabs = window.findChild<QTabWidget *>();
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("DA\u041B\u0190GAFE"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("DA\u041B\u0190S\u0190B\u0190N"));

    auto *headwords = window.findChild<QListWidget *>();
    auto *entry = window.findChild<QTextEdit *>();
    auto *table = window.findChild<QTableWidget *>();
    auto *dictionaryField = window.findChild<MyLineEdit *>();
    QLineEdit *lexiconSearch = lexiconField(window, table);
    QVERIFY(headwords && entry && table && dictionaryField && lexiconSearch);
    if (!hostile.headwords.isEmpty()) {
        QStringList shown;
        for (int row = 0; row < headwords->count(); ++row)
            shown << headwords->item(row)->text();
        QCOMPARE(shown, hostile.headwords);
    }
    // Every row the table holds has both of its cells.
    for (int row = 0; row < table->rowCount(); ++row)
        QVERIFY2(table->item(row, 0) && table->item(row, 1), qPrintable(QString::number(row)));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // A lookup as a user types, and through the list itself.
    QTest::keyClicks(dictionaryField, hostile.typed);
    if (!hostile.shown.isEmpty())
        QVERIFY2(entry->toPlainText().contains(hostile.shown),
                 qPrintable(entry->toPlainText().left(200)));
    for (int row = 0; row < std::min(headwords->count(), 4); ++row)
        headwords->setCurrentRow(row);
    if (headwords->count() > 0)
        headwords->setCurrentRow(headwords->count() - 1);
    dictionaryField->clear();
    QTest::keyClicks(dictionaryField, QStringLiteral("zzz"));

    // The lexicon filter: a match, then a text that no row begins with.
    window.findChild<QTabWidget *>()->setCurrentIndex(1);
    QTest::keyClicks(lexiconSearch, QStringLiteral("b"));
    lexiconSearch->setText(QStringLiteral("\u01B7 no row begins with this"));
    QCoreApplication::processEvents();

    QVERIFY(!hasImageOrAnchor(entry->document()));
    qInfo("%s: constructed in %lld ms, all done in %lld ms", hostile.name, constructed,
          timer.elapsed());
}

// Text that looks like HTML is shown as the characters it is made of, whether it comes in
// an entry, in the not-found message of a headword or in the lists.
void TestHostileData::markupIsShownAsText()
{
    const HostileCase hostile = hostileCases().at(16);
    QCOMPARE(hostile.name, "mark-up in headwords, entries and the lexicon");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(hostile.write(dir.filePath(QStringLiteral("res"))));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

    Widget window;
    auto *headwords = window.findChild<QListWidget *>();
    auto *entry = window.findChild<QTextEdit *>();
    auto *table = window.findChild<QTableWidget *>();
    QCOMPARE(headwords->count(), 3);
    QCOMPARE(headwords->item(0)->text(), markupHeadwordFound);

    headwords->setCurrentRow(0);
    QCOMPARE(entry->toPlainText(),
             markupHeadwordFound + QStringLiteral(" [ó] N <b>bold</b>\n"
                                                  "<img src=\"x.png\"> &amp; <i>x</i>\n"));
    QVERIFY(!hasImageOrAnchor(entry->document()));

    headwords->setCurrentRow(1);
    // The last entry of a letter text ends with the empty line after the final line break.
    QCOMPARE(entry->toPlainText(), QStringLiteral("B&AMP; [ó] N &lt;p&gt; <br>\n\n"));

    headwords->setCurrentRow(2); // no entry: the not-found message names it
    QCOMPARE(entry->toPlainText(), markupHeadwordMissing + QStringLiteral(" ma ye."));
    QVERIFY(!hasImageOrAnchor(entry->document()));

    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("<B>BA</B>"));
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("<img src=\"x.png\">"));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("&amp;"));
}

QTEST_MAIN(TestHostileData)
#include "tst_hostiledata.moc"
