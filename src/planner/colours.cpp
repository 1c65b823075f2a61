#include <array>

#include "planner/bounds.h"
#include "planner/planner.h"

namespace kiremo::planner {

namespace {

// Row k's colour is entry k; entry 0 is the empty cell and the empty row's swatch.
constexpr std::array<ui::Colour, 11> kRowColours = {{
    {255, 255, 255},
    {217, 229, 180},
    {180, 229, 198},
    {229, 213, 180},
    {180, 223, 229},
    {180, 184, 229},
    {229, 180, 180},
    {229, 180, 208},
    {140, 156, 138},
    {131, 125, 255},
    {207, 206, 116},
}};
constexpr ui::Colour kPreview{227, 208, 122};
constexpr ui::Colour kClash{255, 0, 0};

}  // namespace

std::optional<ui::Colour> CellColour(int value) {
  if (value >= 0 && value <= kRows) return kRowColours[value];
  if (value == 15) return kPreview;
  if (value >= 16 && value <= 25) return kClash;
  return std::nullopt;
}

void Planner::Refresh() {
  ui::Grid& grid = view_.Grid1();
  for (int day = 1; day <= kDays; ++day) {
    for (int slot = 1; slot <= kSlots; ++slot) {
      if (const auto colour = CellColour(Hucreler[day][slot])) grid.SetCellColour(day, slot, *colour);
    }
  }
}

void Planner::ShapeGuncelle(int row) {
  RequireCourseRow(row);
  view_.Shape(row).SetFill(Dersler[row].CRN.empty() ? ui::kWhite : *CellColour(row));
}

}  // namespace kiremo::planner
