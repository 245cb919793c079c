// lexora-data as a producer runs it: each command's exit status, where its messages go, the
// options that reach the library and what it leaves on disk; a refusal writes nothing. What
// the compiler, the checker and the importers make of their input is tested with them.

#include "alphabet.h"
#include "datafilenames.h"
#include "testdatafiles.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using testdata::u;

namespace {

// Files in the working directory of a run: path -> bytes; in `after`, a null QByteArray means
// that nothing is at that path.
using Files = QMap<QByteArray, QByteArray>;

// Sources of one entry with an about file, and a data file of an earlier build.
Files sources(const QByteArray &entries = "BA [o] N x.\n", const QByteArray &headwords = "BA\n")
{
    return {{"src/headwords.txt", headwords},
            {"src/entries.txt", entries},
            {"src/lexicon.txt", "BA|x\n"},
            {"src/about.txt", "Me\n"},
            {"res/a.bna", "old\n"}};
}

// The data files build makes of sources(), each line's stored form computed by hand (line 1
// moves its units by the key digits 2, 4, 1, 3, 5, 2, ... minus 5), or another headword file.
Files built(const QByteArray &headwords = "?@\n")
{
    Files files{
        {"res/entries.bna", headwords}, {"res/lexic.bna", "?@xv\n"}, {"res/about.bna", "Jd\n"}};
    for (const QChar letter : dictionaryAlphabet())
        files.insert("res/" + letterFileName(letter).toUtf8(), "");
    files["res/b.bna"] = "?@\x1CYoZ\x1FJ\x1Ex+\n";
    return files;
}

// The record an import writes into SRC_DIR: its comment, the command, `lines` (the file and
// the options), and the digest of each source file written, here `sources` in name order.
QByteArray recordOf(const char *command, const QByteArray &lines, const Files &sources)
{
    QByteArray record = QByteArray("# How these sources were imported: 'lexora-data ") + command +
                        " --again DIR' repeats it.\ncommand " + command + "\n" + lines;
    for (auto file = sources.constBegin(); file != sources.constEnd(); ++file)
        record += "written " + file.key() + ' ' +
                  QCryptographicHash::hash(*file, QCryptographicHash::Sha256).toHex() + '\n';
    return record;
}

} // namespace

Q_DECLARE_METATYPE(Files)

class TestLexoraData : public QObject
{
    Q_OBJECT

private slots:
    void runs_data();
    void runs();
    void chain();
};

