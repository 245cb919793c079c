// The window on huge data, on mark-up and on no data: it opens, looks up and filters, shows
// no mark-up, neither crashes nor hangs. Broken files are shown where they are read.

#include "mylineedit.h"
#include "testdatafiles.h"
#include "widget.h"

#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

class TestHostileData : public QObject
{
    Q_OBJECT

private slots:
    void windowStaysUsable_data();
    void windowStaysUsable();
};

using testdata::Dictionary;
Q_DECLARE_METATYPE(Dictionary)

// Each row: the data directory (no headwords: none), whose letter file of b ends with the
// entry shown once "b" is typed. ó U+00F3, ♦ U+2666, ↑ U+2191, Ɛ U+0190, ɛ U+025B, ɔ U+0254
void TestHostileData::windowStaysUsable_data()
{
    QTest::addColumn<Dictionary>("data");
    // Long enough to pass every cut of what the window shows, short enough to run fast.
    const QString line = QStringLiteral("BA [\u00F3] N ") +
                         QStringLiteral("\u2666 Ba. \u2191SO TG (f) {x} /y/ [o ").repeated(36000);
    const QString headword = QStringLiteral("BAA") + QStringLiteral("B\u0190 ").repeated(300000);
    QStringList largeFile;
    for (int i = 0; i < 120000; ++i)
        largeFile << QStringLiteral("B%1 [\u00F3] N \u2666 A b\u025B so k\u0254n\u0254.").arg(i);
    QTest::newRow("no data directory") << Dictionary();
    QTest::newRow("1 MB lines in every file, one at the end of a 4 MB letter file")
        << Dictionary{{QStringLiteral("BA"), headword},
                      {headword + QStringLiteral("|long")},
                      {{QStringLiteral("b"), largeFile + QStringList{line}}}};
    QTest::newRow("mark-up in headwords, entries and the lexicon") << Dictionary{
        {QStringLiteral("B<B>X</B>"), QStringLiteral("B<IMG SRC=\"NONE.PNG\">&AMP;")},
        {QStringLiteral("<B>BA</B>|<img src=\"x.png\">")},
        {{QStringLiteral("b"),
          {QStringLiteral("B<B>X</B> [\u00F3] <img src=\"x\"> &amp; <a href=\"x\">x</a>")}}}};
}

void TestHostileData::windowStaysUsable()
{
    QFETCH(Dictionary, data);
    QTemporaryDir dir;
    QVERIFY(data.headwords.isEmpty() || data.writeTo(dir.filePath(QStringLiteral("res"))));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

    Widget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QTextEdit *entry = window.findChild<QTextEdit *>();
    QTest::keyClicks(window.findChild<MyLineEdit *>(), QStringLiteral("b"));
    const QStringList letterB = data.letters.value(QStringLiteral("b"));
    QVERIFY(entry->toPlainText().contains(letterB.value(letterB.size() - 1).left(20)));
    window.findChild<QListWidget *>()->setCurrentRow(1);       // a headword without entry
    QVERIFY(!entry->toHtml().contains(QLatin1String("<img"))); // as if read as rich text

    window.findChild<QTabWidget *>()->setCurrentIndex(1);
    for (QLineEdit *field : window.findChildren<QLineEdit *>())
        field->setText(QStringLiteral("\u01B7 no row begins with this")); // Ʒ U+01B7
}

QTEST_MAIN(TestHostileData)
#include "tst_hostiledata.moc"
