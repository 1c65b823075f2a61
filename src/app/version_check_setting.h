#pragma once

#include <string_view>

#include "app/ini_file.h"

// Whether start-up asks the program's web site for a newer version. A copy
// run from its own folder always asks. An installed program is updated by
// the system's packages, so it asks only when the student turned the check
// on ("Program" menu), stored in config.ini.
namespace kiremo::app {

inline constexpr std::string_view kVersionCheckKey = "acilista_surum_denetimi";

bool VersionCheckAtStart(const IniFile& settings, bool installed);

// Stores the student's choice at once; IoError when config.ini cannot be
// written.
void StoreVersionCheckAtStart(IniFile& settings, bool on);

}  // namespace kiremo::app
