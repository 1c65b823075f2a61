#pragma once

#include <QPrinter>
#include <string>

#include "files/week_picture.h"

// The week drawn into files and onto printers, all by PaintWeek.
namespace kiremo::shell {

// PNG images are drawn at twice the grid's screen size.
inline constexpr int kPngScale = 2;

// Writes the picture as PNG or PDF by the path's extension (beside the file,
// then renamed over it). Error with the reason when it cannot be written.
void WritePicture(const std::string& path, const files::WeekPicture& picture);

// The picture's bytes: a PNG image of kPngScale times WeekSize, or a PDF of
// one A4 landscape page whose texts are text.
QByteArray PngBytes(const files::WeekPicture& picture);
QByteArray PdfBytes(const files::WeekPicture& picture);

// Draws the week on the printer's page. Error when the printer cannot start.
void PrintTo(QPrinter& printer, const files::WeekPicture& picture);

}  // namespace kiremo::shell
