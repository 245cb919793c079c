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
    void refuses();
};

void TestImportMap::reads_data()
{
    QTest::addColumn<QString>("key");     // a marker, or else a part of speech
    QTest::addColumn<QString>("meaning"); // its role or tag; empty: the map has none
    const auto row = [](const char *name, const char *key, const char *meaning) {
        QTest::newRow(name) << QString::fromLatin1(key) << QString::fromLatin1(meaning);
    };
    row("a built-in marker given another role", "\\ge", "ignore");
    row("a built-in marker kept", "\\xv", "example");
    row("a new record marker", "\\hw", "headword");
    row("the old record marker no longer named", "\\lx", "");
    row("part of speech of several words, whatever the case and blanks", " Verbal  NOUN", "N");
    row("a built-in part of speech given another tag", "n", "TG");
}

// Every row looks up one key in the same map file, read on top of the built-in map.
void TestImportMap::reads()
{
    QFETCH(QString, key);
    QFETCH(QString, meaning);
    ImportMap map = ImportMap::standard();
    const auto file = QStringLiteral("#\n\\ge  ignore\n\\hw headword\nps verbal noun N\nps n TG");
    QCOMPARE(map.read(file.split(QLatin1Char('\n')), QStringLiteral("my.map")).size(), 0);
    QCOMPARE(map.role(key) ? roleName(*map.role(key)) : map.tag(key), meaning);
}

// Each line it cannot take is an error at its line (an unknown role's message goes on with
// the list of the roles); so is a map left without a record marker.
void TestImportMap::refuses()
{
    const QString file = QStringLiteral("\\ge\n \nge gloss\nps n\n\\lx note\n\\gx glos");
    QStringList shown;
    for (const Diagnostic &problem :
         ImportMap::standard().read(file.split(QLatin1Char('\n')), QStringLiteral("my.map")))
        shown.append(problem.toString().section(QLatin1Char(';'), 0, 0));
    QCOMPARE(shown.join(QLatin1Char('\n')),
             QStringLiteral(R"(my.map:1: error: a line is "\marker role" or "ps VALUE TAG"
my.map:3: error: a line is "\marker role" or "ps VALUE TAG"
my.map:4: error: a part-of-speech line is "ps VALUE TAG"
my.map:6: error: unknown role "glos"
my.map: error: no marker has the role "headword", so no record can begin)"));
}

QTEST_GUILESS_MAIN(TestImportMap)
#include "tst_importmap.moc"
