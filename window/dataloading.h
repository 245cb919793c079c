#pragma once

#include "lexiconline.h"

#include <QStringList>
#include <QTableWidgetItem>
#include <QVector>
#include <memory>
#include <optional>
#include <vector>

class QListWidget;
class QTableWidget;

// The loading steps of the main window that fill its views from what the readers of a
// dictionary directory give (dictionarydata.h); a file that could not be read (nothing
// given) leaves its view as it was.
//
// Both views are sized from the texts they are given, as they would size themselves
// from their cells, without measuring every cell (see textcellsizes.h).

// One list item per line of the headword file, in file order. Returns the headwords
// as the items show them. When the list draws through a LongTextDelegate and all
// headwords are as high, its items are of uniform size: as wide as the widest headword.
QStringList loadHeadwords(QListWidget *list, const std::optional<QStringList> &headwords);

// The cells of the lexicon's rows, two a row in row order: column 0 the first field
// without surrounding blanks, column 1 the second field as written; selectable, not
// editable. They belong to no table yet, so they can be made on any thread.
using LexiconCells = std::vector<std::unique_ptr<QTableWidgetItem>>;
LexiconCells makeLexiconCells(const std::optional<QVector<LexiconRow>> &rows);

// One row of those cells per lexicon row, made here unless `cells` holds them. The
// columns are then as wide as resizeColumnsToContents() makes them, and column 1 takes
// the remaining width.
void loadLexicon(QTableWidget *table, const std::optional<QVector<LexiconRow>> &rows,
                 LexiconCells cells = {});
