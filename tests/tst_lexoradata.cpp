// lexora-data as a producer runs it: each command's exit status, what it prints and what
// it leaves on disk. The compiler's and the checker's findings are tested with them; here
// a row shows how a command reports and that a refusal writes nothing.

#include "datafilenames.h"
#include "testdatafiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

// Files in the working directory of a run: path -> bytes; a path ending in "/" is a
// directory.
using Files = QMap<QString, QByteArray>;

const QByteArray keptBytes = "previous data\n";
const QByteArray absent; // in `after`: nothing is at that path

// Sources of one entry, and the stored form of each line, computed by hand: line 1 moves
// its units by the key digits 2, 4, 1, 3, 5, 2, ... minus 5.
Files sources(const QByteArray &entries = "BA [o] N x.\n")
{
    return {{QStringLiteral("src/headwords.txt"), "BA\n"},
            {QStringLiteral("src/entries.txt"), entries},
            {QStringLiteral("src/lexicon.txt"), "BA|x\n"}};
}

const Files built = {{QStringLiteral("res/entries.bna"), "?@\n"},
                     {QStringLiteral("res/b.bna"), "?@\x1CYoZ\x1FJ\x1Ex+\n"},
                     {QStringLiteral("res/lexic.bna"), "?@xv\n"},
                     {QStringLiteral("res/a.bna"), ""}};

Files operator+(Files a, const Files &b)
{
    a.insert(b);
    return a;
}

// The whole dictionary of `built`: every other letter file empty.
Files builtDictionary()
{
    Files files = built;
    for (const QChar letter : dictionaryAlphabet()) {
        const QString path = QStringLiteral("res/") + letterFileName(letter);
        if (!files.contains(path))
            files.insert(path, QByteArray());
    }
    return files;
}

} // namespace

Q_DECLARE_METATYPE(Files)

class TestLexoraData : public QObject
{
    Q_OBJECT

private slots:
    void runs_data();
    void runs();
};

