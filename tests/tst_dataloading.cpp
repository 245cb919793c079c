#include "dataloading.h"
#include "dictionarydata.h"
#include "testdatafiles.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestDataLoading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void headwordsInFileOrder();
    void lexiconRows_data();
    void lexiconRows();
    void lexiconColumnsSizedOnce();
    void letterTexts();
    void missingFilesLeaveViewsEmpty();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDataLoading::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestDataLoading::headwordsInFileOrder()
{
    testdata::Dictionary data;
    data.headwords = QStringList{QStringLiteral("SO"), QString(), QStringLiteral("  BA "),
                                 QStringLiteral("ЛINI")};
    QVERIFY(data.writeTo(m_dir->path()));
    QListWidget list;
    QCOMPARE(loadHeadwords(&list, m_dir->path()), data.headwords);
    QStringList shown;
    for (int row = 0; row < list.count(); ++row)
        shown << list.item(row)->text();
    QCOMPARE(shown, data.headwords);
}

void TestDataLoading::lexiconRows_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("gloss");
    QTest::newRow("word and gloss")
        << QStringLiteral("BA|mère") << QStringLiteral("BA") << QStringLiteral("mère");
    QTest::newRow("blanks around the word go, around the gloss stay")
        << QStringLiteral("  BA \t| mère  ") << QStringLiteral("BA") << QStringLiteral(" mère  ");
    QTest::newRow("a third field is ignored")
        << QStringLiteral("BA|mère|chèvre") << QStringLiteral("BA") << QStringLiteral("mère");
    QTest::newRow("a leading bar gives an empty word")
        << QStringLiteral("|mère") << QString() << QStringLiteral("mère");
    QTest::newRow("only a bar") << QStringLiteral("|") << QString() << QString();
    QTest::newRow("no bar keeps the text as the word")
        << QStringLiteral(" BA mère ") << QStringLiteral("BA mère") << QString();
}

void TestDataLoading::lexiconRows()
{
    QFETCH(QString, line);
    QFETCH(QString, word);
    QFETCH(QString, gloss);
    testdata::Dictionary data;
    data.lexicon = QStringList{QStringLiteral("A|lui"), line, QString(), QStringLiteral("ZZ|fin")};
    QVERIFY(data.writeTo(m_dir->path()));
    QTableWidget table(0, 2);
    loadLexicon(&table, m_dir->path());
    // The empty line gives no row: there is nothing in it to show.
    QCOMPARE(table.rowCount(), 3);
    QCOMPARE(table.item(1, 0)->text(), word);
    QCOMPARE(table.item(1, 1)->text(), gloss);
    QCOMPARE(table.item(2, 0)->text(), QStringLiteral("ZZ"));
    for (int column = 0; column < 2; ++column)
        QCOMPARE(int(table.item(1, column)->flags()), 33); // selectable and enabled only
}

void TestDataLoading::lexiconColumnsSizedOnce()
{
    testdata::Dictionary data;
    data.lexicon = QStringList{QStringLiteral("A|x"), QStringLiteral("KƆNƆNIN BA|oiseau"),
                               QStringLiteral("B|y")};
    QVERIFY(data.writeTo(m_dir->path()));
    QTableWidget table(0, 2);
    loadLexicon(&table, m_dir->path());
    QCOMPARE(table.horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
    QCOMPARE(table.horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    const int width = table.columnWidth(0);
    table.resizeColumnToContents(0);
    QCOMPARE(width, table.columnWidth(0));
    QVERIFY(width >= table.fontMetrics().horizontalAdvance(QStringLiteral("KƆNƆNIN BA")));
}

void TestDataLoading::letterTexts()
{
    testdata::Dictionary data;
    data.letters.insert(QStringLiteral("a"), {QStringLiteral("A [ò] TU"), QStringLiteral("♦ A.")});
    data.letters.insert(QStringLiteral("ɛ"), {});
    data.letters.insert(QStringLiteral("ɔ"), {QString()});
    data.letters.insert(QStringLiteral("?"), {QStringLiteral("never read")});
    QVERIFY(data.writeTo(m_dir->path()));
    QHash<QString, QString> texts;
    texts = readLetterTexts(m_dir->path());
    QHash<QString, QString> expected;
    expected.insert(QStringLiteral("a"), QStringLiteral("A [ò] TU\n♦ A.\n"));
    expected.insert(QStringLiteral("ɛ"), QString());
    expected.insert(QStringLiteral("ɔ"), QStringLiteral("\n"));
    QCOMPARE(texts, expected);
}

void TestDataLoading::missingFilesLeaveViewsEmpty()
{
    const QString nowhere = m_dir->filePath(QStringLiteral("res"));
    QListWidget list;
    QTableWidget table(0, 2);
    const int width = table.columnWidth(0);
    QHash<QString, QString> texts;
    loadHeadwords(&list, nowhere);
    loadLexicon(&table, nowhere);
    texts = readLetterTexts(nowhere);
    QCOMPARE(list.count(), 0);
    QCOMPARE(table.rowCount(), 0);
    QCOMPARE(table.columnWidth(0), width);
    QCOMPARE(table.horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
    QVERIFY(texts.isEmpty());
}

QTEST_MAIN(TestDataLoading)
#include "tst_dataloading.moc"
