// Importing a dictionary database with MDF markers: what each kind of record and field
// becomes in the sources, what is reported, and that the result builds, checks clean and
// shows in the viewer's lookup. The command itself: encodings, refused input, nothing
// written then.

#include "dictionarychecker.h"
#include "dictionarycompiler.h"
#include "dictionarydata.h"
#include "entrylookup.h"
#include "mdfimport.h"
#include "testdatafiles.h"
#include "textfile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

QList<int> warningLines(const QVector<Diagnostic> &diagnostics)
{
    QList<int> lines;
    for (const Diagnostic &diagnostic : diagnostics) {
        if (diagnostic.severity == Diagnostic::Warning)
            lines.append(diagnostic.line);
    }
    return lines;
}

bool writeSources(const DictionarySources &sources, const QString &dir)
{
    return QDir().mkpath(dir) &&
           testdata::writeFile(dir + QStringLiteral("/headwords.txt"),
                               plainFileBytes(sources.headwords)) &&
           testdata::writeFile(dir + QStringLiteral("/entries.txt"),
                               plainFileBytes(sources.entries)) &&
           testdata::writeFile(dir + QStringLiteral("/lexicon.txt"),
                               plainFileBytes(sources.lexicon));
}

struct Run
{
    int status = -1;
    QString errors;
};

Run runTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(LEXORA_DATA_TOOL), arguments);
    Run run;
    if (tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit) {
        run.status = tool.exitCode();
        run.errors = QString::fromUtf8(tool.readAllStandardError());
    }
    return run;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestMdfImport : public QObject
{
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void summary();
    void recordMarkerMissing();
    void importBuildLookUp();
    void command_data();
    void command();
    void refusedInputWritesNothing_data();
    void refusedInputWritesNothing();
};

void TestMdfImport::records_data()
{
    QTest::addColumn<QString>("mdf");
    QTest::addColumn<QStringList>("headwords");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("lexicon");
    QTest::addColumn<QList<int>>("warnings");

    QTest::newRow("header skipped, wrapped field joined")
        << u("\\_sh v3.0  400  MDF 4.0\n\\_DateStampHasFourDigitYear\n\n"
             "\\lx ba\n\\ge mother,\n  of a child\n\\nt said\nof goats too\n")
        << ul({"BA"}) << ul({"BA [ba] mother, of a child.", "said of goats too"})
        << ul({"BA|mother, of a child"}) << QList<int>{};
    QTest::newRow("homonyms in number order, glosses and examples")
        << u("\\lx bá\n\\hm 2\n\\ps n\n\\ge goat\n\\gn chèvre\n\\xv Bá bɛ yàn\n"
             "\\xe The goat is here.\n\n\\lx ba\n\\hm 1\n\\ps n\n\\ge mother\n")
        << ul({"BA"})
        << ul({"BA [ba] N mother.", "BA [bá] N goat; chèvre.", "♦ Bá bɛ yàn. The goat is here."})
        << ul({"BA|mother", "BA|goat", "BA|chèvre"}) << QList<int>{};
    QTest::newRow("senses with their parts of speech")
        << u("\\lx bɔ\n\\ps v\n\\sn 1\n\\ge leave\n\\sn 2\n\\ge go out\n\\ps n\n\\ge exit\n")
        << ul({"BƆ"}) << ul({"BƆ [bɔ] W leave; go out; N exit."})
        << ul({"BƆ|leave", "BƆ|go out", "BƆ|exit"}) << QList<int>{};
    QTest::newRow("sub-entry with up and down")
        << u("\\lx muso\n\\ps n\n\\ge woman\n\\se musoman\n\\ps adj\n\\ge female\n")
        << ul({"MUSO", "MUSOMAN"})
        << ul({"MUSO [muso] N woman.", "↓MUSOMAN", "MUSOMAN [musoman] M female.", "↑MUSO"})
        << ul({"MUSO|woman", "MUSOMAN|female"}) << QList<int>{};
    QTest::newRow("variant and main entry as cross-references")
        << u("\\lx bɔra\n\\ps v\n\\mn bɔ\n\n\\lx bɔ\n\\ps v\n\\ge leave\n\\va bɔn\n\\cf taa\n")
        << ul({"BƆ", "BƆN", "BƆRA"})
        << ul({"BƆ [bɔ] W leave.", "↓TAA", "BƆN [bɔn] => BƆ", "BƆRA [bɔra] W => BƆ"})
        << ul({"BƆ|leave"}) << QList<int>{};
    QTest::newRow("reference to a word without record kept as an entry")
        << u("\\lx bɔra\n\\ge left\n\\mn bɔ\n") << ul({"BƆRA"}) << ul({"BƆRA [bɔra] left."})
        << ul({"BƆRA|left"}) << QList<int>{3};
    QTest::newRow("part of speech missing from the table")
        << u("\\lx sa\n\\ps xyz\n\\ge die\n") << ul({"SA"}) << ul({"SA [sa] die."})
        << ul({"SA|die"}) << QList<int>{2};
    QTest::newRow("headword outside the alphabet skipped, ɲ filed as Л")
        << u("\\lx ʔa\n\\ge glottal\n\\lx ɲa\n\\ge eye\n") << ul({"ЛA"}) << ul({"ЛA [ɲa] eye."})
        << ul({"ƝA|eye"}) << QList<int>{1};
    QTest::newRow("decomposed tone marks composed")
        << u("\\lx ka\xcc\x81\n\\ge to\n\\xv Ka\xcc\x81 ta.\n") << ul({"KA"})
        << ul({"KA [k\xc3\xa1] to.", "♦ K\xc3\xa1 ta."}) << ul({"KA|to"}) << QList<int>{};
    QTest::newRow("bracket in an example written as parenthesis")
        << u("\\lx so\n\\ge house\n\\xv A [so] ka bon.\n\\xe His house is big.\n") << ul({"SO"})
        << ul({"SO [so] house.", "♦ A (so) ka bon. His house is big."}) << ul({"SO|house"})
        << QList<int>{3};
    // Line 1 of both files: "…" at index 12 of the head line and 7 of the lexicon row
    // takes key digit 1 ((1 + i) mod 5 = 3) and would be stored as the bullet U+2022. The
    // head line is reported at its record's line.
    QTest::newRow("unstorable ellipsis written as three dots")
        << u("\\lx so\n\\ge wait…\n") << ul({"SO"}) << ul({"SO [so] wait...."})
        << ul({"SO|wait..."}) << QList<int>{1, 2};
    QTest::newRow("unknown marker reported once, field before any record")
        << u("\\ge stray\n\\lx a\n\\dt 2020\n\\lx i\n\\dt 2021\n") << ul({"A", "I"})
        << ul({"A [a]", "I [i]"}) << QStringList{} << QList<int>{1, 3};
}

