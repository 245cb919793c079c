#pragma once

#include <QLineEdit>

class MyLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit MyLineEdit(QWidget *parent = nullptr);

    int language() const { return currentLanguage; }

public slots:
    void setLanguage(int numLanguage);

private:
    int currentLanguage;
};
