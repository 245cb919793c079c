#pragma once

#include <QString>

// The text the entry view shows when the window opens: title, the numbers of headwords
// and lexicon rows loaded, the legend of the marks ♦ ↑ ↓, and the credits.
QString informationText(int headwordCount, int lexiconRowCount);

// A count as the information text writes it: groups of three digits separated by a
// blank, "13 400".
QString groupedNumber(int number);
