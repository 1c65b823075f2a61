#pragma once

#include <string>
#include <string_view>

// Opening a ".dkf" plan from the desktop starts this program with the file's
// path, registered the freedesktop way for the current user.
namespace kiremo::app {

inline constexpr std::string_view kPlanMimeType = "application/x-kiremo-plan";
inline constexpr std::string_view kDesktopEntryName = "kiremo.desktop";

struct XdgFolders {
  std::string data_home;    // $XDG_DATA_HOME, or ~/.local/share
  std::string config_home;  // $XDG_CONFIG_HOME, or ~/.config
};

// From the environment; a relative or empty variable counts as unset. Empty
// folders when neither the variable nor HOME gives one.
XdgFolders XdgFoldersFromEnvironment();

// Writes the shared-mime-info package (glob *.dkf), the desktop entry whose
// Exec line starts `executable_path` with the file, and the default
// application of the type; then refreshes the user's MIME and desktop
// caches when update-mime-database and update-desktop-database are
// installed. Rewrites everything at every call, so the copy started last is
// the one that opens plans, also where a package installed the program for
// the whole system. Raises Error on failure.
void RegisterPlanAssociation(const std::string& executable_path, const XdgFolders& folders);

// A program path as one argument of a desktop entry's Exec line, quoted and
// escaped where the entry format requires it.
std::string DesktopExecArgument(std::string_view path);

}  // namespace kiremo::app
