#pragma once

#include <string>

namespace kiremo::shell {

// The name the desktop knows the program by: its X11 window class
// "kiremo" (the desktop entries' StartupWMClass) and the desktop entry that
// starts it, so that docks and task bars put the window under that entry;
// and the program's own icon on every window: from the icon theme when the
// package installed it, otherwise from the icons built beside the program.
// `executable_folder` ends in "/".
void SetDesktopIdentity(const std::string& executable_folder, bool installed);

}  // namespace kiremo::shell
