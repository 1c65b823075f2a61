#include "generator/timetable.h"

#include <numeric>

#include "generator/generator.h"
#include "generator/result_order.h"
#include "generator/sort_keys.h"
#include "planner/plan_week.h"

namespace kiremo::generator {

Timetable TimetableOfPlan(const planner::PlanSnapshot& plan) {
  Timetable timetable;
  for (int row = 1; row <= planner::kRows; ++row) {
    const planner::StoredRow* stored = planner::CommittedRow(plan, row);
    if (!stored) continue;
    TTreeDers section;
    section.Row = row;
    section.SectionCombo = 3 * row;
    section.Index = static_cast<std::int32_t>(timetable.size());
    section.CRN = stored->CRN;
    section.CourseCode = stored->DersKodu;
    for (const planner::RowCell& cell : planner::CellsOfRow(*stored)) {
      section.Days.push_back(std::to_string(cell.day));
      section.Slots.push_back(std::to_string(cell.slot));
      section.Buildings.push_back(cell.building);
    }
    timetable.push_back(std::move(section));
  }
  return timetable;
}

Timetable TimetableOfItem(const Generator& generator, int item) {
  if (item < 1 || item > generator.ResultCount || generator.Candidates.empty()) return {};
  std::vector<int> path;
  PathOf(generator.Results, generator.ResultOfItem(item), path);
  Timetable timetable;
  for (const int candidate : path) timetable.push_back(generator.Candidates[candidate]);
  return timetable;
}

namespace {

std::vector<int> EveryLevel(const Timetable& timetable) {
  std::vector<int> path(timetable.size());
  std::iota(path.begin(), path.end(), 0);
  return path;
}

}  // namespace

Metrics MetricsOf(const Timetable& timetable) {
  const std::vector<int> path = EveryLevel(timetable);
  const int levels = static_cast<int>(path.size());
  const MetricsTable table(timetable);
  Metrics metrics = table.Of(path.data(), levels);
  AddAllPreferences(metrics, table, path.data(), levels, table.HoursOf(path.data(), levels));
  return metrics;
}

MetricsTable::DayHours HoursOf(const Timetable& timetable) {
  const MetricsTable table(timetable);
  MetricsTable::DayHours hours{};
  for (std::size_t k = 0; k < timetable.size(); ++k) {
    const MetricsTable::DayHours& own = table.HoursOf(static_cast<int>(k));
    for (int d = 0; d < 5; ++d) hours[d] |= own[d];
  }
  return hours;
}

}  // namespace kiremo::generator
