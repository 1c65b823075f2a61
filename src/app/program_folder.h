#pragma once

#include <string>

namespace kiremo::app {

// The folder of the running executable, ending in "/".
std::string ExecutableFolder();

// The path of the running executable.
std::string ExecutablePath();

std::string WithTrailingSlash(std::string folder);

}  // namespace kiremo::app
