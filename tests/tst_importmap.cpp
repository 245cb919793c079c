// The map that says what the fields of an imported dictionary mean: reading a map file on
// top of the built-in map, and refusing lines it cannot take.

#include "importmap.h"

#include <QtTest>

class TestImportMap : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
};

void TestImportMap::reads_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("role"); // empty: the map does not name the marker
    QTest::addColumn<QString>("partOfSpeech");
    QTest::addColumn<QString>("tag");

    QTest::newRow("built-in map unchanged by comments and blank lines")
        << QStringList{QStringLiteral("# mine"), QStringLiteral("  ")} << QStringLiteral("\\ge")
        << QStringLiteral("gloss") << QStringLiteral(" Noun ") << QStringLiteral("N");
    QTest::newRow("a marker of one's own")
        << QStringList{QStringLiteral("\\gf   gloss")} << QStringLiteral("\\gf")
        << QStringLiteral("gloss") << QStringLiteral("n") << QStringLiteral("N");
    QTest::newRow("a built-in marker left out")
        << QStringList{QStringLiteral("\\ge ignore")} << QStringLiteral("\\ge")
        << QStringLiteral("ignore") << QString() << QString();
    QTest::newRow("a new record marker replaces the old one")
        << QStringList{QStringLiteral("\\hw headword")} << QStringLiteral("\\lx") << QString()
        << QString() << QString();
    QTest::newRow("part of speech of several words, found whatever the case")
        << QStringList{QStringLiteral("ps verbal noun N")} << QStringLiteral("\\ps")
        << QStringLiteral("pos") << QStringLiteral("Verbal  NOUN") << QStringLiteral("N");
    QTest::newRow("a part of speech given another tag")
        << QStringList{QStringLiteral("ps n TG")} << QStringLiteral("\\ps") << QStringLiteral("pos")
        << QStringLiteral("n") << QStringLiteral("TG");
}

void TestImportMap::reads()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, marker);
    QFETCH(QString, role);
    QFETCH(QString, partOfSpeech);
    QFETCH(QString, tag);
    ImportMap map = ImportMap::standard();
    QCOMPARE(map.read(lines, QStringLiteral("my.map")).size(), 0);
    const std::optional<FieldRole> found = map.role(marker);
    QCOMPARE(found ? roleName(*found) : QString(), role);
    if (!partOfSpeech.isEmpty())
        QCOMPARE(map.tag(partOfSpeech), tag);
}

void TestImportMap::refuses_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("errors");

    QTest::newRow("marker without role")
        << QStringList{QStringLiteral("\\ge")}
        << QStringList{
               QStringLiteral("my.map:1: error: a line is \"\\marker role\" or \"ps VALUE TAG\"")};
    QTest::newRow("marker without backslash")
        << QStringList{QStringLiteral("# x"), QStringLiteral("ge gloss")}
        << QStringList{
               QStringLiteral("my.map:2: error: a line is \"\\marker role\" or \"ps VALUE TAG\"")};
    QTest::newRow("part of speech without tag")
        << QStringList{QStringLiteral("ps n")}
        << QStringList{
               QStringLiteral("my.map:1: error: a part-of-speech line is \"ps VALUE TAG\"")};
    QTest::newRow("no record marker left")
        << QStringList{QStringLiteral("\\lx note")}
        << QStringList{QStringLiteral("my.map: error: no marker has the role \"headword\", so no "
                                      "record can begin")};
}

void TestImportMap::refuses()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, errors);
    ImportMap map = ImportMap::standard();
    QStringList shown;
    for (const Diagnostic &problem : map.read(lines, QStringLiteral("my.map")))
        shown.append(problem.toString());
    QCOMPARE(shown, errors);
}

QTEST_GUILESS_MAIN(TestImportMap)
#include "tst_importmap.moc"
