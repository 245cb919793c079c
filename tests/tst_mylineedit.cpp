#include "keytables.h"
#include "mylineedit.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

// The dictionary search field as a user drives it: key clicks and context-menu requests,
// judged by the text left in the field, the clipboard and the entries of the menu.

namespace {

const Qt::KeyboardModifiers None = Qt::NoModifier;
const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
const Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
const Qt::KeyboardModifiers Alt = Qt::AltModifier;
const Qt::KeyboardModifiers Meta = Qt::MetaModifier;

const QString cutLabel = QStringLiteral("A &Tig\u025B"); // ɛ
const QString copyLabel = QStringLiteral("A &ja Ta");
const QString pasteLabel = QStringLiteral("A &N\u0254r\u0254"); // ɔ
const QString undoLabel = QStringLiteral("A &B\u0254 a ma");    // ɔ
const QString redoLabel = QStringLiteral("&Segin a kan");
const QString separator = QStringLiteral("----");

// Starts from an empty field with no undo history (clear() could be undone by Ctrl+Z).
QString typedInto(QLineEdit *field, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    field->setText(QString());
    QTest::keyClick(field, key, modifiers);
    return field->text();
}

// Everything a menu can offer: "one" selected in "one", something to undo and to redo,
// "clip" on the clipboard.
void prepareAllEntries(MyLineEdit *field)
{
    QTest::keyClicks(field, QStringLiteral("one"));
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClicks(field, QStringLiteral("two"));
    field->undo();
    field->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("clip"));
}

// Asks the field for its context menu as a right click at (100, 100) does. `inMenu` runs
// while the menu is open and must close it; returns the menu's entries (separators as
// "----") once the menu has gone, or nothing when no menu opened.
QStringList requestMenu(MyLineEdit &field, const std::function<void(QMenu *)> &inMenu)
{
    QStringList entries;
    QTimer driver;
    driver.setSingleShot(true);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (const QAction *action : menu->actions())
            entries << (action->isSeparator() ? separator : action->text());
        inMenu(menu);
    });
    // A menu left open would block the test for good.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    driver.start(0);
    watchdog.start(5000);

    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(100, 100));
    QApplication::sendEvent(&field, &request);
    return entries;
}

void pressEscape(QMenu *menu)
{
    QTest::keyClick(menu, Qt::Key_Escape);
}

using Preparation = void (*)(MyLineEdit *);

} // namespace

Q_DECLARE_METATYPE(Preparation)

class TestMyLineEdit : public QObject
{
    Q_OBJECT

private slots:
    void typesSpecialLetters_data();
    void typesSpecialLetters();
    void followsItsTableForEveryKey_data();
    void followsItsTableForEveryKey();
    void editingShortcutsWorkInEveryLanguage_data();
    void editingShortcutsWorkInEveryLanguage();
    void capsLockPlaysNoPart();
    void setLanguageRestoresDefault();
    void mappedLetterReplacesSelection();
    void heldKeyRepeatsLetter();

    void menuOffersWhatApplies_data();
    void menuOffersWhatApplies();
    void menuKeysChooseTheirEntry_data();
    void menuKeysChooseTheirEntry();
    void menuLeavesNoActionsBehind();
};

void TestMyLineEdit::typesSpecialLetters_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");

    QTest::newRow("q types ɲ") << 1 << int(Qt::Key_Q) << None << QStringLiteral("\u0272");
    QTest::newRow("Shift+Q types Cyrillic Л")
        << 1 << int(Qt::Key_Q) << Shift << QStringLiteral("\u041B");
    QTest::newRow("Shift+X types small ʃ")
        << 1 << int(Qt::Key_X) << Shift << QStringLiteral("\u0283");
    QTest::newRow("Alt+Shift+E types Ɛ")
        << 1 << int(Qt::Key_E) << (Alt | Shift) << QStringLiteral("\u0190");
    QTest::newRow("Ctrl+Alt+Q types ɲ")
        << 1 << int(Qt::Key_Q) << (Ctrl | Alt) << QStringLiteral("\u0272");
    QTest::newRow("6: Alt+V types ŋ") << 6 << int(Qt::Key_V) << Alt << QStringLiteral("\u014B");
    QTest::newRow("8: Shift+Z types Л") << 8 << int(Qt::Key_Z) << Shift << QStringLiteral("\u041B");
    QTest::newRow("10: Ctrl+Alt+Shift+S types Ṣ")
        << 10 << int(Qt::Key_S) << (Ctrl | Alt | Shift) << QStringLiteral("\u1E62");
    QTest::newRow("10: Shift+C types stigma Ϛ")
        << 10 << int(Qt::Key_C) << Shift << QStringLiteral("\u03DA");
}

