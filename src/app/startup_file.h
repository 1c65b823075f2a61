#pragma once

#include <string>
#include <vector>

namespace kiremo::app {

// The schedule file named on the command line: the program's arguments after
// the executable, joined by one blank (a desktop launcher passes one
// argument; a path split by a shell at its blanks comes back whole). Empty
// when there is none.
std::string StartupFileFromArguments(const std::vector<std::string>& arguments);

}  // namespace kiremo::app
