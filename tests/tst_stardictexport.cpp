// lexora-data export stardict as a reader meets its result: the exported dictionaries are
// read with Debian's sdcv, each query answered as sdcv shows it (the book, the word found
// and the article as text, or once as HTML with its colours), and the compressed articles
// checked with dictzip -t. The sources are written here; every answer by hand.

#include "alphabet.h"
#include "testdatafiles.h"

#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

// ɛ U+025B, Ɛ U+0190, ɔ U+0254, Ɔ U+0186, ɲ U+0272, Л U+041B (the capital of ɲ in
// headwords), Ɲ U+019D (in the lexicon), é U+00E9, è U+00E8, ↑ U+2191, ♦ U+2666,
// combining acute U+0301, combining grave U+0300; written in UTF-8 below.
testdata::Dictionary sample()
{
    testdata::Dictionary dictionary = testdata::Dictionary::everyLetter();
    dictionary.headwords = ul({"BA", "BƆ", "BƆRA", "DEN", "ЛAMA", "SƐBƐN", "WULU"});
    dictionary.lexicon = ul({"BA|mère", "BA|chèvre", "DEN|enfant; petit", "ƝAMA|ordure, saleté",
                             "SƐBƐN|écrire", "DEN|enfant", "BƆ|sortir", "WULU|chien"});
    dictionary.letters[u("b")] = ul({"BA [ó] N mère.", "♦ Ba bɛ so kɔnɔ.", "BA [ò] N chèvre.",
                                     "BƆ [bɔ́] W sortir.", "BƆRA [bɔ́ra] W => BƆ"});
    dictionary.letters[u("d")] = ul({"DEN [dén] N enfant.", "↑BA"});
    dictionary.letters[u("w")] = ul({"WULU [wùlu] N chien."});
    dictionary.reversal = ul({"WULU|toutou"}); // the French index's key in place of "chien"
    dictionary.letters[u("q")] = ul({"ЛAMA [ɲáma] N ordure, saleté."});
    dictionary.letters[u("s")] =
        ul({"SƐBƐN [sɛ̀bɛn] W écrire <script>alert(1)</script> &amp; lire."});
    return dictionary;
}

// What a reader of the HTML sees: line breaks for <br>, no tags, the characters escaped.
QString shownText(QString html)
{
    html.replace(QStringLiteral("<br>"), QStringLiteral("\n"));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html;
}

using testdata::Run;

// A program run with HOME and the caches in `home`: no dictionaries of the user's own.
Run run(const QString &program, const QStringList &arguments, const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    return testdata::run(program, arguments, environment);
}

// What sdcv answers to `query` in the dictionaries of `dir`, without the lines on the
// caches it writes there the first time.
Run lookUp(const QString &dir, const QString &query, const QString &home)
{
    Run read = run(QStringLiteral("sdcv"),
                   {QStringLiteral("-n"), QStringLiteral("--data-dir"), dir,
                    QStringLiteral("--utf8-output"), query},
                   home);
    while (read.out.startsWith("save to cache "))
        read.out.remove(0, read.out.indexOf('\n') + 1);
    return read;
}

QString lexoraData()
{
    return QStringLiteral(LEXORA_DATA_TOOL);
}

// The files of a directory, name -> bytes.
QMap<QString, QByteArray> filesOf(const QString &path)
{
    QMap<QString, QByteArray> files;
    const QDir dir(path);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

} // namespace

class TestStardictExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readerFinds_data();
    void readerFinds();
    void articleInColour();
    void compressedArticles();
    void description_data();
    void description();
    void sameBytesTwice();
    void leftOutAndRefused();

private:
    QTemporaryDir m_dir;
    QString m_res;
    QString m_out;
};

void TestStardictExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_res = m_dir.filePath(QStringLiteral("res"));
    m_out = m_dir.filePath(QStringLiteral("out"));
    QVERIFY(sample().writeTo(m_res));
    const Run exported =
        run(lexoraData(), {u("export"), u("stardict"), m_res, m_out, u("--name"), u("bm")},
            m_dir.path());
    QVERIFY2(exported.status == 0, exported.err);
    QVERIFY2(exported.err.isEmpty(), exported.err);
}

