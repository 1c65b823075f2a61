#include "app/plan_view.h"

#include <set>
#include <string>
#include <vector>

#include "app/constraint_texts.h"
#include "planner/colours.h"

namespace kiremo::app {

ui::Colour WidgetColour(std::uint32_t rgb) {
  return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

PlanView::PlanView(const planner::Planner& planner, ui::MainView& view) : planner_(planner), view_(view) {
  ui::Grid& grid = view_.Grid1();
  for (int column = 0; column <= planner::kDays; ++column)
    grid.SetCellText(column, 0, planner::GridHeaderText(column, 0));
  for (int row = 1; row <= planner::kSlots; ++row) grid.SetCellText(0, row, planner::GridHeaderText(0, row));
}

PlanView::~PlanView() = default;

void PlanView::ListsChanged(int row) {
  const planner::CourseRow& lists = planner_.Row(row);
  view_.DepartmentCombo(row).Show(lists.department.items, lists.department.index);
  view_.CourseCombo(row).Show(lists.course.items, lists.course.index);
  view_.SectionCombo(row).Show(lists.section.Texts(), lists.section.index);
  ShowSectionMarks(row);
  view_.HocaCombo(row).Show(lists.teacher.items, lists.teacher.index);
}

void PlanView::ShowSectionMarks(int row) {
  const planner::SectionChoices& sections = planner_.Row(row).section;
  const std::set<std::string>& excluded = planner_.StudentConstraints().excluded;
  std::vector<std::string> tips = sections.Tips();
  std::vector<bool> crossed_out(tips.size(), false);
  for (std::size_t k = 0; k < tips.size(); ++k) {
    const std::string& crn = sections.items[k].crn;
    if (crn.empty() || !excluded.contains(crn)) continue;
    crossed_out[k] = true;
    tips[k] += (tips[k].empty() ? "" : "\n") + std::string(kExcludedNote);
  }
  view_.SectionCombo(row).ShowTips(tips);
  view_.SectionCombo(row).ShowCrossedOut(crossed_out);
}

void PlanView::EkleChanged(int row) { view_.Kaydet(row).SetEnabled(planner_.Row(row).ekle); }

void PlanView::SwatchChanged(int row) {
  view_.Shape(row).SetFill(WidgetColour(planner_.Row(row).swatch));
  ShowLock(row);
}

void PlanView::ShowLock(int row) {
  const std::string& crn = planner_.StudentConstraints().locked[row - 1];
  view_.Shape(row).SetLockNote(crn.empty() ? std::string() : std::string(kLockedNote) + crn);
}

void PlanView::CellTextChanged(int day, int slot) {
  view_.Grid1().SetCellText(day, slot, planner_.CellText(day, slot));
}

void PlanView::CellsRecoloured() {
  ui::Grid& grid = view_.Grid1();
  for (int day = 1; day <= planner::kDays; ++day) {
    for (int slot = 1; slot <= planner::kSlots; ++slot) {
      // A state the colour table lacks leaves the cell as it is.
      if (const auto colour = planner::CellColour(planner_.ShownCell(day, slot))) {
        grid.SetCellColour(day, slot, WidgetColour(*colour));
      }
    }
  }
}

void PlanView::ConstraintsChanged() {
  for (int row = 1; row <= planner::kRows; ++row) {
    ShowSectionMarks(row);
    ShowLock(row);
  }
  ui::Grid& grid = view_.Grid1();
  for (int day = 1; day <= planner::kDays; ++day) {
    for (int slot = 1; slot <= planner::kSlots; ++slot) grid.SetCellBusy(day, slot, planner_.Busy(day, slot));
  }
  CellsRecoloured();
}

void PlanView::StatusChanged() { view_.StatusBar().SetText(planner_.StatusText()); }

void PlanView::CaptionChanged() { view_.Caption().SetText((modified_ ? "*" : "") + planner_.Caption()); }

void PlanView::MarkModified(bool modified) {
  if (modified == modified_) return;
  modified_ = modified;
  CaptionChanged();
}

void PlanView::Show(const Notice& notice) { view_.Dialog().Message(notice.caption, notice.text, notice.icon); }

void PlanView::OpenAddress(const std::string& address) { view_.Browser().OpenAddress(address); }

}  // namespace kiremo::app