void TestLexoraData::runs_data()
{
    QTest::addColumn<Files>("before");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out"); // exactly, or a fragment when it starts with "~"
    QTest::addColumn<QString>("errors"); // a fragment; empty: nothing on stderr
    QTest::addColumn<Files>("after");    // files that must then hold these bytes, or be absent

    const Files kept{{QStringLiteral("res/a.bna"), keptBytes}};
    QTest::newRow("build writes the stored form of every line")
        << sources() + kept << ul({"build", "src", "res"}) << 0 << QByteArray() << QString()
        << built;
    QTest::newRow("build from CRLF sources stores no carriage return")
        << sources("BA [o] N x.\r\n") << ul({"build", "src", "res/"}) << 0 << QByteArray()
        << QString() << built;
    QTest::newRow("build refuses a problem and writes nothing")
        << sources("x.\nBA [o] N x.\n") + kept << ul({"build", "src", "res"}) << 1 << QByteArray()
        << u("entries.txt:1: error: this line belongs to no entry") << kept;
    QTest::newRow("build refuses empty sources")
        << sources(QByteArray()) + Files{{QStringLiteral("src/headwords.txt"), QByteArray()}} + kept
        << ul({"build", "src", "res"}) << 1 << QByteArray() << u("holds no headword and no entry")
        << kept;
    QTest::newRow("build refuses a file as RES_DIR")
        << sources() + Files{{QStringLiteral("res"), keptBytes}} << ul({"build", "src", "res"}) << 2
        << QByteArray() << u("it is not a directory") << Files{{QStringLiteral("res"), keptBytes}};
    QTest::newRow("check of a clean dictionary")
        << builtDictionary() << ul({"check", "res"}) << 0
        << QByteArray("~1 headwords, 1 entries, 1 lexicon rows: no problems") << QString()
        << Files();
    QTest::newRow("check reports problems")
        << builtDictionary() + Files{{QStringLiteral("res/entries.bna"), "?@\nA>\n"}}
        << ul({"check", "res"}) << 1 << QByteArray()
        << u("res/entries.bna:2: error: headword \"BB\" has no entry") << Files();
    QTest::newRow("check of a missing directory")
        << Files() << ul({"check", "res"}) << 2 << QByteArray() << u("no such directory")
        << Files();
    QTest::newRow("decode prints the plain lines")
        << built << ul({"decode", "res/b.bna"}) << 0 << QByteArray("BA [o] N x.\n") << QString()
        << Files();
    QTest::newRow("decode of a directory") << built << ul({"decode", "res"}) << 2 << QByteArray()
                                           << u("not a regular file") << Files();
    QTest::newRow("encode prints the stored form")
        << Files{{QStringLiteral("b.txt"), "BA [o] N x.\n"}} << ul({"encode", "b.txt"}) << 0
        << built.value(QStringLiteral("res/b.bna")) << QString() << Files();
    QTest::newRow("encode -o writes the stored form")
        << Files{{QStringLiteral("b.txt"), "ba\n"}, {QStringLiteral("b.bna"), keptBytes}}
        << ul({"encode", "b.txt", "-o", "b.bna"}) << 0 << QByteArray() << QString()
        << Files{{QStringLiteral("b.bna"), "_`\n"}};
    // Line 1, column 1 has key digit 2: U+2025 would be stored as the bullet U+2022.
    QTest::newRow("encode -o refuses a line and keeps OUTPUT")
        << Files{{QStringLiteral("b.txt"), "\xE2\x80\xA5"
                                           "A\n"},
                 {QStringLiteral("b.bna"), keptBytes}}
        << ul({"encode", "b.txt", "-o", "b.bna"}) << 1 << QByteArray()
        << u("b.txt:1: error: character U+2025 at column 1")
        << Files{{QStringLiteral("b.bna"), keptBytes}};
    QTest::newRow("encode of a directory")
        << Files{{QStringLiteral("b.txt/"), QByteArray()}} << ul({"encode", "b.txt"}) << 2
        << QByteArray() << u("not a regular file") << Files();
    // The importers: the closing summary, or the first error, on stderr; nothing written
    // when the input is refused.
    const Files keptSource{{QStringLiteral("src/entries.txt"), keptBytes}};
    const Files nothingWritten = keptSource + Files{{QStringLiteral("src/headwords.txt"), absent}};
    QTest::newRow("import-mdf of CRLF and a byte-order mark writes the sources")
        << Files{{QStringLiteral("d.txt"), "\xEF\xBB\xBF\\lx ba\r\n\\ge mother\r\n"}}
        << ul({"import-mdf", "d.txt", "src"}) << 0 << QByteArray()
        << u("d.txt: 1 records read, 1 entries written under 1 headwords, 1 lexicon rows")
        << Files{{QStringLiteral("src/headwords.txt"), "BA\n"},
                 {QStringLiteral("src/entries.txt"), "BA [ba] mother.\n"},
                 {QStringLiteral("src/lexicon.txt"), "BA|mother\n"}};
    QTest::newRow("import-mdf --encoding latin1")
        << Files{{QStringLiteral("d.txt"), "\\lx b\xE1\n\\ge goat\n"}}
        << ul({"import-mdf", "d.txt", "--encoding", "latin1", "src"}) << 0 << QByteArray()
        << u("d.txt: 1 records read")
        << Files{{QStringLiteral("src/entries.txt"), "BA [b\xC3\xA1] goat.\n"}};
    QTest::newRow("import-mdf --map: a gloss marker of one's own, the built-in one left out")
        << Files{{QStringLiteral("d.txt"), "\\lx ba\n\\ge mother\n\\gf m\xC3\xA8re\n"},
                 {QStringLiteral("my.map"), "# French glosses\n\\ge ignore\n\\gf gloss\n"}}
        << ul({"import-mdf", "d.txt", "--map", "my.map", "src"}) << 0 << QByteArray()
        << u("d.txt: 1 records read")
        << Files{{QStringLiteral("src/entries.txt"), "BA [ba] m\xC3\xA8re.\n"}};
    QTest::newRow("import-mdf with warnings: exit 1 and what was left out")
        << Files{{QStringLiteral("d.txt"),
                  "\\lx ba\n\\ge mother\n\\dt 1\n\\lx 1ba\n\\lx \n\\lx bo\n\\dt 2\n"}}
        << ul({"import-mdf", "d.txt", "src"}) << 1 << QByteArray()
        << u("d.txt: 4 records read, 2 entries written under 2 headwords, 1 lexicon rows; fields "
             "ignored: \\dt 2; records skipped: headword outside the alphabet 1, no headword 1")
        << Files{{QStringLiteral("src/entries.txt"), "BA [ba] mother.\nBO [bo]\n"}};
    QTest::newRow("import-mdf refuses invalid UTF-8 and writes nothing")
        << Files{{QStringLiteral("d.txt"), "\\lx ba\n\\ge m\xE8re\n"}} + keptSource
        << ul({"import-mdf", "d.txt", "src"}) << 2 << QByteArray()
        << u("d.txt:2: error: bytes that are not valid UTF-8 (E8 72 65 0A) at column 6")
        << nothingWritten;
    QTest::newRow("import-mdf refuses a file without records and writes nothing")
        << Files{{QStringLiteral("d.txt"), "\\hw ba\n"}} + keptSource
        << ul({"import-mdf", "d.txt", "src"}) << 2 << QByteArray()
        << u("d.txt: error: no record: no line begins with the record marker \\lx")
        << nothingWritten;
    QTest::newRow("import-mdf refuses a map with an error")
        << Files{{QStringLiteral("d.txt"), "\\lx ba\n"}, {QStringLiteral("my.map"), "\\ge glos\n"}}
        << ul({"import-mdf", "d.txt", "--map", "my.map", "src"}) << 2 << QByteArray()
        << u("my.map:1: error: unknown role") << Files{{QStringLiteral("src"), absent}};
    QTest::newRow("import-lift --lang: glosses in another language left out")
        << Files{{QStringLiteral("d.lift"),
                  "<lift>\n<entry><lexical-unit><form lang=\"bm\"><text>ba</text></form>"
                  "</lexical-unit><sense><gloss lang=\"en\"><text>mother</text></gloss><gloss "
                  "lang=\"en\"><text>mum</text></gloss><gloss lang=\"fr\"><text>m\xC3\xA8re"
                  "</text></gloss></sense></entry>\n</lift>\n"}}
        << ul({"import-lift", "d.lift", "--lang", "fr", "src"}) << 1 << QByteArray()
        << u("d.lift: 1 records read")
        << Files{{QStringLiteral("src/entries.txt"), "BA [ba] m\xC3\xA8re.\n"}};
    // The text reader names the place of bytes that are not UTF-8, not the XML reader.
    QTest::newRow("import-lift refuses invalid UTF-8 at its line and column")
        << Files{{QStringLiteral("d.lift"),
                  "<lift>\n<entry id=\"a\"><lexical-unit><form lang=\"bm\"><text>b\xE1</text>"
                  "</form></lexical-unit></entry>\n</lift>\n"}}
        << ul({"import-lift", "d.lift", "src"}) << 2 << QByteArray()
        << u("d.lift:2: error: bytes that are not valid UTF-8 (E1 3C 2F 74) at column 52")
        << Files{{QStringLiteral("src"), absent}};
    QTest::newRow("help") << Files() << ul({"--help"}) << 0
                          << QByteArray("~Usage: lexora-data COMMAND") << QString() << Files();
    QTest::newRow("help of a command")
        << Files() << ul({"check", "-h"}) << 0 << QByteArray("~Usage: lexora-data check")
        << QString() << Files();
    QTest::newRow("no command") << Files() << QStringList() << 2 << QByteArray()
                                << u("Usage: lexora-data COMMAND") << Files();
    QTest::newRow("unknown command") << Files() << ul({"compile"}) << 2 << QByteArray()
                                     << u("unknown command 'compile'") << Files();
    QTest::newRow("missing argument") << Files() << ul({"build", "src"}) << 2 << QByteArray()
                                      << u("Usage: lexora-data build") << Files();
}