void TestMyLineEdit::typesSpecialLetters()
{
    QFETCH(int, language);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);

    MyLineEdit field;
    field.setLanguage(language);
    QCOMPARE(typedInto(&field, Qt::Key(key), modifiers), text);
}

void TestMyLineEdit::followsItsTableForEveryKey_data()
{
    QTest::addColumn<int>("language");
    for (int language : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 11, -1})
        QTest::addRow("language %d", language) << language;
}

// Every combination the table maps types exactly its letter; every other one does what
// it does in a plain line edit.
void TestMyLineEdit::followsItsTableForEveryKey()
{
    QFETCH(int, language);
    QApplication::clipboard()->clear();

    MyLineEdit field;
    field.setLanguage(language);
    QLineEdit plain;
    const QVector<Qt::KeyboardModifiers> modifierSets = {
        None, Shift, Ctrl, Alt, Alt | Shift, Ctrl | Shift, Ctrl | Alt, Ctrl | Alt | Shift, Meta};
    int mapped = 0;
    for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
        for (Qt::KeyboardModifiers modifiers : modifierSets) {
            const std::optional<SpecialLetter> letter = specialLetterFor(language, key, modifiers);
            const QString typed = typedInto(&field, Qt::Key(key), modifiers);
            const QString expected = letter ? QString(QChar(letter->character))
                                            : typedInto(&plain, Qt::Key(key), modifiers);
            const QByteArray where = QByteArray("key ") + char(key) + " with modifiers 0x" +
                                     QByteArray::number(uint(modifiers), 16);
            QVERIFY2(typed == expected, where.constData());
            mapped += letter ? 1 : 0;
        }
    }
    QCOMPARE(mapped > 0, language >= 1 && language <= 10);
}

void TestMyLineEdit::editingShortcutsWorkInEveryLanguage_data()
{
    QTest::addColumn<int>("language");
    for (int language = 1; language <= 10; ++language)
        QTest::addRow("Ctrl+X cuts and Ctrl+V pastes in language %d", language) << language;
}

void TestMyLineEdit::editingShortcutsWorkInEveryLanguage()
{
    QFETCH(int, language);
    MyLineEdit field;
    field.setLanguage(language);
    field.setText(QStringLiteral("word"));
    field.setSelection(1, 2);

    QTest::keyClick(&field, Qt::Key_X, Ctrl);
    QCOMPARE(field.text(), QStringLiteral("wd"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("or"));

    QApplication::clipboard()->setText(QStringLiteral("ix"));
    QTest::keyClick(&field, Qt::Key_V, Ctrl);
    QCOMPARE(field.text(), QStringLiteral("wixd"));
}

// With Caps Lock on, the keyboard sends the capital as text for a key pressed alone and
// the small letter with Shift; the modifiers alone decide.
void TestMyLineEdit::capsLockPlaysNoPart()
{
    MyLineEdit field;
    QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_Q, QStringLiteral("Q"), None);
    QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_Q, QStringLiteral("q"), Shift);
    QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_E, QStringLiteral("e"), Alt | Shift);
    QCOMPARE(field.text(), QStringLiteral("\u0272\u041B\u0190")); // ɲ Л Ɛ
}

// Numbers outside 1 to 10 map nothing (the sweep above shows it for every key); going
// back to 1 brings the default table back at the next key press.
void TestMyLineEdit::setLanguageRestoresDefault()
{
    MyLineEdit field;
    QLineEdit plain;
    for (int language : {0, 11, -1}) {
        field.setLanguage(language);
        QCOMPARE(typedInto(&field, Qt::Key_Q, None), typedInto(&plain, Qt::Key_Q, None));
        field.setLanguage(1);
        QCOMPARE(field.language(), 1);
        QCOMPARE(typedInto(&field, Qt::Key_Q, None), QStringLiteral("\u0272"));
    }
}

void TestMyLineEdit::mappedLetterReplacesSelection()
{
    MyLineEdit field;
    field.setText(QStringLiteral("sabe"));
    field.setSelection(1, 2);
    QSignalSpy changed(&field, SIGNAL(textChanged(QString)));

    QTest::keyClick(&field, Qt::Key_O, Alt);
    QCOMPARE(field.text(), QStringLiteral("s\u0254e")); // sɔe
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("s\u0254e"));
    QVERIFY(!field.hasSelectedText());
}

