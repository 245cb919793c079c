// "lexora-data build", "decode" and "encode" as a producer uses them: refusal of
// characters that cannot be stored, replacement of the data directory as a whole, the
// round trip through decode, an editor and encode, and the help of every command.

#include "datafile.h"
#include "datafilenames.h"
#include "dictionarycompiler.h"
#include "testdatafiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Sources
{
    QString headwords = QStringLiteral("BA\nBI\n");
    QString entries = QStringLiteral("BA [ó] N mère.\n♦ Ba bɛ so kɔnɔ.\nBI [ó] N herbe.\n");
    QString lexicon = QStringLiteral("BA|mère\n");

    bool writeTo(const QString &dir) const
    {
        return QDir().mkpath(dir) && writeText(dir + QStringLiteral("/headwords.txt"), headwords) &&
               writeText(dir + QStringLiteral("/entries.txt"), entries) &&
               writeText(dir + QStringLiteral("/lexicon.txt"), lexicon);
    }
};

struct Run
{
    int status = -1;
    QByteArray out;
    QString errors;
};

Run runTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(LEXORA_DATA_TOOL), arguments);
    Run run;
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = tool.exitCode();
    run.out = tool.readAllStandardOutput();
    run.errors = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

} // namespace

class TestDataToolBuild : public QObject
{
    Q_OBJECT

private slots:
    void refusesUnstorableCharacters_data();
    void refusesUnstorableCharacters();
    void filesEntriesByLetterKey();
    void replacesTheDataDirectoryAsAWhole();
    void decodeEditEncodeRoundTrip();
    void encodeRefusesUnstorableCharacters();
    void buildRefusesWithoutReplacing_data();
    void buildRefusesWithoutReplacing();
    void encodeToOutput_data();
    void encodeToOutput();
    void help_data();
    void help();
};

void TestDataToolBuild::refusesUnstorableCharacters_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // Line 1, column 1 is stored with key digit 2: U+2025 would be stored as the bullet.
    QTest::newRow("becomes the bullet")
        << u("headwords.txt") << QStringLiteral("\u2025A\nBI\n") << u("headwords.txt:1: error:");
    // Line 2 of b.bna, column 2 has key digit 1: an ellipsis there becomes the bullet.
    QTest::newRow("ellipsis in an example becomes the bullet")
        << u("entries.txt") << QStringLiteral("BA [ó] N mère.\n♦\u2026 Ba.\nBI [ó] N herbe.\n")
        << u("entries.txt:2: error:");
    // Line 1, column 2 has key digit 4: U+000E would be stored as a carriage return.
    QTest::newRow("becomes a line break")
        << u("lexicon.txt") << QStringLiteral("B\u000E|x\n") << u("lexicon.txt:1: error:");
    // Line 2, column 2 has key digit 1: U+E000 would be stored as the low surrogate
    // U+DFFC, alone.
    QTest::newRow("becomes an unpaired surrogate")
        << u("lexicon.txt") << QStringLiteral("BA|mère\nB\uE000|x\n") << u("lexicon.txt:2: error:");
}

