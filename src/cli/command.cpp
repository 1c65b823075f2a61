#include "cli/command.h"

#include <algorithm>

namespace kiremo::cli {

namespace {
std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace

const std::vector<Command>& Commands() { return Registry(); }

CommandRegistration::CommandRegistration(Command command) {
  auto& commands = Registry();
  commands.push_back(std::move(command));
  std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
}

}  // namespace kiremo::cli
