#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kiremo::app {

// One item of a context menu as the window shows it: its text, whether it
// can be chosen, and the event it raises.
struct MenuEntry {
  std::string text;
  bool enabled = true;
  std::function<void()> run;
};

using MenuEntries = std::vector<MenuEntry>;

}  // namespace kiremo::app
