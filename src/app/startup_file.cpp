#include "app/startup_file.h"

namespace kiremo::app {

std::string StartupFileFromArguments(const std::vector<std::string>& arguments) {
  std::string file;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) file += ' ';
    file += arguments[i];
  }
  return file;
}

}  // namespace kiremo::app
