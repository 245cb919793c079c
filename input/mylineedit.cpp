#include "mylineedit.h"

#include "keytables.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

MyLineEdit::MyLineEdit(QWidget *parent) : QLineEdit(parent), currentLanguage(1) {}

MyLineEdit::~MyLineEdit() = default;

void MyLineEdit::setLanguage(int numLanguage)
{
    currentLanguage = numLanguage;
}

// A mapped key reaches the line edit as a key event that carries the special letter as
// its text, so that insertion, replacement of a selection, undo and textChanged are
// those of ordinary typing. Only the key code and the modifiers are read; the event's
// own text never is.
void MyLineEdit::keyPressEvent(QKeyEvent *event)
{
    const std::optional<SpecialLetter> letter =
        specialLetterFor(currentLanguage, event->key(), event->modifiers());
    if (!letter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent substitute(QEvent::KeyPress, event->key(), letter->modifiers,
                         QString(QChar(letter->character)), false, 1);
    QLineEdit::keyPressEvent(&substitute);
}

// Cut and copy are offered only with a selection, undo and redo only when available,
// paste always. The menu owns this request's actions, so they go with it: a chosen entry
// has already run its slot through triggered() by the time exec() returns.
void MyLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu;

    // Bambara labels (ɛ U+025B, ɔ U+0254); the letter after "&" is the entry's key.
    auto *cutAction = new QAction(tr("A &Tigɛ"), &menu);
    connect(cutAction, SIGNAL(triggered()), this, SLOT(cut()));
    auto *copyAction = new QAction(tr("A &ja Ta"), &menu);
    connect(copyAction, SIGNAL(triggered()), this, SLOT(copy()));
    auto *pasteAction = new QAction(tr("A &Nɔrɔ"), &menu);
    connect(pasteAction, SIGNAL(triggered()), this, SLOT(paste()));
    auto *undoAction = new QAction(tr("A &Bɔ a ma"), &menu);
    connect(undoAction, SIGNAL(triggered()), this, SLOT(undo()));
    auto *redoAction = new QAction(tr("&Segin a kan"), &menu);
    connect(redoAction, SIGNAL(triggered()), this, SLOT(redo()));

    if (hasSelectedText()) {
        menu.addAction(cutAction);
        menu.addAction(copyAction);
    }
    menu.addAction(pasteAction);
    menu.addSeparator();
    if (isUndoAvailable())
        menu.addAction(undoAction);
    if (isRedoAvailable())
        menu.addAction(redoAction);

    menu.exec(event->globalPos());
}
