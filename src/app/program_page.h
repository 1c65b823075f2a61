#pragma once

#include <string>

namespace kiremo::app {

// The program's web page on its site: the about box's button and "Yardim".
std::string ProgramPageUrl();

}  // namespace kiremo::app