void TestMdfImport::records()
{
    QFETCH(QString, mdf);
    const ImportResult result = importMdf(mdf, QStringLiteral("dict.txt"), ImportMap::standard());
    QVERIFY(result.usable);
    QFETCH(QStringList, headwords);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, lexicon);
    QFETCH(QList<int>, warnings);
    QCOMPARE(result.sources.headwords, headwords);
    QCOMPARE(result.sources.entries, entries);
    QCOMPARE(result.sources.lexicon, lexicon);
    QCOMPARE(warningLines(result.diagnostics), warnings);
}

void TestMdfImport::summary()
{
    const ImportResult result =
        importMdf(u("\\lx ba\n\\ge mother\n\\dt 1\n\\lx 1ba\n\\lx \n\\lx bo\n\\dt 2\n"),
                  QStringLiteral("d.txt"), ImportMap::standard());
    QCOMPARE(result.summary.text(QStringLiteral("d.txt")),
             QStringLiteral("d.txt: 4 records read, 2 entries written under 2 headwords, 1 "
                            "lexicon rows; fields ignored: \\dt 2; records skipped: headword "
                            "outside the alphabet 1, no headword 1"));
}

void TestMdfImport::recordMarkerMissing()
{
    const ImportResult result =
        importMdf(u("\\hw ba\n\\ge mother\n"), QStringLiteral("d.txt"), ImportMap::standard());
    QVERIFY(!result.usable);
    QCOMPARE(result.diagnostics.last().toString(),
             QStringLiteral("d.txt: error: no record: no line begins with the record marker \\lx"));
}