void TestMyLineEdit::heldKeyRepeatsLetter()
{
    MyLineEdit field;
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Q, None, QStringLiteral("q"), i > 0);
        QApplication::sendEvent(&field, &repeated);
    }
    QCOMPARE(field.text(), QStringLiteral("\u0272\u0272\u0272"));
}

void TestMyLineEdit::menuOffersWhatApplies_data()
{
    QTest::addColumn<Preparation>("prepare");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("fresh field: paste only")
        << Preparation([](MyLineEdit *) {}) << QStringList{pasteLabel, separator};
    QTest::newRow("part of a typed word selected: cut, copy, paste, undo")
        << Preparation([](MyLineEdit *field) {
               QTest::keyClicks(field, QStringLiteral("word"));
               field->setSelection(0, 2);
           })
        << QStringList{cutLabel, copyLabel, pasteLabel, separator, undoLabel};
    QTest::newRow("everything undone: paste, redo") << Preparation([](MyLineEdit *field) {
        QTest::keyClicks(field, QStringLiteral("word"));
        field->undo();
    }) << QStringList{pasteLabel, separator, redoLabel};
    QTest::newRow("partly undone: paste, undo, redo") << Preparation([](MyLineEdit *field) {
        prepareAllEntries(field);
        field->deselect();
    }) << QStringList{pasteLabel, separator, undoLabel, redoLabel};
    QTest::newRow("selection, undo and redo: all five")
        << Preparation(prepareAllEntries)
        << QStringList{cutLabel, copyLabel, pasteLabel, separator, undoLabel, redoLabel};
}

void TestMyLineEdit::menuOffersWhatApplies()
{
    QFETCH(Preparation, prepare);
    QFETCH(QStringList, entries);
    MyLineEdit field;
    prepare(&field);

    QCOMPARE(requestMenu(field, pressEscape), entries);
}

void TestMyLineEdit::menuKeysChooseTheirEntry_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");

    QTest::newRow("Escape changes nothing")
        << int(Qt::Key_Escape) << QStringLiteral("one") << QStringLiteral("clip");
    QTest::newRow("t cuts the selection")
        << int(Qt::Key_T) << QStringLiteral("") << QStringLiteral("one");
    QTest::newRow("j copies the selection")
        << int(Qt::Key_J) << QStringLiteral("one") << QStringLiteral("one");
    QTest::newRow("n pastes over the selection")
        << int(Qt::Key_N) << QStringLiteral("clip") << QStringLiteral("clip");
    QTest::newRow("b undoes") << int(Qt::Key_B) << QStringLiteral("") << QStringLiteral("clip");
    QTest::newRow("s redoes") << int(Qt::Key_S) << QStringLiteral("twoone")
                              << QStringLiteral("clip");
}

void TestMyLineEdit::menuKeysChooseTheirEntry()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    MyLineEdit field;
    prepareAllEntries(&field);
    QCOMPARE(field.text(), QStringLiteral("one"));
    QSignalSpy changed(&field, SIGNAL(textChanged(QString)));

    QPoint position;
    const QStringList entries = requestMenu(field, [key, &position](QMenu *menu) {
        position = menu->pos();
        QTest::keyClick(menu, Qt::Key(key));
    });
    QCOMPARE(entries.size(), 6);
    QCOMPARE(position, QPoint(100, 100));
    QVERIFY(!QApplication::activePopupWidget());
    QCOMPARE(field.text(), text);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
    QCOMPARE(changed.count(), text == QLatin1String("one") ? 0 : 1);
    if (key == Qt::Key_Escape || key == Qt::Key_J)
        QCOMPARE(field.selectedText(), QStringLiteral("one"));
}

void TestMyLineEdit::menuLeavesNoActionsBehind()
{
    MyLineEdit field;
    prepareAllEntries(&field);
    const int before = field.findChildren<QAction *>().size();

    for (int i = 0; i < 3; ++i)
        QCOMPARE(requestMenu(field, pressEscape).size(), 6);
    QCOMPARE(requestMenu(field, [](QMenu *menu) { QTest::keyClick(menu, Qt::Key_J); }).size(), 6);
    QCOMPARE(field.findChildren<QAction *>().size(), before);
}

QTEST_MAIN(TestMyLineEdit)
#include "tst_mylineedit.moc"
