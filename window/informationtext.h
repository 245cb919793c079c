#pragma once

#include <QString>

// The text the entry view shows when the window opens: title, word counts, the legend of
// the marks ♦ ↑ ↓, and the credits.
QString informationText();
