#pragma once

#include <array>
#include <string>

#include "planner/planner.h"

// The spreadsheet's content: the grid's block of columns and rows, the
// headings as the grid shows them and in every committed cell the course
// code, the building and the room of the meeting held there.
namespace kiremo::files {

// [grid row 0..14][grid column 0..5], Windows-1254; sheet cell A1 is [0][0].
using SheetCells = std::array<std::array<std::string, planner::kDays + 1>, planner::kSlots + 1>;

// An empty or only previewed cell stays empty; a preview over a committed
// cell counts as the committed course. ConversionError when a committed
// row's day or hours are not numbers.
SheetCells ExportSheet(const planner::Planner& planner);

}  // namespace kiremo::files
