// The compiler of lexora-data: where each entry goes, and every problem that keeps a
// source line from being stored as its producer wrote it.

#include "dictionarycompiler.h"
#include "testdatafiles.h"

#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

class TestDictionaryCompiler : public QObject
{
    Q_OBJECT

private slots:
    void compile_data();
    void compile();
};

void TestDictionaryCompiler::compile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem");   // the diagnostic, without the message's end
    QTest::addColumn<QStringList>("filed"); // every line of the letter files, "file: line"

    const auto row = [](const char *name, const char *file, const QByteArray &text,
                        const char *problem, const QStringList &filed = {}) {
        QTest::newRow(name) << u(file) << text << u(problem) << filed;
    };
    // ɲa, ŋa and ʃa go to the letter files of q, v and x; ɛ and ɔ have files of their own;
    // a continuation line and a homograph stay with their entry.
    row("entries filed by the letter key of their headword", "entries.txt",
        "ЛA [o] a.\nŊA [o] b.\nʃA [o] c.\nƐA [o] d.\nƆA [o] e.\nBA [o] f.\n[o] g.\nBA [o] h.\n", "",
        ul({"b.bna: BA [o] f.", "b.bna: [o] g.", "b.bna: BA [o] h.", "q.bna: ЛA [o] a.",
            "v.bna: ŊA [o] b.", "x.bna: ʃA [o] c.", "ɔ.bna: ƆA [o] e.", "ɛ.bna: ƐA [o] d."}));
    // Line 1, column 1 is stored with key digit 2: U+2025 would be stored as the bullet.
    row("a character that cannot be stored, at its source line", "headwords.txt",
        "\xE2\x80\xA5"
        "A\n",
        "headwords.txt:1: error: character U+2025 at column 1 cannot be stored in entries.bna: it "
        "would be stored as the bullet");
    // Line 2 of b.bna, column 2 has key digit 1: an ellipsis there becomes the bullet.
    row("an ellipsis in an example, counted in its letter file", "entries.txt",
        "BA [o] x.\n♦… Ba.\n",
        "entries.txt:2: error: character U+2026 at column 2 cannot be stored in b.bna",
        ul({"b.bna: BA [o] x.", "b.bna: ♦… Ba."}));
    row("Latin-1 instead of UTF-8", "lexicon.txt", "BA|m\xE8re\n",
        "lexicon.txt:1: error: bytes that are not valid UTF-8 (E8 72 65 0A) at column 5");
    row("a line above the first head line is dropped", "entries.txt", "x.\nBA [o] x.\n",
        "entries.txt:1: error: this line belongs to no entry", ul({"b.bna: BA [o] x."}));
    row("a head line without headword is dropped", "entries.txt", "BA[o] x.\n",
        "entries.txt:1: error: this line reads as a head line");
    row("a listed headword with a tab after it is refused", "headwords.txt", "BA\t\n",
        "headwords.txt:1: error: headword \"BA\t\" is not in search form, so the search field "
        "never finds it; write it as \"BA\"");
    // Ɲ U+019D is written Л U+041B in search form.
    row("a head line whose headword is not in search form is dropped with its lines", "entries.txt",
        "\xC6\x9D"
        "a [o] x.\nmore.\n",
        "entries.txt:1: error: headword \"\u019Da\" is not in search form, so no lookup reaches "
        "it; write it as \"\u041BA\"");
    row("a headword without letter file is dropped with its lines, not kept with the entry above",
        "entries.txt", "BA [o] y.\n1BA [o] x.\nmore.\n",
        "entries.txt:2: error: headword \"1BA\" begins with a character that has no letter file",
        ul({"b.bna: BA [o] y."}));
}

void TestDictionaryCompiler::compile()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, text);
    QFETCH(QString, problem);
    QFETCH(QStringList, filed);
    QTemporaryDir dir;
    for (const QString &source : ul({"headwords.txt", "entries.txt", "lexicon.txt"}))
        QVERIFY(testdata::writeFile(dir.filePath(source), source == file ? text : QByteArray()));
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(dir.path());
    QStringList shown;
    for (const Diagnostic &d : compiler.diagnostics())
        shown.append(d.toString());
    QVERIFY2(problem.isEmpty() ? shown.isEmpty()
                               : shown.size() == 1 && shown.constFirst().startsWith(problem),
             qPrintable(shown.join(QLatin1Char('\n'))));
    QCOMPARE(files.size(), 30);
    QStringList lines;
    for (auto data = files.constBegin(); data != files.constEnd(); ++data)
        if (data.key() != QLatin1String("entries.bna") && data.key() != QLatin1String("lexic.bna"))
            for (const QString &line : *data)
                lines.append(data.key() + QStringLiteral(": ") + line);
    QCOMPARE(lines, filed);
}

QTEST_GUILESS_MAIN(TestDictionaryCompiler)
#include "tst_dictionarycompiler.moc"
