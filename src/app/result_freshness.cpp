#include "app/result_freshness.h"

#include "app/generator_panel.h"

namespace kiremo::app {

namespace {

// Separates the pieces, so that no two different inputs join alike.
constexpr char kUnit = '\x1f';

}  // namespace

std::string ResultFreshness::Inputs() const {
  std::string inputs;
  auto add = [&inputs](const std::string& piece) {
    inputs += piece;
    inputs += kUnit;
  };
  for (int row = 1; row <= planner::kRows; ++row) {
    const planner::CourseRow& lists = planner_.Row(row);
    add(lists.department.Text());
    add(lists.course.Text());
    for (const std::string& item : lists.section.Texts()) add(item);
    // The teacher lists raise no event of their own: the window holds the choice.
    add(std::to_string(view_.HocaCombo(row).ItemIndex()));
    add(planner_.Ders(row).CRN);
  }
  const generator::GeneratorPanel panel = ReadGeneratorPanel(view_);
  add(panel.first_hour);
  add(panel.end_hour);
  for (const bool free : panel.free_days) add(free ? "1" : "0");
  add(panel.unwanted_buildings);
  add(panel.own_department_only ? "1" : "0");
  add(panel.own_department);
  const planner::Constraints& constraints = planner_.StudentConstraints();
  for (const std::string& crn : constraints.locked) add(crn);
  for (const std::string& crn : constraints.excluded) add(crn);
  add("");  // the end of the exclusions
  for (const auto& day : constraints.busy) {
    for (const bool busy : day) add(busy ? "1" : "0");
  }
  return inputs;
}

}  // namespace kiremo::app
