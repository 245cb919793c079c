#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QTableWidget;
class QTextEdit;

// The main window: a dictionary tab (search field, headword list, entry view, hint) and
// a lexicon tab (search field over a two-column table). All data are read from "res/"
// in the working directory while the window is built.
class Widget : public QWidget
{
    Q_OBJECT

public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

private slots:
    void dicFilter(QString filterString);
    void lexicFilter(QString filterString);
    void findWord(QString word);

private:
    QWidget *createDictionaryPage();
    QWidget *createLexiconPage();
    void showInformationText();
    void createTabs(QWidget *dictionaryPage, QWidget *lexiconPage);

    QListWidget *headwordList;
    QTextEdit *entryView;
    QTableWidget *lexiconTable;
    QHash<QString, QString> letterTexts;
    // The texts of headwordList's items, row by row, which never change after loading:
    // the dictionary filter reads them on every keystroke, far faster than from the items.
    QStringList headwordTexts;
};
