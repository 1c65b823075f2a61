#pragma once

#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <array>

#include "files/week_picture.h"

// The one drawing of the week, for every paint device: the screen grid, a
// PNG image, a PDF page and a printer page. It draws in the grid's screen
// units (the header column 90 wide, the day columns 91, rows 20 high) and
// lets the painter's transformation carry it to the device's resolution, so
// text stays text and lines stay sharp at any size.
namespace kiremo::shell {

// The edges of the grid's columns and rows, relative to its top left
// corner: x[c] is the left edge of column c, x[6] the grid's right edge.
struct GridLines {
  std::array<qreal, planner::kDays + 2> x{};
  std::array<qreal, planner::kSlots + 2> y{};
};

// The grid at its design size, as pictures and printouts draw it.
GridLines DesignGridLines();

// A cell of the grid, relative to the grid's top left corner.
QRectF GridCellRect(int column, int row, const GridLines& lines = DesignGridLines());
QSizeF GridSize(const GridLines& lines = DesignGridLines());

// The grid alone at the painter's origin: header cells in the header grey,
// body cells in their colours, every text centred. The screen's grid passes
// its own lines when the window has grown.
void PaintGrid(QPainter& painter, const files::WeekPicture& picture, const GridLines& lines = DesignGridLines());

// The week as a picture: a margin, the grid and under it the legend (each
// committed course's colour, code, name, CRN and teacher).
QSizeF WeekSize(const files::WeekPicture& picture);
// Where the grid's top left corner lies in WeekSize's units.
QPointF WeekGridOrigin();

// The week scaled to fit into the target rectangle (proportions kept, at its
// top left); the target is in the painter's current units.
void PaintWeek(QPainter& painter, const files::WeekPicture& picture, const QRectF& target);

}  // namespace kiremo::shell
