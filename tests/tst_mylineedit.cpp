// The dictionary search field as a user drives it: key clicks and the context menu, judged
// by the text left in the field, the clipboard and the entries of the menu. The keys are
// those of the README's table "Typing special letters".

#include "mylineedit.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QtTest>

#include <climits>
#include <functional>

namespace {

const Qt::KeyboardModifiers None = Qt::NoModifier;
const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
const Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
const Qt::KeyboardModifiers Alt = Qt::AltModifier;

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

// Asks the field for its context menu as a right click at (100, 100) does; `inMenu` runs
// while the menu is open and must close it. Returns the menu's entries, separators as
// "----"; none when no menu opened.
QStringList requestMenu(MyLineEdit &field, const std::function<void(QMenu *)> &inMenu)
{
    QStringList entries;
    QTimer::singleShot(0, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : menu->actions())
                entries << (action->isSeparator() ? QStringLiteral("----") : action->text());
            inMenu(menu);
        }
    });
    QTimer::singleShot(5000, [] { // a menu left open would block the test for good
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(100, 100));
    QApplication::sendEvent(&field, &request);
    return entries;
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
    void capsLockPlaysNoPart();
    void letterReplacesTheSelection();
    void editingShortcutsKeepTheirMeaning();
    void menuOffersWhatApplies_data();
    void menuOffersWhatApplies();
    void menuKeysChooseTheirEntry_data();
    void menuKeysChooseTheirEntry();
};

void TestMyLineEdit::typesSpecialLetters_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    // ɲ U+0272, Л U+041B, ŋ U+014B, Ŋ U+014A, ʃ U+0283, ɛ U+025B, Ɛ U+0190, ɔ U+0254, Ɔ U+0186
    const struct
    {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        char16_t letter;
    } readme[] = {
        {"q", Qt::Key_Q, None, 0x0272},    {"Shift+Q", Qt::Key_Q, Shift, 0x041B},
        {"v", Qt::Key_V, None, 0x014B},    {"Shift+V", Qt::Key_V, Shift, 0x014A},
        {"x", Qt::Key_X, None, 0x0283},    {"Shift+X", Qt::Key_X, Shift, 0x0283},
        {"Alt+X", Qt::Key_X, Alt, 0x0283}, {"Alt+Shift+X", Qt::Key_X, Alt | Shift, 0x0283},
        {"Alt+E", Qt::Key_E, Alt, 0x025B}, {"Alt+Shift+E", Qt::Key_E, Alt | Shift, 0x0190},
        {"Alt+O", Qt::Key_O, Alt, 0x0254}, {"Alt+Shift+O", Qt::Key_O, Alt | Shift, 0x0186},
    };
    for (const auto &row : readme)
        QTest::newRow(row.name) << 1 << int(row.key) << row.modifiers << QString(QChar(row.letter));
    QTest::newRow("Ctrl+Alt, which no column names, types the plain key's letter")
        << 1 << int(Qt::Key_Q) << (Ctrl | Alt) << QStringLiteral("\u0272");
    QTest::newRow("table 10 has Ctrl+Alt letters: Ctrl+Alt+S types \u1E63")
        << 10 << int(Qt::Key_S) << (Ctrl | Alt) << QStringLiteral("\u1E63");
    QTest::newRow("e is e") << 1 << int(Qt::Key_E) << None << QStringLiteral("e");
    QTest::newRow("0 turns the mapping off") << 0 << int(Qt::Key_Q) << None << QStringLiteral("q");
    QTest::newRow("11 turns it off") << 11 << int(Qt::Key_Q) << None << QStringLiteral("q");
    QTest::newRow("the lowest int turns it off")
        << INT_MIN << int(Qt::Key_Q) << None << QStringLiteral("q");
}

void TestMyLineEdit::typesSpecialLetters()
{
    QFETCH(int, language);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    MyLineEdit field;
    field.setLanguage(language);
    QTest::keyClick(&field, Qt::Key(key), modifiers);
    QCOMPARE(field.text(), text);
}

// With Caps Lock on, the keyboard sends the capital as text for a key pressed alone and
// the small letter with Shift; the modifiers alone decide.
void TestMyLineEdit::capsLockPlaysNoPart()
{
    MyLineEdit field;
    QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_Q, QStringLiteral("Q"), None);
    QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_Q, QStringLiteral("q"), Shift);
    QCOMPARE(field.text(), QStringLiteral("\u0272\u041B")); // ɲ Л
}

