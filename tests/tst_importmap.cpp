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

    QTest::newRow("a marker of one's own") << QStringLiteral("\\gf") << QStringLiteral("gloss");
    QTest::newRow("a built-in marker left out")
        << QStringLiteral("\\ge") << QStringLiteral("ignore");
    QTest::newRow("a built-in marker kept") << QStringLiteral("\\xv") << QStringLiteral("example");
    QTest::newRow("a new record marker") << QStringLiteral("\\hw") << QStringLiteral("headword");
    QTest::newRow("the old record marker no longer named") << QStringLiteral("\\lx") << QString();
    QTest::newRow("part of speech of several words, whatever the case")
        << QStringLiteral("Verbal  NOUN") << QStringLiteral("N");
    QTest::newRow("a part of speech given another tag")
        << QStringLiteral("n") << QStringLiteral("TG");
    QTest::newRow("a built-in part of speech, blanks around")
        << QStringLiteral(" Noun ") << QStringLiteral("N");
}

// Every row looks up one key in the same map file, read on top of the built-in map.
void TestImportMap::reads()
{
    QFETCH(QString, key);
    QFETCH(QString, meaning);
    ImportMap map = ImportMap::standard();
    const QStringList lines{QStringLiteral("# mine"),        QStringLiteral("  "),
                            QStringLiteral("\\gf   gloss"),  QStringLiteral("\\ge ignore"),
                            QStringLiteral("\\hw headword"), QStringLiteral("ps verbal noun N"),
                            QStringLiteral("ps n TG")};
    QCOMPARE(map.read(lines, QStringLiteral("my.map")).size(), 0);
    const std::optional<FieldRole> role = map.role(key);
    QCOMPARE(!key.startsWith(QLatin1Char('\\')) ? map.tag(key)
             : role                             ? roleName(*role)
                                                : QString(),
             meaning);
}

// Each line it cannot take is an error at its line; so is a map left without a record marker.
void TestImportMap::refuses()
{
    ImportMap map = ImportMap::standard();
    QStringList shown;
    for (const Diagnostic &problem : map.read(
             {QStringLiteral("\\ge"), QStringLiteral("# x"), QStringLiteral("ge gloss"),
              QStringLiteral("ps n"), QStringLiteral("\\lx note"), QStringLiteral("\\gx glos")},
             QStringLiteral("my.map")))
        shown.append(problem.toString());
    const QString line = QStringLiteral(": error: a line is \"\\marker role\" or \"ps VALUE TAG\"");
    QCOMPARE(
        shown,
        QStringList(
            {QStringLiteral("my.map:1") + line, QStringLiteral("my.map:3") + line,
             QStringLiteral("my.map:4: error: a part-of-speech line is \"ps VALUE TAG\""),
             QStringLiteral("my.map:6: error: unknown role \"glos\"; the roles are: headword, "
                            "homonym, form, pos, sense, gloss, definition, example, translation, "
                            "up, down, variant, main, subentry, note, ignore"),
             QStringLiteral(
                 "my.map: error: no marker has the role \"headword\", so no record can begin")}));
}

QTEST_GUILESS_MAIN(TestImportMap)
#include "tst_importmap.moc"
