#pragma once

#include <cstdlib>
#include <string>

namespace kiremo::testing_support {

// Whether a program of that name is on the PATH.
inline bool HaveProgram(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace kiremo::testing_support