void TestStardictExport::readerFinds_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("book");
    QTest::addColumn<QString>("word"); // the word of the article found; empty: none
    QTest::addColumn<QString>("text"); // the article as a reader sees it

    const auto row = [](const char *name, const char *query, const char *book, const char *word,
                        const char *text) {
        QTest::newRow(name) << u(query) << u(book) << u(word) << u(text);
    };
    const char *bambara = "bm";
    const char *french = "bm (français → bambara)";
    const char *den = "DEN [dén] N enfant.\n↑BA";
    row("a headword", "DEN", bambara, "DEN", den);
    row("homographs together", "BA", bambara, "BA",
        "BA [ó] N mère.\n♦ Ba bɛ so kɔnɔ.\nBA [ò] N chèvre.");
    row("a cross-reference source leads to its target", "BƆRA", bambara, "BƆ", "BƆ [bɔ́] W sortir.");
    row("a cross-reference source in small letters", "bɔra", bambara, "BƆ", "BƆ [bɔ́] W sortir.");
    row("small letters", "sɛbɛn", bambara, "SƐBƐN",
        "SƐBƐN [sɛ̀bɛn] W écrire <script>alert(1)</script> &amp; lire.");
    row("tone marks as the head line writes them", "dén", bambara, "DEN", den);
    row("small \u0272", "ɲama", bambara, "ЛAMA", "ЛAMA [ɲáma] N ordure, saleté.");
    row("ny for \u0272", "nyama", bambara, "ЛAMA", "ЛAMA [ɲáma] N ordure, saleté.");
    row("o for \u0254, the older spelling of a source", "bora", bambara, "BƆ", "BƆ [bɔ́] W sortir.");
    row("a tone group in brackets is no spelling of the headword", "ò", bambara, "", "");
    row("a French gloss", "sortir", french, "sortir", "BƆ [bɔ́] W sortir.");
    row("a French gloss of homographs: the head line that holds it", "chèvre", french, "chèvre",
        "BA [ò] N chèvre.");
    row("a French gloss without accent", "ecrire", french, "écrire",
        "SƐBƐN [sɛ̀bɛn] W écrire <script>alert(1)</script> &amp; lire.");
    row("a part of a gloss after a comma, from a word in plain capitals", "saleté", french,
        "saleté", "ЛAMA [ɲáma] N ordure, saleté.");
    row("a part of a gloss after a semicolon, no head line holding it", "petit", french, "petit",
        "DEN [dén] N enfant.");
    row("a reversal, the key in place of the word's gloss", "toutou", french, "toutou",
        "WULU [wùlu] N chien.");
    row("a whole gloss with its parts", "enfant; petit", french, "enfant; petit",
        "DEN [dén] N enfant.");
}

void TestStardictExport::readerFinds()
{
    QFETCH(QString, query);
    QFETCH(QString, book);
    QFETCH(QString, word);
    QFETCH(QString, text);
    const Run read = lookUp(m_out, query, m_dir.path());
    QVERIFY2(read.status == 0, read.err);
    const QStringList parts = QString::fromUtf8(read.out).split(QLatin1Char('\n'));
    if (word.isEmpty()) {
        QCOMPARE(parts.value(0), QStringLiteral("Nothing similar to %1, sorry :(").arg(query));
        return;
    }
    QCOMPARE(parts.value(0), QStringLiteral("Found 1 items, similar to %1.").arg(query));
    QCOMPARE(parts.value(1), QStringLiteral("-->") + book);
    QCOMPARE(parts.value(2), QStringLiteral("-->") + word);
    QCOMPARE(parts.value(3), QString());
    QCOMPARE(shownText(parts.value(4)), text);
}

// The article exactly as sdcv gives it: the head line's headword bold dark blue, the tag
// dark red, the ↑ word green; the bracket holds a word, not a tone group.
void TestStardictExport::articleInColour()
{
    const Run read = lookUp(m_out, u("DEN"), m_dir.path());
    QVERIFY2(read.status == 0, read.err);
    QCOMPARE(QString::fromUtf8(read.out).split(QLatin1Char('\n')).value(4),
             u("<span style=\"color:#000080;font-weight:bold\">DEN </span>[dén] "
               "<span style=\"color:#800000\">N</span> enfant.<br>"
               "<span style=\"color:#009900\">↑BA</span>"));
}

void TestStardictExport::compressedArticles()
{
    for (const char *name : {"bm.dict.dz", "bm-fr.dict.dz"}) {
        const Run test =
            run(QStringLiteral("dictzip"), {u("-t"), QDir(m_out).filePath(u(name))}, m_dir.path());
        QVERIFY2(test.status == 0, test.err);
    }
}

void TestStardictExport::description_data()
{
    QTest::addColumn<QStringList>("about"); // the lines of about.bna; none: no such file
    QTest::addColumn<QStringList>("lines"); // lines the description file holds
    // Those of the French index: 11 keys ("mère", "chèvre", "enfant; petit", "enfant",
    // "petit", "ordure, saleté", "ordure", "saleté", "écrire", "sortir", "toutou") and 5
    // other spellings ("mere", "chevre", "ordure, salete", "salete", "ecrire"), each once.
    QTest::addColumn<QStringList>("frenchLines");
    QTest::newRow("no about file: named after NAME, no source named")
        << QStringList()
        << ul({"bookname=bm", "wordcount=6",
               "description=Exported by lexora-data from a Lexora dictionary.", "date=2024.03.05",
               "sametypesequence=h"})
        << ul({"bookname=bm (français → bambara)", "wordcount=11", "synwordcount=5"});
    // ❨ U+2768 and ❩ U+2769 are the look-alikes of the parentheses an import writes.
    QTest::newRow("about file: its first line the title, every line escaped and plain")
        << ul({"Petit <dictionnaire>", "A. Diarra & B. Keita", "Corpus \u2768CRB\u2769",
               "CC BY-SA 4.0"})
        << ul({"bookname=Petit <dictionnaire>", "wordcount=6",
               "description=Petit &lt;dictionnaire&gt;<br>A. Diarra &amp; B. Keita<br>"
               "Corpus (CRB)<br>CC BY-SA 4.0",
               "date=2024.03.05"})
        << ul({"bookname=Petit <dictionnaire> (français → bambara)"});
}

