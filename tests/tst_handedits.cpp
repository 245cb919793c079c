// A producer's hand edits of imported sources: read from the folder beside SRC_DIR and put
// in the place of what the import wrote, a headword the import lacks added in the order of
// the alphabet and reported at its line.

#include "handedits.h"
#include "testdatafiles.h"

#include <QTemporaryDir>
#include <QtTest>

using testdata::u;

class TestHandEdits : public QObject
{
    Q_OBJECT

private slots:
    void apply_data();
    void apply();
    void unreadable_data();
    void unreadable();
    void folderBesideSources();
};

namespace {

// Imported sources: BA (two homographs), EN and FA, with their lexicon rows.
DictionarySources imported()
{
    DictionarySources sources;
    sources.headwords = SourceLines(u("BA\nEN\nFA").split(QLatin1Char('\n')));
    // à U+00E0, á U+00E1
    sources.entries = SourceLines(
        u("BA [b\u00E1] N m\u00E8re.\n\u2666 Ba.\nBA [b\u00E0] N ch\u00E8vre.\nEN [\u00E9n] "
          "TU nous.\nFA [f\u00E0] N p\u00E8re.")
            .split(QLatin1Char('\n')));
    sources.lexicon = SourceLines(
        u("BA|m\u00E8re\nBA|ch\u00E8vre\nEN|nous\nFA|p\u00E8re").split(QLatin1Char('\n')));
    sources.about = SourceLines(QStringList{u("Imported from d.txt.")});
    return sources;
}

QString text(const SourceLines &lines)
{
    return QString::fromUtf8(lines.bytes());
}

} // namespace

void TestHandEdits::apply_data()
{
    QTest::addColumn<QByteArray>("entries"); // the hand-written files; null: absent
    QTest::addColumn<QByteArray>("lexicon");
    QTest::addColumn<QByteArray>("about");
    QTest::addColumn<QString>("wantEntries"); // the sources afterwards
    QTest::addColumn<QString>("wantHeadwords");
    QTest::addColumn<QString>("wantLexicon");
    QTest::addColumn<QString>("wantAbout");
    QTest::addColumn<QStringList>("warnings"); // "file:line: warning: message" from "h/"
    QTest::addColumn<QString>("counts");

    const QString entries = text(imported().entries);
    const QString headwords = u("BA\nEN\nFA\n");
    const QString lexicon = text(imported().lexicon);
    const QString about = u("Imported from d.txt.\n");
    QTest::newRow("no hand edits: the import as it is")
        << QByteArray() << QByteArray() << QByteArray() << entries << headwords << lexicon << about
        << QStringList()
        << u("hand edits: entries of 0 headword(s) replaced, 0 added; lexicon rows of 0 "
             "word(s) replaced, 0 added");
    QTest::newRow("an entry replaces both imported homographs; comments are skipped")
        << QByteArray("# my fix\nBA [b\xC3\xA1] N maman.\n\xE2\x99\xA6 Ba bna.\n") << QByteArray()
        << QByteArray()
        << u("BA [b\u00E1] N maman.\n\u2666 Ba bna.\nEN [\u00E9n] TU nous.\nFA [f\u00E0] N "
             "p\u00E8re.\n")
        << headwords << lexicon << about << QStringList()
        << u("hand edits: entries of 1 headword(s) replaced, 0 added; lexicon rows of 0 word(s) "
             "replaced, 0 "
             "added");
    // Ɛ U+0190 comes after E and before F in the alphabet, after Z in code point order.
    QTest::newRow("an entry of a headword the import lacks: added in alphabet order, reported")
        << QByteArray("\n\xC6\x90\xC6\x90 [\xC9\x9B\xC9\x9B] KR ah.\n") << QByteArray()
        << QByteArray()
        << u("BA [b\u00E1] N m\u00E8re.\n\u2666 Ba.\nBA [b\u00E0] N ch\u00E8vre.\nEN [\u00E9n] "
             "TU nous.\n\u0190\u0190 [\u025B\u025B] KR ah.\nFA [f\u00E0] N p\u00E8re.\n")
        << u("BA\nEN\n\u0190\u0190\nFA\n") << lexicon << about
        << QStringList{u("h/entries.txt:2: warning: \u0190\u0190 is not a headword of the "
                         "import (its record may be gone): the hand-written entry is added as "
                         "a new one")}
        << u("hand edits: entries of 0 headword(s) replaced, 1 added; lexicon rows of 0 word(s) "
             "replaced, 0 "
             "added");
    QTest::newRow("entries of one headword written apart stay together")
        << QByteArray("FA [a] N x.\nBA [b] N y.\nFA [c] N z.\n") << QByteArray() << QByteArray()
        << u("BA [b] N y.\nEN [\u00E9n] TU nous.\nFA [a] N x.\nFA [c] N z.\n") << headwords
        << lexicon << about << QStringList()
        << u("hand edits: entries of 2 headword(s) replaced, 0 added; lexicon rows of 0 word(s) "
             "replaced, 0 "
             "added");
    QTest::newRow("a line above the first head line is left out and reported")
        << QByteArray("stray\nFA [a] N x.\n") << QByteArray() << QByteArray()
        << u("BA [b\u00E1] N m\u00E8re.\n\u2666 Ba.\nBA [b\u00E0] N ch\u00E8vre.\nEN [\u00E9n] "
             "TU nous.\nFA [a] N x.\n")
        << headwords << lexicon << about
        << QStringList{u("h/entries.txt:1: warning: this hand-written line belongs to no entry "
                         "(no head line above it); left out")}
        << u("hand edits: entries of 1 headword(s) replaced, 0 added; lexicon rows of 0 word(s) "
             "replaced, 0 "
             "added");
    QTest::newRow("lexicon rows replace the rows of their word; a new word is reported")
        << QByteArray() << QByteArray("# rows\nBA|maman\nDA|bouche\n") << QByteArray() << entries
        << headwords << u("BA|maman\nDA|bouche\nEN|nous\nFA|p\u00E8re\n") << about
        << QStringList{u("h/lexicon.txt:3: warning: DA is not a word of the imported lexicon "
                         "(its record may be gone): the hand-written rows are added")}
        << u("hand edits: entries of 0 headword(s) replaced, 0 added; lexicon rows of 1 word(s) "
             "replaced, 1 "
             "added");
    QTest::newRow("the about file replaces the imported one")
        << QByteArray() << QByteArray() << QByteArray("My dictionary\nCC BY 4.0\n") << entries
        << headwords << lexicon << u("My dictionary\nCC BY 4.0\n") << QStringList()
        << u("hand edits: entries of 0 headword(s) replaced, 0 added; lexicon rows of 0 word(s) "
             "replaced, 0 "
             "added; about file replaced");
}

