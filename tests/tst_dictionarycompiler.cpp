// The compiler of lexora-data: where each entry goes, and every problem that keeps a
// source line from being stored as its producer wrote it.

#include "dictionarycompiler.h"
#include "testdatafiles.h"

#include <QTemporaryDir>
#include <QtTest>

using testdata::u;

namespace {

// Writes the three sources, each "" when not given, into `dir`.
bool writeSources(const QString &dir, const QMap<QString, QByteArray> &texts)
{
    for (const char *name : {"headwords.txt", "entries.txt", "lexicon.txt"}) {
        if (!testdata::writeFile(dir + QLatin1Char('/') + QLatin1String(name),
                                 texts.value(QLatin1String(name))))
            return false;
    }
    return true;
}

// Every line of the letter files, as "file: line".
QStringList letterLines(const DictionaryCompiler::DataFiles &files)
{
    QStringList lines;
    for (auto file = files.constBegin(); file != files.constEnd(); ++file) {
        if (file.key() != QLatin1String("entries.bna") && file.key() != QLatin1String("lexic.bna"))
            for (const QString &line : *file)
                lines.append(file.key() + QStringLiteral(": ") + line);
    }
    return lines;
}

} // namespace

class TestDictionaryCompiler : public QObject
{
    Q_OBJECT

private slots:
    void filesEntriesByLetterKey();
    void reportsWhatCannotBeStored_data();
    void reportsWhatCannotBeStored();
};

void TestDictionaryCompiler::filesEntriesByLetterKey()
{
    QTemporaryDir dir;
    // ɲa, ŋa and ʃa go to the letter files of q, v and x; ɛ and ɔ have files of their own;
    // a continuation line and a homograph stay with their entry.
    QVERIFY(writeSources(dir.path(),
                         {{u("entries.txt"), "ЛA [o] a.\nŊA [o] b.\nʃA [o] c.\nƐA [o] d.\n"
                                             "ƆA [o] e.\nBA [o] f.\n[o] g.\nBA [o] h.\n"}}));
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(dir.path());
    QVERIFY(compiler.diagnostics().isEmpty());
    QCOMPARE(files.size(), 30);
    QCOMPARE(letterLines(files),
             testdata::ul({"b.bna: BA [o] f.", "b.bna: [o] g.", "b.bna: BA [o] h.",
                           "q.bna: ЛA [o] a.", "v.bna: ŊA [o] b.", "x.bna: ʃA [o] c.",
                           "ɔ.bna: ƆA [o] e.", "ɛ.bna: ƐA [o] d."}));
}

void TestDictionaryCompiler::reportsWhatCannotBeStored_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem");   // the diagnostic, without the message's end
    QTest::addColumn<QStringList>("filed"); // every line of the letter files, "file: line"

    const auto row = [](const char *name, const char *file, const QByteArray &text,
                        const char *problem, const QStringList &filed = {}) {
        QTest::newRow(name) << u(file) << text << u(problem) << filed;
    };
    // Line 1, column 1 is stored with key digit 2: U+2025 would be stored as the bullet.
    row("becomes the bullet", "headwords.txt",
        "\xE2\x80\xA5"
        "A\n",
        "headwords.txt:1: error: character U+2025 at column 1 cannot be stored in entries.bna: it "
        "would be stored as the bullet");
    // Line 2 of b.bna, column 2 has key digit 1: an ellipsis there becomes the bullet.
    row("an ellipsis in an example, counted in its letter file", "entries.txt",
        "BA [o] x.\n♦… Ba.\n",
        "entries.txt:2: error: character U+2026 at column 2 cannot be stored in b.bna",
        testdata::ul({"b.bna: BA [o] x.", "b.bna: ♦… Ba."}));
    // Line 1, column 2 has key digit 4: U+000E would be stored as a carriage return.
    row("becomes a line break", "lexicon.txt", "B\x0E|x\n",
        "lexicon.txt:1: error: character U+000E at column 2 cannot be stored in lexic.bna: it "
        "would be stored as a line break");
    row("a NUL, which would cut the line", "lexicon.txt", QByteArray("BA|x\0y\n", 7),
        "lexicon.txt:1: error: a NUL character at column 5");
    row("Latin-1 instead of UTF-8", "lexicon.txt", "BA|m\xE8re\n",
        "lexicon.txt:1: error: bytes that are not valid UTF-8 (E8 72 65 0A) at column 5");
    row("a line above the first head line is dropped", "entries.txt", "x.\nBA [o] x.\n",
        "entries.txt:1: error: this line belongs to no entry", testdata::ul({"b.bna: BA [o] x."}));
    row("a head line without headword is dropped", "entries.txt", "BA[o] x.\n",
        "entries.txt:1: error: this line reads as a head line");
    row("a headword without letter file is dropped with its lines", "entries.txt",
        "1BA [o] x.\nmore.\n",
        "entries.txt:1: error: headword \"1BA\" begins with a character that has no letter file");
}

void TestDictionaryCompiler::reportsWhatCannotBeStored()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, text);
    QFETCH(QString, problem);
    QFETCH(QStringList, filed);
    QTemporaryDir dir;
    QVERIFY(writeSources(dir.path(), {{file, text}}));
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(dir.path());
    QCOMPARE(compiler.diagnostics().size(), 1);
    const QString shown = compiler.diagnostics().constFirst().toString();
    QVERIFY2(shown.startsWith(problem), qPrintable(shown));
    QCOMPARE(letterLines(files), filed);
}

QTEST_GUILESS_MAIN(TestDictionaryCompiler)
#include "tst_dictionarycompiler.moc"
