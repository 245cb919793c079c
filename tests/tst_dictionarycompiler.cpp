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
    QVERIFY(writeSources(
        dir.path(), {{QStringLiteral("entries.txt"), "\xD0\x9B"
                                                     "A [o] a.\n\xC5\x8A"
                                                     "A [o] b.\n\xCA\x83"
                                                     "A [o] c.\n\xC6\x90"
                                                     "A [o] d.\n\xC6\x86"
                                                     "A [o] e.\nBA [o] f.\n[o] g.\nBA [o] h.\n"}}));
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(dir.path());
    QVERIFY(compiler.diagnostics().isEmpty());
    QCOMPARE(files.size(), 30);
    QCOMPARE(files.value(QStringLiteral("q.bna")), QStringList{u("ЛA [o] a.")});
    QCOMPARE(files.value(QStringLiteral("v.bna")), QStringList{u("ŊA [o] b.")});
    QCOMPARE(files.value(QStringLiteral("x.bna")), QStringList{u("ʃA [o] c.")});
    QCOMPARE(files.value(u("ɛ.bna")), QStringList{u("ƐA [o] d.")});
    QCOMPARE(files.value(u("ɔ.bna")), QStringList{u("ƆA [o] e.")});
    QCOMPARE(files.value(QStringLiteral("b.bna")),
             testdata::ul({"BA [o] f.", "[o] g.", "BA [o] h."}));
    QCOMPARE(files.value(QStringLiteral("a.bna")), QStringList());
}

void TestDictionaryCompiler::reportsWhatCannotBeStored_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem");   // the diagnostic, without the message's end
    QTest::addColumn<QStringList>("filed"); // every line of the letter files

    // Line 1, column 1 is stored with key digit 2: U+2025 would be stored as the bullet.
    QTest::newRow("becomes the bullet") << u("headwords.txt")
                                        << QByteArray("\xE2\x80\xA5"
                                                      "A\n")
                                        << u("headwords.txt:1: error: character U+2025 at "
                                             "column 1 cannot be stored in entries.bna: it would "
                                             "be stored as the bullet")
                                        << QStringList();
    // Line 2 of b.bna, column 2 has key digit 1: an ellipsis there becomes the bullet.
    QTest::newRow("an ellipsis in an example, counted in its letter file")
        << u("entries.txt") << QByteArray("BA [o] x.\n\xE2\x99\xA6\xE2\x80\xA6 Ba.\n")
        << u("entries.txt:2: error: character U+2026 at column 2 cannot be stored in b.bna")
        << testdata::ul({"BA [o] x.", "♦… Ba."});
    // Line 1, column 2 has key digit 4: U+000E would be stored as a carriage return.
    QTest::newRow("becomes a line break") << u("lexicon.txt") << QByteArray("B\x0E|x\n")
                                          << u("lexicon.txt:1: error: character U+000E at column "
                                               "2 cannot be stored in lexic.bna: it would be "
                                               "stored as a line break")
                                          << QStringList();
    QTest::newRow("a NUL, which would cut the line")
        << u("lexicon.txt") << QByteArray("BA|x\0y\n", 7)
        << u("lexicon.txt:1: error: a NUL character "
             "at column 5")
        << QStringList();
    QTest::newRow("Latin-1 instead of UTF-8") << u("lexicon.txt") << QByteArray("BA|m\xE8re\n")
                                              << u("lexicon.txt:1: error: bytes that are not "
                                                   "valid UTF-8 (E8 72 65 0A) at column 5")
                                              << QStringList();
    QTest::newRow("a line above the first head line is dropped")
        << u("entries.txt") << QByteArray("x.\nBA [o] x.\n")
        << u("entries.txt:1: error: this line belongs to no entry") << testdata::ul({"BA [o] x."});
    QTest::newRow("a head line without headword is dropped")
        << u("entries.txt") << QByteArray("BA[o] x.\n")
        << u("entries.txt:1: error: this line reads as a head line") << QStringList();
    QTest::newRow("a headword without letter file is dropped with its lines")
        << u("entries.txt") << QByteArray("1BA [o] x.\nmore.\n")
        << u("entries.txt:1: error: headword \"1BA\" begins with a character that has no letter "
             "file")
        << QStringList();
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
    QStringList letterLines;
    for (auto letter = files.constBegin(); letter != files.constEnd(); ++letter) {
        if (letter.key() != QLatin1String("entries.bna") &&
            letter.key() != QLatin1String("lexic.bna"))
            letterLines += *letter;
    }
    QCOMPARE(letterLines, filed);
}

QTEST_GUILESS_MAIN(TestDictionaryCompiler)
#include "tst_dictionarycompiler.moc"
