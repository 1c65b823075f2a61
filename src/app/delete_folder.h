#pragma once

#include <string>

namespace kiremo::app {

// Deletes the folder with all its content, for good. True on success, false
// on any failure (a missing folder included); it never raises.
bool DeleteFolder(const std::string& path);

}  // namespace kiremo::app
