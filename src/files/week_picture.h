#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "planner/grid.h"
#include "planner/plan_snapshot.h"
#include "planner/planner.h"

// What a picture or a printout of the week shows, as plain values: the grid
// as the student sees it (headers, course codes, cell colours) and a legend
// of the committed courses.
namespace kiremo::files {

struct LegendEntry {
  std::uint32_t colour = 0xFFFFFF;  // 0xRRGGBB, the row's colour
  std::string code;
  std::string name;
  std::string crn;
  std::string teacher;
};

struct WeekPicture {
  // [grid row 0..14][grid column 0..5], Windows-1254; row 0 and column 0
  // are the headers.
  std::array<std::array<std::string, planner::kDays + 1>, planner::kSlots + 1> texts;
  // The body cells' backgrounds, 0xRRGGBB, same indices.
  std::array<std::array<std::uint32_t, planner::kDays + 1>, planner::kSlots + 1> colours{};
  // Rows 1..10 in order, committed ones only.
  std::vector<LegendEntry> legend;
};

// The planner's week. Preview marks are left out: the picture shows the plan
// as it would be saved.
WeekPicture PictureOf(const planner::Planner& planner);

// A schedule file's week, painted as loading it paints the grid. Error when
// a committed meeting's day or hours are not numbers.
WeekPicture PictureOf(const planner::PlanSnapshot& plan);

}  // namespace kiremo::files