void TestLexoraData::runs_data()
{
    QTest::addColumn<Files>("before");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("errors"); // a fragment of stderr; empty: nothing there
    QTest::addColumn<Files>("after");       // files that must then hold these bytes, or be absent
    QTest::addColumn<QByteArray>("out");    // the beginning of stdout; empty: nothing there

    const auto row = [](const char *name, const Files &before, const char *arguments, int status,
                        const QByteArray &errors, const Files &after, const QByteArray &out = {}) {
        QTest::newRow(name) << before << u(arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts)
                            << status << errors << after << out;
    };
    Files noReversal = built();
    noReversal.insert("res/reversal.bna", QByteArray());
    row("build writes the stored form of every line", sources(), "build src res", 0, "",
        noReversal);
    // The reversal file is stored as the lexicon is: "BA|x" on line 1 as in lexic.bna.
    Files withReversal = sources();
    withReversal.insert("src/reversal.txt", "BA|x\n");
    Files builtWithReversal = built();
    builtWithReversal.insert("res/reversal.bna", "?@xv\n");
    row("build writes the reversal file", withReversal, "build src res", 0, "", builtWithReversal);
    row("decode prints the reversal file's plain lines", builtWithReversal,
        "decode res/reversal.bna", 0, "", {}, "BA|x\n");
    row("build refuses a problem and writes nothing", sources("x.\nBA [o] N x.\n"), "build src res",
        1, "entries.txt:1: error: this line belongs to no entry", {{"res/a.bna", "old\n"}});
    row("build refuses empty sources", sources("", ""), "build src res", 1,
        "holds no headword and no entry", {{"res/a.bna", "old\n"}});
    row("build refuses a regular file as RES_DIR", sources(), "build src src/lexicon.txt", 2,
        "it is not a directory", {{"src/lexicon.txt", "BA|x\n"}});
    row("check of a clean dictionary", built(), "check res", 0, "", {},
        "res: 1 headwords, 1 entries, 1 lexicon rows: no problems\n");
    row("check reports problems", built("?@\nA>\n"), "check res", 1,
        "res/entries.bna:2: error: headword \"BB\" has no entry in b.bna\nlexora-data: res: 1 "
        "error(s), 0 warning(s)\n",
        {});
    Files withoutAbout = built();
    withoutAbout.remove("res/about.bna");
    row("check warns when there is no about file", withoutAbout, "check res", 1,
        "res/about.bna: warning: no about file", {});
    row("check of a missing directory", {}, "check res", 2, "res: error: no such directory", {});
    row("decode prints the plain lines", built(), "decode res/b.bna", 0, "", {}, "BA [o] N x.\n");
    row("encode prints the stored form", {{"b.txt", "BA [o] N x.\n"}}, "encode b.txt", 0, "", {},
        built().value("res/b.bna"));
    row("encode -o writes the stored form", {{"b.txt", "ba\n"}, {"b.bna", "old\n"}},
        "encode b.txt -o b.bna", 0, "", {{"b.bna", "_`\n"}});
    // Line 1, column 1 has key digit 2: U+2025 would be stored as the bullet U+2022.
    row("encode -o refuses a line and keeps OUTPUT",
        {{"b.txt", "\xE2\x80\xA5\n"}, {"b.bna", "old\n"}}, "encode b.txt -o b.bna", 1,
        "b.txt:1: error: character U+2025 at column 1", {{"b.bna", "old\n"}});
    row("encode refuses a data file and keeps OUTPUT", built(), "encode res/b.bna -o res/b.bna", 2,
        "res/b.bna:1: error: this line reads as a stored line already",
        {{"res/b.bna", built().value("res/b.bna")}});
    row("encode of a directory", {}, "encode .", 2, "not a regular file", {});
    row("encode -o refuses a directory as OUTPUT, saying why",
        {{"b.txt", "ba\n"}, {"out/x", "x\n"}}, "encode b.txt -o out", 2, "it is not a regular file",
        {{"out/x", "x\n"}});
    // The importers: warnings and the closing summary on stderr; nothing written when the
    // input is refused.
    row("import-mdf --map and --encoding latin1: a gloss marker of one's own in Latin-1",
        {{"d.txt", "\\lx b\xE1\n\\ge goat\n\\gf ch\xE8vre\n"},
         {"my.map", "\\ge ignore\n\\gf gloss\n"}},
        "import-mdf d.txt --map my.map --encoding latin1 src", 0, "d.txt: 1 records read",
        {{"src/entries.txt", "BA [b\xC3\xA1] ch\xC3\xA8vre.\n"},
         {"src/about.txt", "Imported from d.txt.\n"},
         {"src/import-options.txt", recordOf("import-mdf", "file ../d.txt\nencoding latin1\n",
                                             {{"about.txt", "Imported from d.txt.\n"},
                                              {"entries.txt", "BA [b\xC3\xA1] ch\xC3\xA8vre.\n"},
                                              {"headwords.txt", "BA\n"},
                                              {"import.map", "\\ge ignore\n\\gf gloss\n"},
                                              {"lexicon.txt", "BA|ch\xC3\xA8vre\n"}})},
         {"src/import.map", "\\ge ignore\n\\gf gloss\n"}});
    // A re-import: the file has a new record, the recorded map is used again, the hand edit
    // of BA takes the place of its imported entry, and the hand-edit folder is left as it
    // was, byte for byte.
    const Files handEdits{{"src.handmade/entries.txt", "# fixed\nBA [b\xC3\xA1] N m\xC3\xA8re.\n"},
                          {"src.handmade/notes.odt", "PK\x03\x04"}};
    Files imported = handEdits;
    imported.insert("d.txt", "\\lx ba\n\\gf x\n\\lx da\n\\gf bouche\n");
    // The entries the import wrote are unchanged (sha256sum of "BA [ba] x.\n"); the map was
    // changed (the digest is of "old\n"), which --again takes as it is; the lexicon is gone,
    // which changes nothing.
    imported.insert("src/import-options.txt",
                    "command import-mdf\nfile ../d.txt\nwritten entries.txt "
                    "0b2c41c83b405086734d51a039e338cbba378a88879ccd43c11e04d5aa1cc547\n"
                    "written import.map "
                    "01d09d19c2139a46aebfb577780d123d7396e97201bc7ead210a2ebff8239dee\n"
                    "written lexicon.txt "
                    "01d09d19c2139a46aebfb577780d123d7396e97201bc7ead210a2ebff8239dee\n");
    imported.insert("src/import.map", "\\gf gloss\n");
    imported.insert("src/entries.txt", "BA [ba] x.\n");
    Files reimported = handEdits;
    reimported.insert("src/entries.txt", "BA [b\xC3\xA1] N m\xC3\xA8re.\nDA [da] bouche.\n");
    reimported.insert("src/lexicon.txt", "BA|x\nDA|bouche\n");
    reimported.insert("src/import.map", "\\gf gloss\n");
    reimported.insert("src/import-options.txt",
                      recordOf("import-mdf", "file ../d.txt\n",
                               {{"about.txt", "Imported from d.txt.\n"},
                                {"entries.txt", reimported.value("src/entries.txt")},
                                {"headwords.txt", "BA\nDA\n"},
                                {"import.map", "\\gf gloss\n"},
                                {"lexicon.txt", reimported.value("src/lexicon.txt")}}));
    row("import-mdf --again repeats the import and keeps a hand edit", imported,
        "import-mdf --again src", 0,
        "hand edits: entries of 1 headword(s) replaced, 0 added; lexicon rows of 0", reimported);
    // sha256sum of "BA [ba] x.\n"
    row("an import does not replace a source changed by hand since",
        {{"d.txt", "\\lx ba\n\\ge x\n"},
         {"src/import-options.txt",
          "command import-mdf\nfile ../d.txt\nwritten entries.txt "
          "0b2c41c83b405086734d51a039e338cbba378a88879ccd43c11e04d5aa1cc547\n"},
         {"src/entries.txt", "BA [ba] x, fixed.\n"}},
        "import-mdf d.txt src", 2,
        "src/entries.txt: error: changed since the import wrote it, and an import would replace "
        "it: keep the change in src.handmade/entries.txt",
        {{"src/entries.txt", "BA [ba] x, fixed.\n"}});
    // sha256sum of "\\ge ignore\n": the map the import copied, since changed by hand.
    row("a new import does not replace a map in SRC_DIR changed by hand since",
        {{"d.txt", "\\lx ba\n\\ge x\n"},
         {"my.map", "\\gf gloss\n"},
         {"src/import-options.txt",
          "command import-mdf\nfile ../d.txt\nwritten import.map "
          "0850b4ad6f5229e668ea4a7b9015ebc820db5ab0e43938cb532bf7eab05ed838\n"},
         {"src/import.map", "\\ge ignore\n\\gf gloss\n"}},
        "import-mdf d.txt --map my.map src", 2,
        "src/import.map: error: changed since the import wrote it, and an import would replace "
        "it: 'lexora-data import-mdf --again src' uses it as it is",
        {{"src/import.map", "\\ge ignore\n\\gf gloss\n"}});
    row("import-mdf --again without a recorded import", {{"src/entries.txt", "BA [ba] x.\n"}},
        "import-mdf --again src", 2,
        "src/import-options.txt: error: no recorded import: src was not written by an import",
        {{"src/entries.txt", "BA [ba] x.\n"}});
    row("import-mdf --again of an import-lift record names the command",
        {{"src/import-options.txt", "command import-lift\nfile ../d.lift\n"}},
        "import-mdf --again src", 2,
        "src was imported by import-lift: run 'lexora-data import-lift --again src'",
        {{"src/import-options.txt", "command import-lift\nfile ../d.lift\n"}});
    row("import-mdf --again takes no other option", {}, "import-mdf --again src --map m.map", 2,
        "--again repeats the recorded import and takes no other option", {});
    row("import-mdf refuses invalid UTF-8 and writes nothing",
        {{"d.txt", "\\lx ba\n\\ge m\xE8re\n"}}, "import-mdf d.txt src", 2,
        "nothing written; if d.txt is in Latin-1, give --encoding latin1", {{"src", QByteArray()}});
    row("import-mdf prints the map file's errors and writes nothing",
        {{"d.txt", "\\lx ba\n\\ge x\n"}, {"bad.map", "\\ge\n"}},
        "import-mdf d.txt --map bad.map src", 2, "bad.map:1: error: a line is",
        {{"src", QByteArray()}});
    row("import-lift prints the map file's errors and writes nothing",
        {{"d.lift", "<lift/>\n"}, {"bad.map", "\\ge\n"}}, "import-lift d.lift --map bad.map src", 2,
        "bad.map:1: error: a line is", {{"src", QByteArray()}});
    // More glosses in English than in French, so French only when asked for; the English ones
    // are left out by the producer's choice: nothing lost, exit 0.
    const QByteArray englishAndFrench =
        R"(<lift><entry><lexical-unit><form lang="bm"><text>ba</text></form></lexical-unit>
<sense><gloss lang="en"><text>mother</text></gloss><gloss lang="en"><text>mum</text></gloss>
<gloss lang="fr"><text>m&#xE8;re</text></gloss></sense></entry></lift>)";
    row("import-lift --lang", {{"d.lift", englishAndFrench}}, "import-lift d.lift --lang fr src", 0,
        "d.lift: 1 records read",
        {{"src/entries.txt", "BA [ba] m\xC3\xA8re.\n"},
         {"src/import-options.txt", recordOf("import-lift", "file ../d.lift\nlang fr\n",
                                             {{"about.txt", "Imported from d.lift.\n"},
                                              {"entries.txt", "BA [ba] m\xC3\xA8re.\n"},
                                              {"headwords.txt", "BA\n"},
                                              {"lexicon.txt", "BA|m\xC3\xA8re\n"}})}});
    row("import-lift --again repeats --lang",
        {{"d.lift", englishAndFrench},
         {"src/import-options.txt", "command import-lift\nfile ../d.lift\nlang fr\n"}},
        "import-lift --again src", 0, "d.lift: 1 records read",
        {{"src/entries.txt", "BA [ba] m\xC3\xA8re.\n"}});
    // The text reader names the place of bytes that are not UTF-8, not the XML reader.
    row("import-lift refuses invalid UTF-8 at its line and column",
        {{"d.lift", "<lift>\n<entry>b\xE1</entry>\n</lift>\n"}}, "import-lift d.lift src", 2,
        "d.lift:2: error: bytes that are not valid UTF-8 (E1 3C 2F 65) at column 9",
        {{"src", QByteArray()}});
    // Exit status of an import: 0 nothing a reader would see lost, 1 something lost (said),
    // 2 unusable: no gloss or no entry at all, the file's languages named.
    const QByteArray oneEntry =
        R"(<lift><entry id="a"><lexical-unit><form lang="bm"><text>ba</text></form></lexical-unit>
<relation type="Whatever" ref="a"/><sense><gloss lang="fr"><text>x</text></gloss></sense></entry></lift>)";
    row("import-lift that dropped a relation", {{"d.lift", oneEntry}}, "import-lift d.lift src", 1,
        "d.lift: 1 kind(s) of warning above lost something a reader would see",
        {{"src/entries.txt", "BA [ba] x.\n"}});
    row("import-lift --lang naming a language without glosses", {{"d.lift", oneEntry}},
        "import-lift d.lift --lang de src", 2,
        "d.lift: error: no gloss written: none is in \"de\" (--lang); the glosses are in \"fr\" "
        "(1)",
        {{"src", QByteArray()}});
    row("import-lift --vernacular naming a language without forms", {{"d.lift", oneEntry}},
        "import-lift d.lift --vernacular xx src", 2,
        "in \"xx\" (--vernacular); the lexical units' forms are in \"bm\" (1)",
        {{"src", QByteArray()}});
    // Four uses of one unknown part of speech: three places, the count and the map line.
    row("import-mdf groups a kind of warning",
        {{"d.txt", "\\lx ba\n\\ps n.loc\n\\lx da\n\\ps n.loc\n\\lx fa\n\\ps n.loc\n"
                   "\\lx ka\n\\ps n.loc\n"}},
        "import-mdf d.txt src", 0,
        "d.txt:6: warning: part of speech \"n.loc\" is not in the table: no tag written for it\n"
        "d.txt: note: part of speech \"n.loc\": 4 in all, 1 more places with --verbose; the map "
        "line \"ps n.loc TAG\"",
        {{"src/headwords.txt", "BA\nDA\nFA\nKA\n"}});
    row("help", {}, "--help", 0, "", {}, "Usage: lexora-data COMMAND");
    row("help of a command", {}, "check -h", 0, "", {}, "Usage: lexora-data check");
    row("no command", {}, "", 2, "Usage: lexora-data COMMAND", {});
    row("unknown command", {}, "compile", 2, "unknown command 'compile'", {});
    row("missing argument", {}, "build src", 2, "Usage: lexora-data build", {});
    row("export pdf with --paper and no paper", {}, "export pdf res out.pdf --paper", 2,
        "Usage: lexora-data export stardict", {{"out.pdf", QByteArray()}});
    row("export stardict with a name that cannot name files", {},
        "export stardict res out --name a/b", 2, "'a/b' cannot name the files of a dictionary",
        {{"out", QByteArray()}});
    row("export of an unknown format", {}, "export epub res out", 2,
        "Usage: lexora-data export stardict", {{"out", QByteArray()}});
}

