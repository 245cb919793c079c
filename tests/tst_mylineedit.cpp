// The dictionary search field as a user drives it: key clicks and the context menu, judged
// by the text left in the field, the clipboard and the entries of the menu. The keys are
// those of the README's section "Typing special letters".

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
    void typing_data();
    void typing();
    void capsLockPlaysNoPart();
    void menu_data();
    void menu();
};

// Each key is pressed with "ab" selected in "sabe" and "ix" on the clipboard.
void TestMyLineEdit::typing_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *name, int language, Qt::Key key,
                        Qt::KeyboardModifiers modifiers, const char16_t *text) {
        QTest::newRow(name) << language << int(key) << modifiers << QString::fromUtf16(text);
    };
    // ɲ U+0272, Л U+041B, Ŋ U+014A, ʃ U+0283, Ɛ U+0190, ɔ U+0254, ṣ U+1E63
    row("q", 1, Qt::Key_Q, None, u"s\u0272e");
    row("Shift+Q", 1, Qt::Key_Q, Shift, u"s\u041Be");
    row("Shift+V", 1, Qt::Key_V, Shift, u"s\u014Ae");
    row("Alt+X", 1, Qt::Key_X, Alt, u"s\u0283e");
    row("Alt+Shift+E", 1, Qt::Key_E, Alt | Shift, u"s\u0190e");
    row("Alt+O", 1, Qt::Key_O, Alt, u"s\u0254e");
    row("Ctrl+X cuts", 1, Qt::Key_X, Ctrl, u"se");
    row("Ctrl+V pastes", 1, Qt::Key_V, Ctrl, u"sixe");
    row("Ctrl+Alt, which no column names, types the plain key's letter", 1, Qt::Key_Q, Ctrl | Alt,
        u"s\u0272e");
    row("table 10 has Ctrl+Alt letters: Ctrl+Alt+S types \u1E63", 10, Qt::Key_S, Ctrl | Alt,
        u"s\u1E63e");
    row("e is e", 1, Qt::Key_E, None, u"see");
    row("0 turns the mapping off", 0, Qt::Key_Q, None, u"sqe");
    row("11 turns it off", 11, Qt::Key_Q, None, u"sqe");
    row("the lowest int turns it off", INT_MIN, Qt::Key_Q, None, u"sqe");
}

void TestMyLineEdit::typing()
{
    QFETCH(int, language);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    MyLineEdit field;
    field.setLanguage(language);
    field.setText(QStringLiteral("sabe"));
    field.setSelection(1, 2);
    QApplication::clipboard()->setText(QStringLiteral("ix"));
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

// Cut and copy are offered with a selection only, undo and redo when there is something
// to undo or redo; the menu opens where the click was, the letter after "&" chooses an
// entry, and the menu takes its entries with it when it goes.
void TestMyLineEdit::menu_data()
{
    QTest::addColumn<Preparation>("prepare");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");
    // ɛ U+025B, ɔ U+0254
    const QString cut = QStringLiteral("A &Tig\u025B"), copy = QStringLiteral("A &ja Ta");
    const QString paste = QStringLiteral("A &N\u0254r\u0254"), separator = QStringLiteral("----");
    const QString undo = QStringLiteral("A &B\u0254 a ma"), redo = QStringLiteral("&Segin a kan");
    const QStringList all = {cut, copy, paste, separator, undo, redo};
    const QString one = QStringLiteral("one");
    QTest::newRow("part of a typed word selected: no redo; t cuts")
        << Preparation([](MyLineEdit *field) {
               QTest::keyClicks(field, QStringLiteral("word"));
               field->setSelection(0, 2);
           })
        << QStringList{cut, copy, paste, separator, undo} << int(Qt::Key_T) << QStringLiteral("rd")
        << QStringLiteral("wo");
    QTest::newRow("everything undone: paste and redo; s redoes")
        << Preparation([](MyLineEdit *field) {
               QTest::keyClicks(field, QStringLiteral("word"));
               field->undo();
           })
        << QStringList{paste, separator, redo} << int(Qt::Key_S) << QStringLiteral("word")
        << QString();
    QTest::newRow("all five; j copies") << Preparation([](MyLineEdit *field) {
        QTest::keyClicks(field, QStringLiteral("one"));
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClicks(field, QStringLiteral("two"));
        field->undo();
        field->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("clip"));
    }) << all << int(Qt::Key_J) << one << one;
}

void TestMyLineEdit::menu()
{
    QFETCH(Preparation, prepare);
    QFETCH(QStringList, entries);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    QApplication::clipboard()->clear();
    MyLineEdit field;
    prepare(&field);
    const int actions = field.findChildren<QAction *>().size();
    QPoint position;
    QCOMPARE(requestMenu(field,
                         [key, &position](QMenu *menu) {
                             position = menu->pos();
                             QTest::keyClick(menu, Qt::Key(key));
                         }),
             entries);
    QCOMPARE(position, QPoint(100, 100));
    QCOMPARE(field.text(), text);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
    QCOMPARE(field.findChildren<QAction *>().size(), actions);
}

QTEST_MAIN(TestMyLineEdit)
#include "tst_mylineedit.moc"
