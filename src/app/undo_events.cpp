#include "app/app.h"
#include "app/generator_panel.h"
#include "text/cp1254.h"
#include "text/program.h"
#include "text/text_helpers.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kGeriAl = "Geri al";
constexpr std::string_view kYinele = "Yinele";
constexpr std::string_view kHistoryCleared = "Katalog değişti: geri alınacak adımlar silindi."_w;

void ShowPanel(ui::MainView& view, const generator::GeneratorPanel& panel) {
  view.EditSt().SetText(panel.first_hour);
  view.EditEnd().SetText(panel.end_hour);
  for (int day = 1; day <= 5; ++day) view.Chk(day).SetChecked(panel.free_days[day - 1]);
  view.Edit2().SetText(panel.unwanted_buildings);
  view.CheckBox1().SetChecked(panel.own_department_only);
  if (view.Edit1().Text() != panel.own_department) view.Edit1().SetText(panel.own_department);
}

std::string Named(std::string_view command, const std::string& step) {
  return step.empty() ? std::string(command) : std::string(command) + ": " + step;
}

}  // namespace

std::string App::CaptionOf(const std::string& file) {
  return file.empty() ? ProgramTitle() : ProgramTitle() + " - " + Utf8ToCp1254(file);
}

PlanState App::CurrentState() const {
  PlanState state;
  state.plan = planner_.Snapshot();
  for (int row = 1; row <= planner::kRows; ++row) state.teachers[row - 1] = view_.HocaCombo(row).ItemIndex();
  state.panel = ReadGeneratorPanel(view_);
  state.document = changes_.Current();
  return state;
}

void App::ShowState(const PlanState& state) {
  // The reset that rebuilding the plan begins with reads the stored settings;
  // the automatic update stays as the student left it.
  const bool automatic = view_.MenuOtomatik().Checked();
  changes_.Resume(state.document);
  planner_.Restore(state.plan, {});
  planner_.SetCaption(CaptionOf(changes_.File()));
  view_.MenuOtomatik().SetChecked(automatic);
  for (int row = 1; row <= planner::kRows; ++row) planner_.SelectTeacher(row, state.teachers[row - 1]);
  ShowPanel(view_, state.panel);
  previewed_row_ = 0;
}

void App::menuGeriAlClick() {
  if (rows_wait_for_update_) return;
  Guarded([&] {
    if (history_.CanUndo()) ShowState(history_.Undo());
    anchor_ = CurrentState();
  });
}

void App::menuYineleClick() {
  if (rows_wait_for_update_) return;
  Guarded([&] {
    if (history_.CanRedo()) ShowState(history_.Redo());
    anchor_ = CurrentState();
  });
}

void App::ShowHistory() {
  const bool open = !rows_wait_for_update_;
  view_.MenuGeriAl().Show(Named(kGeriAl, history_.UndoName()), open && history_.CanUndo());
  view_.MenuYinele().Show(Named(kYinele, history_.RedoName()), open && history_.CanRedo());
}

void App::ClearHistory() {
  const bool said = !history_.Empty();
  history_.Clear();
  changes_.ForgetOthers();
  anchor_ = CurrentState();
  if (!said) return;
  const std::string status = view_.StatusBar().Text();
  view_.StatusBar().SetText(status.empty() ? std::string(kHistoryCleared)
                                           : status + " " + std::string(kHistoryCleared));
  ShowHistory();
}

}  // namespace kiremo::app