// The date is that of the newest data file read.
void TestStardictExport::description()
{
    QFETCH(QStringList, about);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, frenchLines);
    QTemporaryDir dir;
    const QString res = dir.filePath(u("res"));
    QVERIFY(sample().writeTo(res));
    if (!about.isEmpty())
        QVERIFY(testdata::writeFile(dataFilePath(res, aboutFileName()), encodeDataFile(about)));
    for (const QString &name : QDir(res).entryList(QDir::Files)) {
        QFile file(QDir(res).filePath(name));
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime day(QDate(2024, name == u("z.bna") ? 3 : 2, 5), QTime(12, 0), Qt::UTC);
        QVERIFY(file.setFileTime(day, QFileDevice::FileModificationTime));
    }
    const QString out = dir.filePath(u("bm"));
    const Run exported = run(lexoraData(), {u("export"), u("stardict"), res, out}, dir.path());
    QVERIFY2(exported.status == 0, exported.err);
    const QStringList info =
        QString::fromUtf8(filesOf(out).value(u("bm.ifo"))).split(QLatin1Char('\n'));
    QCOMPARE(info.value(0), u("StarDict's dict ifo file"));
    QCOMPARE(info.value(1), u("version=3.0.0"));
    const QStringList frenchInfo =
        QString::fromUtf8(filesOf(out).value(u("bm-fr.ifo"))).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        QVERIFY2(info.contains(line), qPrintable(line + u(" not in:\n") + info.join(u("\n"))));
    for (const QString &line : frenchLines)
        QVERIFY2(frenchInfo.contains(line),
                 qPrintable(line + u(" not in:\n") + frenchInfo.join(u("\n"))));
}

void TestStardictExport::sameBytesTwice()
{
    const QString again = m_dir.filePath(QStringLiteral("again"));
    const Run exported =
        run(lexoraData(), {u("export"), u("stardict"), m_res, again, u("--name"), u("bm")},
            m_dir.path());
    QVERIFY2(exported.status == 0, exported.err);
    QMap<QString, QByteArray> first = filesOf(m_out);
    for (const QString &name : first.keys()) {
        if (name.endsWith(u(".oft"))) // what sdcv wrote there
            first.remove(name);
    }
    QCOMPARE(first.keys(), ul({"bm-fr.dict.dz", "bm-fr.idx", "bm-fr.ifo", "bm-fr.syn", "bm.dict.dz",
                               "bm.idx", "bm.ifo", "bm.syn"}));
    QVERIFY(first == filesOf(again));
}

// A headword without entry is left out with a warning (exit 1), the rest exported; a
// directory without its letter files gives nothing (exit 2), and OUT_DIR stays as it was.
void TestStardictExport::leftOutAndRefused()
{
    QTemporaryDir dir;
    const QString res = dir.filePath(u("res"));
    testdata::Dictionary dictionary = sample();
    dictionary.headwords.insert(1, u("BAA"));
    QVERIFY(dictionary.writeTo(res));
    const QString out = dir.filePath(u("out"));
    Run exported = run(lexoraData(), {u("export"), u("stardict"), res, out}, dir.path());
    QCOMPARE(exported.status, 1);
    QCOMPARE(QString::fromUtf8(exported.err), dataFilePath(res, headwordFileName()) +
                                                  u(":2: warning: BAA has no entry; left out\n"));
    const Run read = lookUp(out, u("WULU"), dir.path());
    QVERIFY2(read.out.startsWith("Found 1 items, similar to WULU.\n-->out\n-->WULU"), read.out);

    const QMap<QString, QByteArray> before = filesOf(out);
    QVERIFY(QFile::remove(dataFilePath(res, letterFileName(QLatin1Char('b')))));
    exported = run(lexoraData(), {u("export"), u("stardict"), res, out}, dir.path());
    QCOMPARE(exported.status, 2);
    QCOMPARE(QString::fromUtf8(exported.err),
             dataFilePath(res, letterFileName(QLatin1Char('b'))) + u(": error: cannot be read\n"));
    QVERIFY(filesOf(out) == before);
}

QTEST_GUILESS_MAIN(TestStardictExport)
#include "tst_stardictexport.moc"
