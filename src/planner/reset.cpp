#include "planner/bounds.h"
#include "planner/planner.h"
#include "text/program.h"

namespace kiremo::planner {

void Planner::Sifirla() {
  view_.Caption().SetText(ProgramTitle());
  for (int row = 1; row <= kRows; ++row) view_.Kaydet(row).SetEnabled(false);
  for (int row = 1; row <= kRows; ++row) DersCikar(400, 400, row);
  Hucreler = {};
  for (int row = 1; row <= kRows; ++row) view_.DepartmentCombo(row).SetItemIndex(-1);
  for (int row = 1; row <= kRows; ++row) {
    view_.CourseCombo(row).Clear();
    view_.SectionCombo(row).Clear();
  }
  if (hooks_.clear_connection_error_shown) hooks_.clear_connection_error_shown();
  // A missing department list ends the reset here, with its IoError.
  for (int row = 1; row <= kRows; ++row) BirinciComboBoxDoldur(view_.DepartmentCombo(row));
  for (int row = 1; row <= kRows; ++row) view_.HocaCombo(row).Clear();
  for (int day = 1; day <= kDays; ++day) view_.Chk(day).SetChecked(false);
  view_.ComboBox31().Clear();
  view_.StatusBar().SetText({});
  if (hooks_.clear_candidates) hooks_.clear_candidates();
  if (hooks_.apply_stored_settings) hooks_.apply_stored_settings();
  Refresh();
}

}  // namespace kiremo::planner