void TestDataToolBuild::refusesUnstorableCharacters()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    Sources sources;
    if (file == QLatin1String("headwords.txt"))
        sources.headwords = text;
    else if (file == QLatin1String("entries.txt"))
        sources.entries = text;
    else
        sources.lexicon = text;
    const QString src = dir.filePath(QStringLiteral("src"));
    const QString res = dir.filePath(QStringLiteral("res"));
    QVERIFY(sources.writeTo(src));
    QVERIFY(QDir().mkpath(res));
    QVERIFY(writeText(res + QStringLiteral("/a.bna"), QStringLiteral("previous data\n")));

    const Run run = runTool({QStringLiteral("build"), src, res});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.errors.startsWith(expected), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(QStringLiteral("cannot be stored")), qPrintable(run.errors));
    // RES_DIR is left exactly as it was, and nothing is left beside it.
    QCOMPARE(QDir(res).entryList(QDir::Files), QStringList{QStringLiteral("a.bna")});
    QCOMPARE(readBytes(res + QStringLiteral("/a.bna")), QByteArray("previous data\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("res"), QStringLiteral("src")}));
}

void TestDataToolBuild::filesEntriesByLetterKey()
{
    QTemporaryDir dir;
    Sources sources;
    // ɲa, ŋa and ʃa go to the letter files of q, v and x; ɛ and ɔ have files of their own.
    sources.headwords = QStringLiteral("\u041BA\n\u014AA\n\u0283A\n\u0190A\n\u0186A\nBA\n");
    sources.entries = QStringLiteral("\u041BA [ó] N a.\n\u014AA [ó] N b.\n\u0283A [ó] N c.\n"
                                     "\u0190A [ó] N d.\n\u0186A [ó] N e.\nBA [ó] N f.\n"
                                     "[ò] continuation.\nBA [ò] N g.\n");
    QVERIFY(sources.writeTo(dir.path()));
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(dir.path());
    QVERIFY(compiler.diagnostics().isEmpty());
    QCOMPARE(files.size(), 30);
    QCOMPARE(files.value(QStringLiteral("q.bna")), QStringList{QStringLiteral("\u041BA [ó] N a.")});
    QCOMPARE(files.value(QStringLiteral("v.bna")), QStringList{QStringLiteral("\u014AA [ó] N b.")});
    QCOMPARE(files.value(QStringLiteral("x.bna")), QStringList{QStringLiteral("\u0283A [ó] N c.")});
    QCOMPARE(files.value(QStringLiteral("\u025B.bna")),
             QStringList{QStringLiteral("\u0190A [ó] N d.")});
    QCOMPARE(files.value(QStringLiteral("\u0254.bna")),
             QStringList{QStringLiteral("\u0186A [ó] N e.")});
    QCOMPARE(files.value(QStringLiteral("b.bna")),
             (QStringList{QStringLiteral("BA [ó] N f."), QStringLiteral("[ò] continuation."),
                          QStringLiteral("BA [ò] N g.")}));
    QCOMPARE(files.value(QStringLiteral("a.bna")), QStringList());
}

void TestDataToolBuild::replacesTheDataDirectoryAsAWhole()
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src"));
    const QString res = dir.filePath(QStringLiteral("res"));
    QVERIFY(Sources().writeTo(src));
    QVERIFY(QDir().mkpath(res));
    // A file a build writes, left from an earlier build: replaced like all of them.
    QVERIFY(writeText(res + QStringLiteral("/a.bna"), QStringLiteral("left over\n")));

    const Run run = runTool({QStringLiteral("build"), src, res});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.errors, QString());
    const QStringList written = QDir(res).entryList(QDir::Files);
    QCOMPARE(written.size(), 30);
    QCOMPARE(readBytes(res + QStringLiteral("/a.bna")), QByteArray());
    QCOMPARE(*readDataFile(res + QStringLiteral("/entries.bna")),
             (QStringList{QStringLiteral("BA"), QStringLiteral("BI")}));
    QCOMPARE(*readDataFile(res + QStringLiteral("/b.bna")),
             (QStringList{QStringLiteral("BA [ó] N mère."), QStringLiteral("♦ Ba bɛ so kɔnɔ."),
                          QStringLiteral("BI [ó] N herbe.")}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("res"), QStringLiteral("src")}));
}

void TestDataToolBuild::decodeEditEncodeRoundTrip()
{
    QTemporaryDir dir;
    const QStringList plain{QStringLiteral("BA [ó] N mère."), QString(),
                            QStringLiteral("♦ Ɲa • ŋa ʃa ɛ ɔ Л.")};
    const QString stored = dir.filePath(QStringLiteral("b.bna"));
    QVERIFY(writeText(stored, QString::fromUtf8(encodeDataFile(plain))));

    const Run decoded = runTool({QStringLiteral("decode"), stored});
    QCOMPARE(decoded.status, 0);
    QCOMPARE(QString::fromUtf8(decoded.out), plain.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    // The producer edits the plain text and stores it again.
    QString edited = QString::fromUtf8(decoded.out);
    edited.replace(QStringLiteral("mère"), QStringLiteral("maman"));
    const QString editedPath = dir.filePath(QStringLiteral("b.txt"));
    QVERIFY(writeText(editedPath, edited));
    const Run encoded = runTool({QStringLiteral("encode"), editedPath});
    QCOMPARE(encoded.status, 0);
    QVERIFY(writeText(stored, QString::fromUtf8(encoded.out)));
    QStringList expected = plain;
    expected[0] = QStringLiteral("BA [ó] N maman.");
    QCOMPARE(*readDataFile(stored), expected);

    // Without an edit the round trip gives back the very bytes.
    QVERIFY(writeText(editedPath, QString::fromUtf8(decoded.out)));
    QCOMPARE(runTool({QStringLiteral("encode"), editedPath}).out, encodeDataFile(plain));
}

void TestDataToolBuild::encodeRefusesUnstorableCharacters()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain.txt"));
    QVERIFY(writeText(path, QStringLiteral("BA [ó] N mère.\n♦\u2026 Ba.\n")));
    const Run run = runTool({QStringLiteral("encode"), path});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(
        run.errors.startsWith(path + QStringLiteral(":2: error: character U+2026 at column 2")),
        qPrintable(run.errors));
}