void TestLexoraData::runs()
{
    QFETCH(Files, before);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, errors);
    QFETCH(Files, after);
    QFETCH(QByteArray, out);

    QTemporaryDir dir;
    for (auto file = before.constBegin(); file != before.constEnd(); ++file) {
        const QString path = dir.filePath(QString::fromUtf8(file.key()));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()) && testdata::writeFile(path, *file));
    }
    QProcess tool;
    tool.setWorkingDirectory(dir.path());
    tool.start(QStringLiteral(LEXORA_DATA_TOOL), arguments);
    QVERIFY(tool.waitForFinished(30000));
    const QByteArray printed = tool.readAllStandardOutput();
    const QByteArray reported = tool.readAllStandardError();
    QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == status, reported);
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.startsWith(out), printed);
    QVERIFY2(errors.isEmpty() ? reported.isEmpty() : reported.contains(errors), reported);
    for (auto file = after.constBegin(); file != after.constEnd(); ++file) {
        QFile written(dir.filePath(QString::fromUtf8(file.key())));
        QVERIFY2(written.open(QIODevice::ReadOnly) != file->isNull(), file.key());
        QCOMPARE(written.isOpen() ? written.readAll() : QByteArray(), *file);
    }
}

// The chain the README and docs/producers.md give, on the FieldWorks-style export: import,
// build and check each exit 0.
void TestLexoraData::chain()
{
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QStringLiteral(LEXORA_FIXTURES "/fieldworks.lift"),
                        dir.filePath(u("dict.lift"))));
    for (const char *command :
         {"import-lift dict.lift --lang en,fr src", "build src res", "check res"}) {
        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(LEXORA_DATA_TOOL), u(command).split(QLatin1Char(' ')));
        QVERIFY(tool.waitForFinished(30000));
        QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0,
                 command + tool.readAllStandardError());
    }
}

QTEST_GUILESS_MAIN(TestLexoraData)
#include "tst_lexoradata.moc"
