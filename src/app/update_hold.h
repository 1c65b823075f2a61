#pragma once

#include <array>
#include <optional>
#include <vector>

#include "generator/generator.h"
#include "generator/panel.h"
#include "view/main_view.h"

namespace kiremo::app {

// What the full update's reset clears beside the plan: the generator panel,
// the teacher choices, the candidates and the result list. Held from the
// reset to the update's end, and given back when the plan came back on an
// unchanged catalogue, so that the listed alternatives still apply to it.
class UpdateHold {
 public:
  UpdateHold(generator::Generator& generator, ui::MainView& view) : generator_(generator), view_(view) {}

  // Before the reset.
  void Take();
  // After the plan came back and the catalogue did not change.
  void GiveBack();
  void Drop() { held_.reset(); }

 private:
  struct Held {
    generator::GeneratorPanel panel;
    std::array<int, 10> teachers{};  // HocaCombo1..10's selections
    std::vector<generator::TTreeDers> candidates;
    int results = 0;  // the result list's items, 0 when empty
    int selected = -1;
  };

  generator::Generator& generator_;
  ui::MainView& view_;
  std::optional<Held> held_;
};

}  // namespace kiremo::app
