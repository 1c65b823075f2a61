#pragma once

#include <optional>

#include "app/ini_file.h"

// Where the main window was when it closed, in config.ini's section
// "pencere", so that the next start opens it there.
namespace kiremo::app {

// The window's rectangle without its frame (in the desktop's coordinates)
// when it is not maximised, and whether it was maximised.
struct WindowPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool maximised = false;
};

// Nothing when a key is absent or not a whole number, or the size is not a
// size a window can have: the window then opens as on the first start.
// An unreadable file is nothing too.
std::optional<WindowPlacement> ReadWindowPlacement(const IniFile& settings);

// Raises IoError when the file cannot be written.
void WriteWindowPlacement(IniFile& settings, const WindowPlacement& placement);

}  // namespace kiremo::app
