#pragma once

#include "diagnostic.h"

#include <QByteArray>
#include <QPageSize>
#include <QVector>

// A built dictionary directory as a print dictionary in PDF, laid out with the toolkit's
// own text layout and PDF writer (a QGuiApplication must exist):
//  - a title page: the about file's lines (title, authors, source, licence) and the
//    counts of headwords and lexicon rows;
//  - the entries in two columns, in the order of the headword list, each once, as the
//    viewer shows it (homographs together) with its looks (entrystyle.h); a headword
//    whose entry is a cross-reference is one line, "HEADWORD → TARGET". A heading opens
//    each new first letter. An entry may go on in the next column, but its head line
//    never ends a column;
//  - the lexicon as a word list, Bambara – French, in the order of the lexicon file;
//  - the French -> Bambara index (frenchindex.h), its keys in French alphabetical order,
//    each with the Bambara words that have it.
// Every page but the title page has guide words at its head (the first and the last
// word whose entry, row or key begins on it; where none begins, the one that goes on
// there) and its number at its foot. The text is set in DejaVu Sans, embedded.
//
// The same directory gives the same bytes: the creation date written is the newest
// modification time of the files read.
struct PdfOptions
{
    QPageSize::PageSizeId paper = QPageSize::A4;
    bool grey = false; // shades of grey instead of the looks' colours
};

struct PdfExport
{
    bool usable = false;             // false when RES_DIR or one of its files cannot be read
    QVector<Diagnostic> diagnostics; // errors that make it unusable; warnings for what is left out
    QByteArray pdf;
};

PdfExport exportPdf(const QString &resDir, const PdfOptions &options);
