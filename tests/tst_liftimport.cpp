// Importing a LIFT dictionary: which forms, languages and relations become which parts of
// an entry, what is reported, and malformed XML refused with its line and column.

#include "liftimport.h"
#include "testdatafiles.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using testdata::u;
using testdata::ul;

namespace {

ImportResult import(const QString &body, const LiftOptions &options = {})
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<lift version=\"0.13\">\n" +
                     body.toUtf8() + "</lift>\n";
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    return importLift(&buffer, QStringLiteral("d.lift"), ImportMap::standard(), options);
}

QString entry(const QString &attributes, const QString &word, const QString &inside)
{
    return QStringLiteral("<entry %1><lexical-unit><form lang=\"bm\"><text>%2</text></form>"
                          "</lexical-unit>\n%3</entry>\n")
        .arg(attributes, word, inside);
}

QString sense(const QString &inside)
{
    return QStringLiteral("<sense>") + inside + QStringLiteral("</sense>\n");
}

QString gloss(const QString &language, const QString &text)
{
    return QStringLiteral("<gloss lang=\"%1\"><text>%2</text></gloss>").arg(language, text);
}

} // namespace

class TestLiftImport : public QObject
{
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void malformed_data();
    void malformed();
    void commandLocatesInvalidText();
};

void TestLiftImport::entries_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("vernacular");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("lexicon");
    QTest::addColumn<QList<int>>("warnings");

    // Lines: 1 declaration, 2 <lift>, then the body's lines from 3 on.
    QTest::newRow("homographs in order, pronunciation in brackets, most frequent language")
        << entry(QStringLiteral("id=\"a\" order=\"2\""), u("bá"),
                 sense(QStringLiteral("<grammatical-info value=\"Noun\"/>") +
                       gloss(QStringLiteral("fr"), u("chèvre")) +
                       gloss(QStringLiteral("en"), QStringLiteral("goat")))) +
               entry(
                   QStringLiteral("id=\"b\" order=\"1\""), QStringLiteral("ba"),
                   u("<pronunciation><form lang=\"bm\"><text>bà</text></form></pronunciation>\n") +
                       sense(QStringLiteral("<grammatical-info value=\"Verb\"/>") +
                             gloss(QStringLiteral("fr"), u("être grand")) +
                             QStringLiteral("<definition><form lang=\"fr\"><text>avoir une "
                                            "<span>grande</span> taille</text></form>"
                                            "</definition>")))
        << QString() << QString()
        << ul({"BA [bà] W être grand.", "avoir une grande taille", "BA [bá] N chèvre."})
        << ul({"BA|être grand", "BA|chèvre"}) << QList<int>{4};
    QTest::newRow("example with translation, bracket rewritten")
        << entry(QStringLiteral("id=\"a\""), QStringLiteral("so"),
                 sense(gloss(QStringLiteral("fr"), QStringLiteral("maison")) +
                       QStringLiteral("\n<example><form lang=\"bm\"><text>A [so] ka bon</text>"
                                      "</form><translation><form lang=\"fr\"><text>Sa maison "
                                      "est grande.</text></form></translation></example>")))
        << QString() << QString()
        << ul({"SO [so] maison.", "♦ A (so) ka bon. Sa maison est grande."}) << ul({"SO|maison"})
        << QList<int>{5};
    QTest::newRow("relations by entry and sense id, variant, unknown id left out")
        << entry(QStringLiteral("id=\"m\""), QStringLiteral("muso"),
                 QStringLiteral("<variant><form lang=\"bm\"><text>musow</text></form></variant>\n"
                                "<sense id=\"m1\">") +
                     gloss(QStringLiteral("fr"), QStringLiteral("femme")) +
                     QStringLiteral("</sense>\n")) +
               entry(QStringLiteral("id=\"mm\""), QStringLiteral("musoman"),
                     QStringLiteral("<relation type=\"_component-lexeme\" ref=\"m1\"/>\n"
                                    "<relation type=\"synonym\" ref=\"nobody\"/>\n"))
        << QString() << QString()
        << ul({"MUSO [muso] femme.", "↓MUSOMAN", "MUSOMAN [musoman]", "↑MUSO",
               "MUSOW [musow] => MUSO"})
        << ul({"MUSO|femme"}) << QList<int>{9};
    QTest::newRow("languages chosen, part of speech missing from the table")
        << entry(QStringLiteral("id=\"a\""),
                 QStringLiteral("x</text></form><form lang=\"bm-Latn\"><text>ji"),
                 sense(QStringLiteral("<grammatical-info value=\"Classifier\"/>") +
                       gloss(QStringLiteral("en"), QStringLiteral("water")) +
                       gloss(QStringLiteral("fr"), QStringLiteral("eau")) +
                       gloss(QStringLiteral("fr"), QStringLiteral("pluie"))))
        << QStringLiteral("en") << QStringLiteral("bm-Latn") << ul({"JI [ji] water."})
        << ul({"JI|water"}) << QList<int>{4, 4};
    QTest::newRow("deleted entry skipped, unused element reported once")
        << entry(QStringLiteral("id=\"a\" dateDeleted=\"2020-01-01T00:00:00Z\""),
                 QStringLiteral("ba"), QString()) +
               entry(QStringLiteral("id=\"b\""), QStringLiteral("bo"),
                     QStringLiteral("<trait name=\"t\" value=\"1\"/>\n<trait name=\"t\" "
                                    "value=\"2\"/>\n<relation type=\"synonym\" ref=\"a\"/>\n"))
        << QString() << QString() << ul({"BO [bo]"}) << QStringList{} << QList<int>{6};
}

