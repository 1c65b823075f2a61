#include "generator/section_cells.h"

#include <algorithm>

#include "generator/candidate_filters.h"
#include "generator/generator_messages.h"
#include "planner/grid.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

std::vector<SectionCell> CellsOfSection(const catalogue::SectionValues& section) {
  std::vector<SectionCell> cells;
  const auto days = ExplodeViews(section.gun, "|");
  const auto times = ExplodeViews(section.saat, "|");
  const auto buildings = ExplodeViews(section.bina, "|");
  for (std::size_t k = 0; k < days.size(); ++k) {
    const int day = DayOfEntry(days[k]);
    if (day == 0) continue;
    if (k >= times.size()) throw Error(section.crn + std::string(kMeetingWithoutHours));
    const HourSpan hours = HoursOfEntry(times[k]);
    const std::string_view building = k < buildings.size() ? buildings[k] : std::string_view();
    for (int slot = planner::SlotOfHour(hours.start); slot < planner::SlotOfHour(hours.end); ++slot) {
      cells.push_back({day, slot, building});
    }
  }
  return cells;
}

bool MeetsInBusyHours(const std::vector<SectionCell>& cells, const planner::Constraints& constraints) {
  return std::any_of(cells.begin(), cells.end(), [&](const SectionCell& cell) {
    return planner::InsideGridBody(cell.day, cell.slot) && constraints.busy[cell.day - 1][cell.slot - 1];
  });
}

}  // namespace kiremo::generator
