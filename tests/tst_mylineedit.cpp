// The dictionary search field as a user drives it, with keys (those of the README's "Typing
// special letters") and its context menu: what it types, cuts, copies and offers.

#include "mylineedit.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QtTest>

namespace {

const Qt::KeyboardModifiers None = Qt::NoModifier;
const Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
const Qt::KeyboardModifiers Alt = Qt::AltModifier;

using Preparation = void (*)(MyLineEdit *);

} // namespace

Q_DECLARE_METATYPE(Preparation)

class TestMyLineEdit : public QObject
{
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void menu_data();
    void menu();
};

// Each key is pressed with "ab" selected in "sabe", its text as Caps Lock makes it: the
// capital alone, the small letter with Shift. The modifiers alone choose a letter.
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
    // ɲ U+0272, Л U+041B, Ɛ U+0190, ɔ U+0254, ṣ U+1E63
    row("q", 1, Qt::Key_Q, None, u"s\u0272e");
    row("Shift+Q", 1, Qt::Key_Q, Shift, u"s\u041Be");
    row("Alt+Shift+E", 1, Qt::Key_E, Alt | Shift, u"s\u0190e");
    row("Alt+O", 1, Qt::Key_O, Alt, u"s\u0254e");
    row("Ctrl+X cuts", 1, Qt::Key_X, Qt::ControlModifier, u"se");
    row("Ctrl+Alt, which no column names, types the plain key's letter", 1, Qt::Key_Q,
        Qt::ControlModifier | Alt, u"s\u0272e");
    row("table 10 has Ctrl+Alt letters: Ctrl+Alt+S types \u1E63", 10, Qt::Key_S,
        Qt::ControlModifier | Alt, u"s\u1E63e");
    row("a key without a letter types its own text", 1, Qt::Key_E, None, u"sEe");
    row("0 turns the mapping off", 0, Qt::Key_Q, None, u"sQe");
    row("11 turns it off", 11, Qt::Key_Q, None, u"sQe");
}

void TestMyLineEdit::typing()
{
    QFETCH(int, language);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    MyLineEdit field;
    if (language != 1) // table 1 is the default
        field.setLanguage(language);
    field.setText(QStringLiteral("sabe"));
    field.setSelection(1, 2);
    const QString capital = QChar(key); // Qt::Key_A to Qt::Key_Z are "A" to "Z"
    QTest::sendKeyEvent(QTest::Click, &field, Qt::Key(key),
                        modifiers & Shift ? capital.toLower() : capital, modifiers);
    QCOMPARE(field.text(), text);
}

// Cut and copy are offered with a selection only, undo and redo when possible; the menu opens
// where the click was, the letter after "&" chooses an entry, its entries go with the menu.
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
    QTest::newRow("everything undone: paste and redo; s redoes")
        << Preparation([](MyLineEdit *field) {
               QTest::keyClicks(field, QStringLiteral("word"));
               field->undo();
           })
        << QStringList{paste, separator, redo} << int(Qt::Key_S) << QStringLiteral("word")
        << QString();
    QTest::newRow("all five; t cuts") << Preparation([](MyLineEdit *field) {
        QTest::keyClicks(field, QStringLiteral("one"));
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClicks(field, QStringLiteral("two"));
        field->undo();
        field->selectAll();
    }) << QStringList{cut, copy, paste, separator, undo, redo}
                                      << int(Qt::Key_T) << QString() << QStringLiteral("one");
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
    QStringList shown; // separators as "----"
    QPoint position;
    QTimer::singleShot(0, [&] { // runs once the menu is open
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : menu->actions())
                shown << (action->isSeparator() ? QStringLiteral("----") : action->text());
            position = menu->pos();
            QTest::keyClick(menu, Qt::Key(key));
            menu->close(); // should the key not have closed it
        }
    });
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(100, 100));
    QApplication::sendEvent(&field, &request); // as a right click at (100, 100)
    QCOMPARE(shown, entries);
    QCOMPARE(position, QPoint(100, 100));
    QCOMPARE(field.text(), text);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
    QCOMPARE(field.findChildren<QAction *>().size(), actions);
}

QTEST_MAIN(TestMyLineEdit)
#include "tst_mylineedit.moc"
