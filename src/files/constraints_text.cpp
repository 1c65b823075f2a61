#include "files/constraints_text.h"

#include "planner/cell_runs.h"
#include "planner/grid.h"
#include "text/cp1254.h"

namespace kiremo::files {

namespace {

std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

std::vector<std::string> BusyRuns(const planner::Constraints& constraints) {
  std::vector<std::string> runs;
  for (int day = 1; day <= planner::kDays; ++day) {
    const auto& busy = constraints.busy[day - 1];
    for (int first = 1; first <= planner::kSlots; ++first) {
      if (!busy[first - 1]) continue;
      int last = first;
      while (last < planner::kSlots && busy[last]) ++last;
      runs.push_back(planner::GridHeaderText(day, 0) + " " + planner::ClockText(planner::HourOfSlot(first), 30) + "-" +
                     planner::ClockText(planner::HourOfSlot(last) + 1, 29));
      first = last;
    }
  }
  return runs;
}

}  // namespace

std::vector<std::string> ConstraintLines(const planner::PlanSnapshot& plan) {
  const planner::Constraints& constraints = plan.constraints;
  std::vector<std::string> lines;
  for (int row = 1; row <= planner::kRows; ++row) {
    const std::string& crn = constraints.locked[row - 1];
    if (crn.empty()) continue;
    const std::string& course = plan.combos[3 * row - 2];
    lines.push_back(std::string("Sabit şube: "_w) + std::to_string(row) + std::string(". satır "_w) +
                    (course.empty() ? "" : course + " ") + "-> " + crn);
  }
  if (!constraints.excluded.empty()) {
    lines.push_back(std::string("Hariç tutulan şubeler: "_w) +
                    Listed({constraints.excluded.begin(), constraints.excluded.end()}));
  }
  const std::vector<std::string> runs = BusyRuns(constraints);
  if (!runs.empty()) lines.push_back(std::string("Boş tutulan saatler: "_w) + Listed(runs));
  return lines;
}

}  // namespace kiremo::files
