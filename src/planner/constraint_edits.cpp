#include "planner/planner.h"

namespace kiremo::planner {

void Planner::ConstraintsChanged() {
  if (observer_) observer_->ConstraintsChanged();
}

void Planner::Lock(int row, const std::string& crn) {
  RequireCourseRow(row);
  if (crn.empty()) return;
  constraints_.locked[row - 1] = crn;
  locked_course_[row] = Row(row).course.Text();
  constraints_.excluded.erase(crn);
  ConstraintsChanged();
}

void Planner::Unlock(int row) {
  RequireCourseRow(row);
  if (constraints_.locked[row - 1].empty()) return;
  constraints_.locked[row - 1].clear();
  ConstraintsChanged();
}

void Planner::Exclude(const std::string& crn) {
  if (crn.empty()) return;
  for (std::string& locked : constraints_.locked) {
    if (locked == crn) locked.clear();
  }
  constraints_.excluded.insert(crn);
  ConstraintsChanged();
}

void Planner::Include(const std::string& crn) {
  if (constraints_.excluded.erase(crn) > 0) ConstraintsChanged();
}

void Planner::SetBusy(int day, int slot, bool busy) {
  if (!InsideGridBody(day, slot) || constraints_.busy[day - 1][slot - 1] == busy) return;
  constraints_.busy[day - 1][slot - 1] = busy;
  ConstraintsChanged();
}

void Planner::SetConstraints(Constraints constraints) {
  constraints_ = std::move(constraints);
  for (int row = 1; row <= kRows; ++row) locked_course_[row] = Row(row).course.Text();
  ConstraintsChanged();
}

}  // namespace kiremo::planner
