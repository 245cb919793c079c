#pragma once

#include <QLineEdit>

class QContextMenuEvent;
class QKeyEvent;

// The dictionary search field: a line edit in which certain key combinations type the
// special letters of the dictionary's writing (see keytables.h), chosen by a
// keyboard-language number, and whose context menu is a small Bambara edit menu.
class MyLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit MyLineEdit(QWidget *parent = nullptr);
    ~MyLineEdit() override;

    int language() const { return currentLanguage; }

public slots:
    // Selects the key table used from the next key press on: 1 (the default) to 10; any
    // other number turns the mapping off.
    void setLanguage(int numLanguage);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int currentLanguage;
};
