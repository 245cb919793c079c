#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class QListWidget;
class QTableWidget;

// The loading steps of the main window. Each reads its file from `dir` (the window
// uses "res" in the working directory) and fills what it is given; a file that cannot
// be opened is skipped silently and leaves its view as it was.

// One list item per line of the headword file, in file order. Returns the headwords
// as the items show them.
QStringList loadHeadwords(QListWidget *list, const QString &dir);

// One row per line of the lexicon file: column 0 the first field without surrounding
// blanks, column 1 the second field as written; cells selectable, not editable. Column 0
// is then as wide as its widest text and column 1 takes the remaining width.
void loadLexicon(QTableWidget *table, const QString &dir);

// The plain text of each letter file (every line followed by "\n") under its letter;
// a letter whose file cannot be opened gets no key.
void loadLetterTexts(QHash<QString, QString> *letterTexts, const QString &dir);