void TestHandEdits::apply()
{
    QFETCH(QByteArray, entries);
    QFETCH(QByteArray, lexicon);
    QFETCH(QByteArray, about);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(u("h"))));
    const QMap<QString, QByteArray> files{
        {u("entries.txt"), entries}, {u("lexicon.txt"), lexicon}, {u("about.txt"), about}};
    for (auto file = files.constBegin(); file != files.constEnd(); ++file)
        QVERIFY(file->isNull() || testdata::writeFile(dir.filePath(u("h/") + file.key()), *file));

    QVector<Diagnostic> problems;
    const std::optional<HandEdits> edits = readHandEdits(dir.filePath(u("h")), &problems);
    QVERIFY(edits && problems.isEmpty());
    DictionarySources sources = imported();
    QVector<Diagnostic> warnings;
    const HandEditCounts counts = applyHandEdits(*edits, &sources, &warnings);

    QTEST(text(sources.entries), "wantEntries");
    QTEST(text(sources.headwords), "wantHeadwords");
    QTEST(text(sources.lexicon), "wantLexicon");
    QTEST(text(sources.about), "wantAbout");
    QStringList messages;
    for (const Diagnostic &warning : qAsConst(warnings))
        messages << warning.toString().mid(dir.path().size() + 1);
    QTEST(messages, "warnings");
    QTEST(counts.text(), "counts");
}

void TestHandEdits::unreadable_data()
{
    QTest::addColumn<QString>("path"); // a file made in the temporary directory
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("problem"); // empty: read, with no edits

    QTest::newRow("no folder: no edits") << u("x") << QByteArray("x") << u("h") << QString();
    QTest::newRow("a file that is not UTF-8, at its line")
        << u("h/lexicon.txt") << QByteArray("BA|x\nBA|m\xE8re\n") << u("h")
        << u("h/lexicon.txt:2: error: bytes that are not valid UTF-8 (E8 72 65 0A) at column 5");
    QTest::newRow("a directory in place of a file")
        << u("h/entries.txt/x") << QByteArray("x") << u("h")
        << u("h/entries.txt: error: cannot read: not a regular file");
    QTest::newRow("a file in place of the folder")
        << u("h") << QByteArray("x") << u("h")
        << u("h: error: the hand-edit folder is not a directory");
}

void TestHandEdits::unreadable()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, folder);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(QFileInfo(dir.filePath(path)).path()));
    QVERIFY(testdata::writeFile(dir.filePath(path), bytes));
    QVector<Diagnostic> problems;
    const std::optional<HandEdits> edits = readHandEdits(dir.filePath(folder), &problems);
    QCOMPARE(bool(edits), problem.isEmpty());
    if (edits)
        QVERIFY(edits->isEmpty());
    QCOMPARE(problems.isEmpty() ? QString()
                                : problems.constFirst().toString().mid(dir.path().size() + 1),
             problem);
}

void TestHandEdits::folderBesideSources()
{
    QCOMPARE(handEditFolder(u("dict/src/")), u("dict/src.handmade"));
}

QTEST_GUILESS_MAIN(TestHandEdits)
#include "tst_handedits.moc"
