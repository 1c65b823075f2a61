#pragma once

#include "planner/plan_observer.h"
#include "planner/planner.h"
#include "view/main_view.h"

namespace kiremo::app {

// Shows the planner's state in the window: every change the planner reports
// is written to the widgets that show it.
class PlanView : public planner::PlanObserver {
 public:
  // Writes the grid's header texts and starts observing.
  PlanView(const planner::Planner& planner, ui::MainView& view);
  ~PlanView() override;
  PlanView(const PlanView&) = delete;
  PlanView& operator=(const PlanView&) = delete;

  void ListsChanged(int row) override;
  void EkleChanged(int row) override;
  void SwatchChanged(int row) override;
  void CellTextChanged(int day, int slot) override;
  void CellsRecoloured() override;
  void ConstraintsChanged() override;
  void StatusChanged() override;
  void CaptionChanged() override;
  void Show(const Notice& notice) override;
  void OpenAddress(const std::string& address) override;

  // The caption starts with "*" while the plan has unsaved changes.
  void MarkModified(bool modified);

 private:
  // The row's excluded sections struck out, their tooltips saying so.
  void ShowSectionMarks(int row);
  // The row's marker shows its locked section.
  void ShowLock(int row);

  const planner::Planner& planner_;
  ui::MainView& view_;
  bool modified_ = false;
};

// A colour of the planner's table as the widgets take it.
ui::Colour WidgetColour(std::uint32_t rgb);

}  // namespace kiremo::app