void TestMyLineEdit::letterReplacesTheSelection()
{
    MyLineEdit field;
    field.setText(QStringLiteral("sabe"));
    field.setSelection(1, 2);
    QTest::keyClick(&field, Qt::Key_O, Alt);
    QCOMPARE(field.text(), QStringLiteral("s\u0254e")); // sɔe
    QTest::keyClick(&field, Qt::Key_Q);
    QCOMPARE(field.text(), QStringLiteral("s\u0254\u0272e")); // sɔɲe
}

// x and v type letters, Ctrl+X and Ctrl+V cut and paste.
void TestMyLineEdit::editingShortcutsKeepTheirMeaning()
{
    MyLineEdit field;
    field.setText(QStringLiteral("word"));
    field.setSelection(1, 2);
    QTest::keyClick(&field, Qt::Key_X, Ctrl);
    QCOMPARE(field.text(), QStringLiteral("wd"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("or"));
    QApplication::clipboard()->setText(QStringLiteral("ix"));
    QTest::keyClick(&field, Qt::Key_V, Ctrl);
    QCOMPARE(field.text(), QStringLiteral("wixd"));
}

void TestMyLineEdit::menuOffersWhatApplies_data()
{
    QTest::addColumn<Preparation>("prepare");
    QTest::addColumn<QStringList>("entries");
    // ɛ U+025B, ɔ U+0254; the letter after "&" chooses the entry.
    const QString cut = QStringLiteral("A &Tig\u025B"), copy = QStringLiteral("A &ja Ta");
    const QString paste = QStringLiteral("A &N\u0254r\u0254"), separator = QStringLiteral("----");
    const QString undo = QStringLiteral("A &B\u0254 a ma"), redo = QStringLiteral("&Segin a kan");
    QTest::newRow("fresh field: paste only")
        << Preparation([](MyLineEdit *) {}) << QStringList{paste, separator};
    QTest::newRow("part of a typed word selected: cut, copy, paste, undo")
        << Preparation([](MyLineEdit *field) {
               QTest::keyClicks(field, QStringLiteral("word"));
               field->setSelection(0, 2);
           })
        << QStringList{cut, copy, paste, separator, undo};
    QTest::newRow("everything undone: paste, redo") << Preparation([](MyLineEdit *field) {
        QTest::keyClicks(field, QStringLiteral("word"));
        field->undo();
    }) << QStringList{paste, separator, redo};
    QTest::newRow("selection, undo and redo: all five")
        << Preparation(prepareAllEntries) << QStringList{cut, copy, paste, separator, undo, redo};
}

void TestMyLineEdit::menuOffersWhatApplies()
{
    QFETCH(Preparation, prepare);
    QFETCH(QStringList, entries);
    MyLineEdit field;
    prepare(&field);
    QCOMPARE(requestMenu(field, [](QMenu *menu) { QTest::keyClick(menu, Qt::Key_Escape); }),
             entries);
}

void TestMyLineEdit::menuKeysChooseTheirEntry_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");
    const QString one = QStringLiteral("one"), clip = QStringLiteral("clip");
    QTest::newRow("Escape changes nothing") << int(Qt::Key_Escape) << one << clip;
    QTest::newRow("t cuts the selection") << int(Qt::Key_T) << QString() << one;
    QTest::newRow("j copies the selection") << int(Qt::Key_J) << one << one;
    QTest::newRow("n pastes over the selection") << int(Qt::Key_N) << clip << clip;
    QTest::newRow("b undoes") << int(Qt::Key_B) << QString() << clip;
    QTest::newRow("s redoes") << int(Qt::Key_S) << QStringLiteral("twoone") << clip;
}

// The menu opens where the click was, and takes its entries with it when it goes.
void TestMyLineEdit::menuKeysChooseTheirEntry()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    MyLineEdit field;
    prepareAllEntries(&field);
    const int actions = field.findChildren<QAction *>().size();
    QPoint position;
    const QStringList entries = requestMenu(field, [key, &position](QMenu *menu) {
        position = menu->pos();
        QTest::keyClick(menu, Qt::Key(key));
    });
    QCOMPARE(entries.size(), 6);
    QCOMPARE(position, QPoint(100, 100));
    QCOMPARE(field.text(), text);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
    QCOMPARE(field.findChildren<QAction *>().size(), actions);
}

QTEST_MAIN(TestMyLineEdit)
#include "tst_mylineedit.moc"
