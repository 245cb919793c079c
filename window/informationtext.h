#pragma once

#include <QString>

#include <QStringList>

// The text the entry view shows when the window opens: title, the numbers of headwords
// and lexicon rows loaded, the legend of the marks ♦ ↑ ↓, and the credits: the program's
// makers, then the lines of the dictionary's about file (`aboutLines`, shown with their
// mark-up characters as look-alikes, so that the view colours none of them). Without
// about lines nothing is said about where the data come from.
QString informationText(int headwordCount, int lexiconRowCount, const QStringList &aboutLines);

// A count as the information text writes it: groups of three digits separated by a
// blank, "13 400".
QString groupedNumber(int number);
