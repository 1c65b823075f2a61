#pragma once

#include <QPainter>
#include <QRectF>
#include <QSizeF>

#include "files/week_picture.h"

// The one drawing of the week, for every paint device: the screen grid, a
// PNG image, a PDF page and a printer page. It draws in the grid's screen
// units (the header column 90 wide, the day columns 91, rows 20 high) and
// lets the painter's transformation carry it to the device's resolution, so
// text stays text and lines stay sharp at any size.
namespace kiremo::shell {

// A cell of the grid, relative to the grid's top left corner.
QRectF GridCellRect(int column, int row);
QSizeF GridSize();

// The grid alone at the painter's origin: header cells in the header grey,
// body cells in their colours, every text centred.
void PaintGrid(QPainter& painter, const files::WeekPicture& picture);

// The week as a picture: a margin, the grid and under it the legend (each
// committed course's colour, code, name, CRN and teacher).
QSizeF WeekSize(const files::WeekPicture& picture);
// Where the grid's top left corner lies in WeekSize's units.
QPointF WeekGridOrigin();

// The week scaled to fit into the target rectangle (proportions kept, at its
// top left); the target is in the painter's current units.
void PaintWeek(QPainter& painter, const files::WeekPicture& picture, const QRectF& target);

}  // namespace kiremo::shell
