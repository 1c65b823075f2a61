#include "planner/planner.h"

namespace kiremo::planner {

void Planner::Sifirla() {
  SetCaption(title_);
  for (int row = 1; row <= kRows; ++row) SetEkle(row, false);
  for (int row = 1; row <= kRows; ++row) RemoveRow(row);
  hucreler_ = {};
  SetConstraints({});  // they belong to the plan being left
  for (int row = 1; row <= kRows; ++row) SelectDepartment(row, -1);
  for (int row = 1; row <= kRows; ++row) {
    rows_[row].course.Clear();
    rows_[row].section.Clear();
    ListsChanged(row);
  }
  if (hooks_.clear_connection_error_shown) hooks_.clear_connection_error_shown();
  // A missing department list ends the reset here, with its IoError.
  for (int row = 1; row <= kRows; ++row) BirinciComboBoxDoldur(row);
  for (int row = 1; row <= kRows; ++row) {
    rows_[row].teacher.Clear();
    ListsChanged(row);
  }
  if (hooks_.clear_free_days_and_results) hooks_.clear_free_days_and_results();
  SetStatus({});
  if (hooks_.clear_candidates) hooks_.clear_candidates();
  if (hooks_.apply_stored_settings) hooks_.apply_stored_settings();
  Refresh();
}

}  // namespace kiremo::planner
