#pragma once

#include <QString>

#include <functional>

// Entries in HTML, as every export shows them: each line styled by the looks the entry
// view gives it (entrystyle.h), each look a span with the look's colour, weight and
// slant, and all text from the data escaped, so that mark-up in the data shows as text.

// The text an article shows of text from the data: look-alike characters that an import
// put in place of mark-up characters turned back into the plain ones.
QString plainArticleText(const QString &text);

// One line, without line break.
QString lineHtml(const QString &line);

// The lines of an entry as a lookup gives them (each followed by "\n"), joined by "<br>";
// empty lines at its end are left out.
QString entryHtml(const QString &entryText);

// The address a link to a related word (the word after ↑ or ↓) leads to, or nothing
// where it is to stay text. The address is escaped where it is written.
using WordLink = std::function<QString(const QString &word)>;

// The same, with each related word a link to the address `link` gives it.
QString lineHtml(const QString &line, const WordLink &link);
QString entryHtml(const QString &entryText, const WordLink &link);
