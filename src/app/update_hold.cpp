#include "app/update_hold.h"

#include "app/generator_panel.h"
#include "app/result_browsing.h"

namespace kiremo::app {

void UpdateHold::Take() {
  Held held;
  held.panel = ReadGeneratorPanel(view_);
  for (int row = 1; row <= 10; ++row) held.teachers[row - 1] = view_.HocaCombo(row).ItemIndex();
  held.candidates = generator_.Candidates;
  held.results = view_.ComboBox31().Count();
  held.selected = held.results > 0 ? view_.ComboBox31().ItemIndex() : -1;
  held_ = std::move(held);
}

void UpdateHold::GiveBack() {
  if (!held_) return;
  Held held = std::move(*held_);
  held_.reset();
  const generator::GeneratorPanel& panel = held.panel;
  view_.EditSt().SetText(panel.first_hour);
  view_.EditEnd().SetText(panel.end_hour);
  for (int day = 1; day <= 5; ++day) view_.Chk(day).SetChecked(panel.free_days[day - 1]);
  view_.Edit2().SetText(panel.unwanted_buildings);
  view_.CheckBox1().SetChecked(panel.own_department_only);
  view_.Edit1().SetText(panel.own_department);
  for (int row = 1; row <= 10; ++row) {
    const int k = held.teachers[row - 1];
    if (k < view_.HocaCombo(row).Count()) view_.HocaCombo(row).SetItemIndex(k);
  }
  generator_.Candidates = std::move(held.candidates);
  // The results themselves outlive the reset; only their list went.
  if (held.results == 0 || held.results != generator_.ResultCount + 1) return;
  ShowResults(view_, generator_);
  view_.ComboBox31().SetItemIndex(held.selected);
}

}  // namespace kiremo::app
