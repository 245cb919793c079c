#include "mylineedit.h"

MyLineEdit::MyLineEdit(QWidget *parent) : QLineEdit(parent), currentLanguage(1) {}

void MyLineEdit::setLanguage(int numLanguage)
{
    currentLanguage = numLanguage;
}