// The path a producer takes: import, build, and what the viewer shows for a headword.
void TestMdfImport::importBuildLookUp()
{
    const ImportResult result = importMdf(
        u("\\lx bɔ\n\\ps v\n\\ge leave\n\\xv A bɔra.\n\\xe He left.\n\\va bɔn\n"
          "\\se bɔli\n\\ps n\n\\ge departure\n\n\\lx bá\n\\hm 2\n\\ge goat\n\n\\lx ba\n\\hm 1\n"
          "\\ge mother\n"),
        QStringLiteral("dict.txt"), ImportMap::standard());
    QVERIFY(result.usable);
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src"));
    const QString res = dir.filePath(QStringLiteral("res"));
    QVERIFY(writeSources(result.sources, src));
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(src);
    QVERIFY(compiler.diagnostics().isEmpty());
    QString error;
    QVERIFY2(replaceDirectory({res, DictionaryCompiler::dataFileNames(), {src}},
                              DictionaryCompiler::encode(files), &error),
             qPrintable(error));
    DictionaryChecker checker;
    QCOMPARE(checker.check(res), DictionaryChecker::Outcome::Clean);

    const LetterTexts texts = readLetterTexts(res);
    const LookupResult variant = lookUpWord(texts, u("BƆN"));
    QCOMPARE(variant.kind, LookupResult::Entry);
    QCOMPARE(variant.text, u("BƆ [bɔ] W leave.\n♦ A bɔra. He left.\n↓BƆLI\n"));
    const LookupResult homographs = lookUpWord(texts, QStringLiteral("BA"));
    QCOMPARE(homographs.text, u("BA [ba] mother.\nBA [bá] goat.\n"));
}

void TestMdfImport::command_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("entries");

    QTest::newRow("CRLF and a byte-order mark")
        << QByteArray("\xEF\xBB\xBF\\lx ba\r\n\\ge mother\r\n") << QStringList{}
        << QByteArray("BA [ba] mother.\n");
    QTest::newRow("Latin-1 on request")
        << QByteArray("\\lx b\xE1\n\\ge goat\n")
        << QStringList{QStringLiteral("--encoding"), QStringLiteral("latin1")}
        << QByteArray("BA [b\xC3\xA1] goat.\n");
    QTest::newRow("map file: a gloss marker of its own, English left out")
        << QByteArray("\\lx ba\n\\ge mother\n\\gf m\xC3\xA8re\n")
        << QStringList{QStringLiteral("--map"), QStringLiteral("MAP")}
        << QByteArray("BA [ba] m\xC3\xA8re.\n");
}

void TestMdfImport::command()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, entries);
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("dict.txt"));
    QVERIFY(testdata::writeFile(input, bytes));
    const QString map = dir.filePath(QStringLiteral("my.map"));
    QVERIFY(testdata::writeFile(map, "# French glosses\n\\ge ignore\n\\gf gloss\n"));
    options.replaceInStrings(QStringLiteral("MAP"), map);
    const QString src = dir.filePath(QStringLiteral("src"));
    const Run run =
        runTool(QStringList{QStringLiteral("import-mdf"), input} + options + QStringList{src});
    QCOMPARE(run.status, 0);
    QCOMPARE(readBytes(src + QStringLiteral("/entries.txt")), entries);
    QVERIFY(run.errors.startsWith(input + QStringLiteral(": 1 records read")));
}

void TestMdfImport::refusedInputWritesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QString>("error");

    QTest::newRow("invalid UTF-8")
        << QByteArray("\\lx ba\n\\ge m\xE8re\n") << QByteArray()
        << QStringLiteral("dict.txt:2: error: bytes that are not valid UTF-8 (E8 72 65 0A) at "
                          "column 6");
    QTest::newRow("map with an unknown role")
        << QByteArray("\\lx ba\n") << QByteArray("\\ge glos\n")
        << QStringLiteral("my.map:1: error: unknown role \"glos\"");
    QTest::newRow("no record") << QByteArray("\\hw ba\n") << QByteArray()
                               << QStringLiteral("dict.txt: error: no record");
}

void TestMdfImport::refusedInputWritesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, map);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    QVERIFY(testdata::writeFile(QStringLiteral("dict.txt"), bytes));
    QStringList arguments{QStringLiteral("import-mdf"), QStringLiteral("dict.txt")};
    if (!map.isEmpty()) {
        QVERIFY(testdata::writeFile(QStringLiteral("my.map"), map));
        arguments << QStringLiteral("--map") << QStringLiteral("my.map");
    }
    // Sources of an earlier import stay as they were.
    QVERIFY(QDir().mkdir(QStringLiteral("src")));
    QVERIFY(testdata::writeFile(QStringLiteral("src/entries.txt"), "BA [ba] old.\n"));
    const Run run = runTool(arguments << QStringLiteral("src"));
    QCOMPARE(run.status, 2);
    QVERIFY2(run.errors.contains(error), qPrintable(run.errors));
    QCOMPARE(readBytes(QStringLiteral("src/entries.txt")), QByteArray("BA [ba] old.\n"));
    QCOMPARE(QDir(QStringLiteral("src")).entryList(QDir::Files),
             QStringList{QStringLiteral("entries.txt")});
}

QTEST_GUILESS_MAIN(TestMdfImport)
#include "tst_mdfimport.moc"
