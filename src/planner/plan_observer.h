#pragma once

#include <string>

#include "text/notice.h"

namespace kiremo::planner {

// Follows the planner's changes, to show them: the window redraws what
// changed from the planner's state. Every call comes after the change.
class PlanObserver {
 public:
  virtual ~PlanObserver() = default;
  // The items or the selection of a course row's lists changed.
  virtual void ListsChanged(int row) = 0;
  // The row's "Ekle" button was enabled or disabled.
  virtual void EkleChanged(int row) = 0;
  // The row's colour swatch was filled.
  virtual void SwatchChanged(int row) = 0;
  virtual void CellTextChanged(int day, int slot) = 0;
  // Refresh: every body cell takes the colour of its state.
  virtual void CellsRecoloured() = 0;
  // A lock, an exclusion or a busy hour was set or cleared.
  virtual void ConstraintsChanged() = 0;
  virtual void StatusChanged() = 0;
  virtual void CaptionChanged() = 0;
  // A message box with an OK button; returns when it is closed.
  virtual void Show(const Notice& notice) = 0;
  // Hands a web address to the desktop's default handler.
  virtual void OpenAddress(const std::string& address) = 0;
};

}  // namespace kiremo::planner