void TestLiftImport::entries()
{
    QFETCH(QString, body);
    QFETCH(QString, language);
    QFETCH(QString, vernacular);
    const ImportResult result = import(body, {language, vernacular});
    QVERIFY(result.usable);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, lexicon);
    QFETCH(QList<int>, warnings);
    QCOMPARE(result.sources.entries, entries);
    QCOMPARE(result.sources.lexicon, lexicon);
    QList<int> lines;
    for (const Diagnostic &warning : result.diagnostics)
        lines.append(warning.line);
    QCOMPARE(lines, warnings);
}

void TestLiftImport::malformed_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("error");

    QTest::newRow("mismatched end tag")
        << QByteArray("<lift>\n<entry id=\"a\">\n<lexical-unit></entry></lift>\n")
        << QStringLiteral("d.lift:3: error: ");
    QTest::newRow("cut off") << QByteArray("<lift>\n<entry id=\"a\">\n")
                             << QStringLiteral("d.lift:3: error: ");
    QTest::newRow("not LIFT") << QByteArray("<?xml version=\"1.0\"?>\n<html></html>\n")
                              << QStringLiteral("d.lift:2: error: the root element is <html>, "
                                                "not <lift> (column 7)");
    QTest::newRow("invalid UTF-8")
        << QByteArray("<lift>\n<entry id=\"a\"><lexical-unit><form lang=\"bm\"><text>b\xE1"
                      "</text></form></lexical-unit></entry>\n</lift>\n")
        << QStringLiteral("d.lift:");
    QTest::newRow("no entry") << QByteArray("<lift>\n</lift>\n")
                              << QStringLiteral("d.lift: error: no entry to import");
}

void TestLiftImport::malformed()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, error);
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    const ImportResult result =
        importLift(&buffer, QStringLiteral("d.lift"), ImportMap::standard(), {});
    QVERIFY(!result.usable);
    QCOMPARE(result.diagnostics.size(), 1);
    QVERIFY2(result.diagnostics.first().toString().startsWith(error),
             qPrintable(result.diagnostics.first().toString()));
}

// The command names the place of bytes that are not UTF-8, and writes nothing.
void TestLiftImport::commandLocatesInvalidText()
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("d.lift"));
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<lift>\n<entry id=\"a\"><lexical-unit><form lang=\"bm\"><text>b\xE1"
               "</text></form></lexical-unit></entry>\n</lift>\n");
    file.close();
    QProcess tool;
    const QString src = dir.filePath(QStringLiteral("src"));
    tool.start(QStringLiteral(LEXORA_DATA_TOOL), {QStringLiteral("import-lift"), input, src});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 2);
    const QString errors = QString::fromUtf8(tool.readAllStandardError());
    QVERIFY2(errors.contains(input + QStringLiteral(":2: error: bytes that are not valid UTF-8 (E1 "
                                                    "3C 2F 74) at column 52")),
             qPrintable(errors));
    QVERIFY(!QFileInfo::exists(src));
}

QTEST_GUILESS_MAIN(TestLiftImport)
#include "tst_liftimport.moc"
