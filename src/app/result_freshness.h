#pragma once

#include <string>

#include "planner/planner.h"
#include "view/main_view.h"

namespace kiremo::app {

// The generator's alternatives are positions in the section lists of the
// moment they were made. They stay listed only while nothing they were made
// from has changed: each course row's department, course, section list,
// teacher and committed section, and the generator panel (hours, free days,
// unwanted buildings, department filter), and the student's locks,
// exclusions and busy hours. Previewing a section changes
// none of these.
class ResultFreshness {
 public:
  ResultFreshness(const planner::Planner& planner, ui::MainView& view) : planner_(planner), view_(view) {}

  // The results listed (or the one just applied) belong to things as they are now.
  void Made() { made_ = Inputs(); }
  bool Stale() const { return Inputs() != made_; }

 private:
  std::string Inputs() const;

  const planner::Planner& planner_;
  ui::MainView& view_;
  std::string made_;
};

}  // namespace kiremo::app
