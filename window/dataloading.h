#pragma once

#include <QStringList>

class QListWidget;
class QTableWidget;

// The loading steps of the main window that fill its views. Each reads its file from `dir`
// (the window uses "res" in the working directory); a file that cannot be read is skipped
// silently and leaves its view as it was.

// One list item per line of the headword file, in file order. Returns the headwords
// as the items show them.
QStringList loadHeadwords(QListWidget *list, const QString &dir);

// One row per line of the lexicon file: column 0 the first field without surrounding
// blanks, column 1 the second field as written; cells selectable, not editable. Column 0
// is then as wide as its widest text and column 1 takes the remaining width.
void loadLexicon(QTableWidget *table, const QString &dir);
