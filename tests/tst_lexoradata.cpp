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
using Files = QMap<QByteArray, QByteArray>;

const QByteArray keptBytes = "previous data\n";
const QByteArray absent; // in `after`: nothing is at that path

// Sources of one entry, and the stored form of each line, computed by hand: line 1 moves
// its units by the key digits 2, 4, 1, 3, 5, 2, ... minus 5.
Files sources(const QByteArray &entries = "BA [o] N x.\n")
{
    return {
        {"src/headwords.txt", "BA\n"}, {"src/entries.txt", entries}, {"src/lexicon.txt", "BA|x\n"}};
}

const Files built = {{"res/entries.bna", "?@\n"},
                     {"res/b.bna", "?@\x1CYoZ\x1FJ\x1Ex+\n"},
                     {"res/lexic.bna", "?@xv\n"},
                     {"res/a.bna", ""}};

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
        const QByteArray path = "res/" + letterFileName(letter).toUtf8();
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

    const auto row = [](const char *name, const Files &before, const char *arguments, int status,
                        const char *errors, const Files &after, const QByteArray &out = {}) {
        QTest::newRow(name) << before << u(arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts)
                            << status << out << u(errors) << after;
    };
    const Files kept{{"res/a.bna", keptBytes}};
    row("build writes the stored form of every line", sources() + kept, "build src res", 0, "",
        built);
    row("build refuses a problem and writes nothing", sources("x.\nBA [o] N x.\n") + kept,
        "build src res", 1, "entries.txt:1: error: this line belongs to no entry", kept);
    row("build refuses empty sources",
        sources(QByteArray()) + Files{{"src/headwords.txt", QByteArray()}} + kept, "build src res",
        1, "holds no headword and no entry", kept);
    row("build refuses a file as RES_DIR", sources() + Files{{"res", keptBytes}}, "build src res",
        2, "it is not a directory", {{"res", keptBytes}});
    row("check of a clean dictionary", builtDictionary(), "check res", 0, "", {},
        QByteArray("~1 headwords, 1 entries, 1 lexicon rows: no problems"));
    row("check reports problems", builtDictionary() + Files{{"res/entries.bna", "?@\nA>\n"}},
        "check res", 1, "res/entries.bna:2: error: headword \"BB\" has no entry", {});
    row("check of a missing directory", {}, "check res", 2, "no such directory", {});
    Files incomplete = builtDictionary();
    incomplete.remove("res/\xC9\x94.bna"); // ɔ U+0254
    row("check of a dictionary without a letter file", incomplete, "check res", 2,
        "res/ɔ.bna: error: cannot read this file: no such file", {});
    row("decode prints the plain lines", built, "decode res/b.bna", 0, "", {},
        QByteArray("BA [o] N x.\n"));
    row("decode of a directory", built, "decode res", 2, "not a regular file", {});
    row("encode prints the stored form", {{"b.txt", "BA [o] N x.\n"}}, "encode b.txt", 0, "", {},
        built.value("res/b.bna"));
    row("encode -o writes the stored form", {{"b.txt", "ba\n"}, {"b.bna", keptBytes}},
        "encode b.txt -o b.bna", 0, "", {{"b.bna", "_`\n"}});
    // Line 1, column 1 has key digit 2: U+2025 would be stored as the bullet U+2022.
    row("encode -o refuses a line and keeps OUTPUT",
        {{"b.txt", "\xE2\x80\xA5"
                   "A\n"},
         {"b.bna", keptBytes}},
        "encode b.txt -o b.bna", 1, "b.txt:1: error: character U+2025 at column 1",
        {{"b.bna", keptBytes}});
    row("encode of a directory", {{"b.txt/", QByteArray()}}, "encode b.txt", 2,
        "not a regular file", {});
    // The importers: the closing summary, or the first error, on stderr; nothing written
    // when the input is refused.
    const Files keptSource{{"src/entries.txt", keptBytes}};
    const Files nothingWritten = keptSource + Files{{"src/headwords.txt", absent}};
    row("import-mdf of CRLF and a byte-order mark writes the sources",
        {{"d.txt", "\xEF\xBB\xBF\\lx ba\r\n\\ge mother\r\n"}}, "import-mdf d.txt src", 0,
        "d.txt: 1 records read, 1 entries written under 1 headwords, 1 lexicon rows",
        {{"src/headwords.txt", "BA\n"},
         {"src/entries.txt", "BA [ba] mother.\n"},
         {"src/lexicon.txt", "BA|mother\n"}});
    row("import-mdf --encoding latin1", {{"d.txt", "\\lx b\xE1\n\\ge goat\n"}},
        "import-mdf d.txt --encoding latin1 src", 0, "d.txt: 1 records read",
        {{"src/entries.txt", "BA [b\xC3\xA1] goat.\n"}});
    row("import-mdf --map: a gloss marker of one's own, the built-in one left out",
        {{"d.txt", "\\lx ba\n\\ge mother\n\\gf m\xC3\xA8re\n"},
         {"my.map", "# French glosses\n\\ge ignore\n\\gf gloss\n"}},
        "import-mdf d.txt --map my.map src", 0, "d.txt: 1 records read",
        {{"src/entries.txt", "BA [ba] m\xC3\xA8re.\n"}});
    row("import-mdf with warnings: exit 1 and what was left out",
        {{"d.txt", "\\lx ba\n\\ge mother\n\\dt 1\n\\lx 1ba\n\\lx \n\\lx bo\n\\dt 2\n"}},
        "import-mdf d.txt src", 1,
        "d.txt: 4 records read, 2 entries written under 2 headwords, 1 lexicon rows; fields "
        "ignored: \\dt 2; records skipped: headword outside the alphabet 1, no headword 1",
        {{"src/entries.txt", "BA [ba] mother.\nBO [bo]\n"}});
    row("import-mdf refuses invalid UTF-8 and writes nothing",
        Files{{"d.txt", "\\lx ba\n\\ge m\xE8re\n"}} + keptSource, "import-mdf d.txt src", 2,
        "d.txt:2: error: bytes that are not valid UTF-8 (E8 72 65 0A) at column 6", nothingWritten);
    row("import-mdf refuses a file without records and writes nothing",
        Files{{"d.txt", "\\hw ba\n"}} + keptSource, "import-mdf d.txt src", 2,
        "d.txt: error: no record: no line begins with the record marker \\lx", nothingWritten);
    row("import-mdf refuses a map with an error",
        {{"d.txt", "\\lx ba\n"}, {"my.map", "\\ge glos\n"}}, "import-mdf d.txt --map my.map src", 2,
        "my.map:1: error: unknown role", {{"src", absent}});
    row("import-lift --lang: glosses in another language left out",
        {{"d.lift", "<lift>\n<entry><lexical-unit><form lang=\"bm\"><text>ba</text></form>"
                    "</lexical-unit><sense><gloss lang=\"en\"><text>mother</text></gloss><gloss "
                    "lang=\"en\"><text>mum</text></gloss><gloss lang=\"fr\"><text>m\xC3\xA8re"
                    "</text></gloss></sense></entry>\n</lift>\n"}},
        "import-lift d.lift --lang fr src", 1, "d.lift: 1 records read",
        {{"src/entries.txt", "BA [ba] m\xC3\xA8re.\n"}});
    // The text reader names the place of bytes that are not UTF-8, not the XML reader.
    row("import-lift refuses invalid UTF-8 at its line and column",
        {{"d.lift", "<lift>\n<entry id=\"a\"><lexical-unit><form lang=\"bm\"><text>b\xE1</text>"
                    "</form></lexical-unit></entry>\n</lift>\n"}},
        "import-lift d.lift src", 2,
        "d.lift:2: error: bytes that are not valid UTF-8 (E1 3C 2F 74) at column 52",
        {{"src", absent}});
    row("help", {}, "--help", 0, "", {}, QByteArray("~Usage: lexora-data COMMAND"));
    row("help of a command", {}, "check -h", 0, "", {}, QByteArray("~Usage: lexora-data check"));
    row("no command", {}, "", 2, "Usage: lexora-data COMMAND", {});
    row("unknown command", {}, "compile", 2, "unknown command 'compile'", {});
    row("missing argument", {}, "build src", 2, "Usage: lexora-data build", {});
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
        const QString path = dir.filePath(QString::fromUtf8(file.key()));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(file.key().endsWith('/') ? QDir().mkpath(path) : testdata::writeFile(path, *file));
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
        QFile written(dir.filePath(QString::fromUtf8(file.key())));
        if (file->isNull()) {
            QVERIFY2(!written.exists(), file.key().constData());
            continue;
        }
        QVERIFY2(written.open(QIODevice::ReadOnly), file.key().constData());
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
