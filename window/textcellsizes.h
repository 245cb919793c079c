#pragma once

#include <QStringView>
#include <functional>

class QAbstractItemView;

// The sizes of one column of text cells of an item view, found from the texts rather than
// by asking the view to measure every cell: the view's own measurement of a cell lays its
// text out and shapes it, which is most of the time a big list takes before it first
// shows.
//
// Most texts are measured only by bounds. A cell's width is its text's width on one line
// (plus margins that are the same for every cell), and that width is the text's glyph
// advances adjusted by the font between neighbouring glyphs (kerning, two-letter
// ligatures), plus the overhang of the last glyph. So no text is wider than the sum of its
// characters' advances, each measured alone, plus every positive adjustment of its
// neighbouring pairs, each pair measured alone, plus the largest overhang of its
// characters. A text can then be the widest only if that bound reaches the widest width
// measured so far, and only such texts are measured exactly. The bound holds for texts
// drawn by the view's font alone on one line, left to right: letters, digits, punctuation,
// symbols and spaces that the font has. Any other text (characters the font lacks and that
// another font draws, combining marks, controls, right-to-left letters, a text the
// delegate cuts) is measured by the view itself, height included. Such texts together may
// hold at most `longestMeasuredByView` characters that take room of their own (combining
// marks not counted); when they hold more (a damaged file rather than a dictionary),
// the view measures the longest of them up to that many characters, the widest of those
// is taken, and every cell gets the tallest height found, so that the view never lays
// out a hundred thousand rows of mixed scripts one by one.
constexpr int longestMeasuredByView = 20000;
struct TextCellSizes
{
    int widest = 0;        // width of the widest cell, as the view measures it; 0 for no cell
    int commonHeight = -1; // the height of every cell, or -1 when they differ or there is none
};

// The cells of rows 0 to `rows` - 1 of `column` of `view`, row r showing `cellText(r)`.
// The view is polished first, as it is before it measures its cells.
TextCellSizes measureTextCells(QAbstractItemView *view, int column, int rows,
                               const std::function<QStringView(int)> &cellText);
