#pragma once

#include <string>
#include <string_view>

// Where the catalogue folder DataBase/, config.ini and the department list
// live: beside the executable when that folder is the program's own (the
// build folder, a portable copy), otherwise in the user's data folder.
namespace kiremo::app {

// Installed beside the executables' folder (<prefix>/bin/../share/kiremo/):
// its presence marks an installed program, whose folder is never written even
// when the user could (root, or a copy unpacked into a user's folder).
inline constexpr std::string_view kInstalledMarker = "../share/kiremo/installed";

// True when `executable_folder` (ending in "/") belongs to an installed
// program: it carries the marker, or it cannot be written.
bool IsInstalledFolder(const std::string& executable_folder);

// $XDG_DATA_HOME/kiremo/, or ~/.local/share/kiremo/ when the variable is unset,
// empty or relative; empty when neither it nor HOME gives an absolute path.
std::string UserDataFolder();

// `executable_folder` itself when it is not an installed program's folder;
// otherwise UserDataFolder(), created (private to the user) when missing.
// Raises IoError, in Turkish, when there is no such folder or it cannot be made.
std::string DataFolder(const std::string& executable_folder);

}  // namespace kiremo::app