void TestDataToolBuild::buildRefusesWithoutReplacing_data()
{
    QTest::addColumn<QString>("headwords");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<bool>("resIsFile");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("no headword and no entry")
        << QString() << QString() << false << 1 << u("holds no headword and no entry");
    QTest::newRow("RES_DIR a regular file")
        << u("BA\n") << u("BA [o] N mother.\n") << true << 2 << u("it is not a directory");
}

void TestDataToolBuild::buildRefusesWithoutReplacing()
{
    QFETCH(QString, headwords);
    QFETCH(QString, entries);
    QFETCH(bool, resIsFile);
    QFETCH(int, status);
    QFETCH(QString, message);

    QTemporaryDir dir;
    Sources sources;
    sources.headwords = headwords;
    sources.entries = entries;
    const QString src = dir.filePath(QStringLiteral("src"));
    const QString res = dir.filePath(QStringLiteral("res"));
    const QString kept = resIsFile ? res : res + QStringLiteral("/a.bna");
    QVERIFY(sources.writeTo(src));
    QVERIFY(resIsFile || QDir().mkpath(res));
    QVERIFY(writeText(kept, QStringLiteral("previous data\n")));

    const Run run = runTool({QStringLiteral("build"), src, res});
    QCOMPARE(run.status, status);
    QVERIFY2(run.errors.startsWith(QStringLiteral("lexora-data: error: ")) &&
                 run.errors.contains(message),
             qPrintable(run.errors));
    QCOMPARE(readBytes(kept), QByteArray("previous data\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("res"), QStringLiteral("src")}));
}

void TestDataToolBuild::encodeToOutput_data()
{
    QTest::addColumn<QString>("plain"); // empty: FILE is a directory
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("message");

    // Line 1 is stored with key digits 2, 4 in its first two columns, each unit moved by
    // its digit minus 5: b (U+0062) becomes U+005F, a (U+0061) becomes U+0060.
    QTest::newRow("written") << u("ba\n") << 0 << QByteArray("_`\n") << QString();
    // Line 1, column 1 has key digit 2: U+2025 would be stored as the bullet U+2022.
    QTest::newRow("line that cannot be stored")
        << QStringLiteral("\u2025A\n") << 1 << QByteArray("previous data\n")
        << u(":1: error: character U+2025 at column 1");
    QTest::newRow("FILE a directory")
        << QString() << 2 << QByteArray("previous data\n") << u("not a regular file");
}

void TestDataToolBuild::encodeToOutput()
{
    QFETCH(QString, plain);
    QFETCH(int, status);
    QFETCH(QByteArray, output);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain.txt"));
    const QString out = dir.filePath(QStringLiteral("b.bna"));
    QVERIFY(plain.isEmpty() ? QDir().mkpath(file) : writeText(file, plain));
    QVERIFY(writeText(out, QStringLiteral("previous data\n")));

    const Run run = runTool({QStringLiteral("encode"), file, QStringLiteral("-o"), out});
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(readBytes(out), output);
    QVERIFY2(run.errors.contains(message) && run.errors.isEmpty() == message.isEmpty(),
             qPrintable(run.errors));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("b.bna"), QStringLiteral("plain.txt")}));
}

void TestDataToolBuild::help_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("usage");

    QTest::newRow("tool") << ul({"--help"}) << 0 << u("Usage: lexora-data COMMAND");
    QTest::newRow("build") << ul({"build", "--help"}) << 0 << u("Usage: lexora-data build");
    QTest::newRow("check") << ul({"check", "-h"}) << 0 << u("Usage: lexora-data check");
    QTest::newRow("decode") << ul({"decode", "--help"}) << 0 << u("Usage: lexora-data decode");
    QTest::newRow("encode") << ul({"encode", "--help"}) << 0 << u("Usage: lexora-data encode");
    QTest::newRow("no command") << QStringList() << 2 << u("Usage: lexora-data COMMAND");
    QTest::newRow("unknown command") << ul({"compile"}) << 2 << u("Usage: lexora-data COMMAND");
    QTest::newRow("missing argument") << ul({"build", "src"}) << 2 << u("Usage: lexora-data build");
}

void TestDataToolBuild::help()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, usage);

    const Run run = runTool(arguments);
    QCOMPARE(run.status, status);
    const QString text = status == 0 ? QString::fromUtf8(run.out) : run.errors;
    QVERIFY2(text.contains(usage), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestDataToolBuild)
#include "tst_datatoolbuild.moc"
