#pragma once

#include "ui/GridTypes.h"

#include <QByteArray>
#include <QColor>
#include <QFont>

class GridModel;
class QPainter;
class QRectF;
class QString;

// Draws grid cells the same way on screen and on paper. Coordinates are grid
// pixels; the printer scales the painter, and since cell fonts are sized in
// pixels the text keeps its size relative to the cells.
namespace GridCellPainter {

QColor toColor(Rgb rgb);
QFont toFont(const CellFont& font);

// What a cell shows besides its text; fixed cells have darker grid lines.
struct CellLook
{
    Rgb background;
    Rgb textColour;
    CellFont font;
    GridAlign align;
    bool ellipsis = false;
    bool fixed = false;
    bool gridLines = true;
    QByteArray image; // drawn flush right under the text; see ImageContent
};

// Background, image, text and the right and bottom grid lines of one cell.
void paintCell(QPainter& painter, const GridModel& model, int row, int col, const QRectF& rect);
// The same for a cell of another model, so its view looks like a grid.
void paintCell(QPainter& painter, const QRectF& rect, const QString& text, const CellLook& look);
// The narrowest width at which the cell shows its text whole at its row's
// height: on its one line, or wrapped without a word broken or a line cut off.
int neededWidth(const GridModel& model, int row, int col);
// The height a row needs to show the cell's text whole at its column's
// width: its one line, or every line it wraps into; 0 for an empty text or a
// hidden column.
int neededHeight(const GridModel& model, int row, int col);
// Widens each shown column to the neededWidth of its widest cell; hidden
// columns (width 0) stay hidden.
void widenToTexts(GridModel& model);
// Text inside rect (the cell's area less its margins), clipped to it.
void drawText(QPainter& painter, const QRectF& rect, const QString& text, GridAlign align, bool ellipsis);

} // namespace GridCellPainter