void TestLexoraData::runs()
{
    QFETCH(Files, before);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QString, errors);
    QFETCH(Files, after);

    QTemporaryDir dir;
    for (auto file = before.constBegin(); file != before.constEnd(); ++file) {
        const QString path = dir.filePath(file.key());
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(file.key().endsWith(QLatin1Char('/')) ? QDir().mkpath(path)
                                                      : testdata::writeFile(path, *file));
    }
    QProcess tool;
    tool.setWorkingDirectory(dir.path());
    tool.start(QStringLiteral(LEXORA_DATA_TOOL), arguments);
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    const QByteArray printed = tool.readAllStandardOutput();
    const QString reported = QString::fromUtf8(tool.readAllStandardError());
    QVERIFY2(tool.exitCode() == status, qPrintable(reported));
    if (out.startsWith('~'))
        QVERIFY2(printed.contains(out.mid(1)), printed.constData());
    else
        QCOMPARE(printed, out);
    QVERIFY2(errors.isEmpty() ? reported.isEmpty() : reported.contains(errors),
             qPrintable(reported));
    for (auto file = after.constBegin(); file != after.constEnd(); ++file) {
        QFile written(dir.filePath(file.key()));
        if (file->isNull()) {
            QVERIFY2(!written.exists(), qPrintable(file.key()));
            continue;
        }
        QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(file.key()));
        QCOMPARE(written.readAll(), *file);
    }
    // Nothing is left beside what the command was to write.
    const QStringList left =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QVERIFY2(left.filter(QRegularExpression(QStringLiteral("^\\."))).isEmpty(),
             qPrintable(left.join(QLatin1Char(' '))));
}

QTEST_GUILESS_MAIN(TestLexoraData)
#include "tst_lexoradata.moc"
