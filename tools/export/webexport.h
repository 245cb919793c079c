#pragma once

#include "diagnostic.h"
#include "outputdirectory.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A built dictionary directory as a static web site: a folder of files that a browser
// opens from the file system or any static host, without a server or a network.
//
// The page, its style and its script are the project's own files (tools/export/web/),
// copied out unchanged. The data come in script files, since a browser opening local
// files lets a page run scripts but not fetch files: site.js (the title, the about
// file's lines, the special letters and the keys that type them, taken from the
// viewer's key table, and the characters whose search form is not their capital),
// headwords.js (the headword list), spellings.js (the keyboard spellings of its words,
// loaded once the page works), one entries-NN.js per letter of the dictionary alphabet
// (NN its position: the entries as the viewer shows them, in HTML with its looks, and
// the cross-references), loaded when a word of that letter is looked up, lexicon.js
// (the lexicon rows), loaded when its page is opened, and french-NN.js (the French ->
// Bambara index by the first letter of its keys, small and without accents), loaded
// when a French word beginning with that letter is typed. Text from the data reaches
// the page only escaped: as HTML made by articlehtml.h, or as plain text.
struct WebExport
{
    bool usable = false;             // false when RES_DIR or one of its files cannot be read
    QVector<Diagnostic> diagnostics; // errors that make it unusable; warnings for what is left out
    OutputFiles files;
};

// The names of the files a web export writes.
QStringList webExportFileNames();

WebExport exportWeb(const QString &resDir);
