#include "cli/command.h"

#include <algorithm>
#include <ostream>

#include "cli/args.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::cli {

namespace {
std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace

const std::vector<Command>& Commands() { return Registry(); }

const Command* FindCommand(const std::string& name) {
  for (const Command& command : Commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

int RunCommand(const Command& command, Context& context, const std::vector<std::string>& words) {
  try {
    return command.run(context, words);
  } catch (const UsageError& e) {
    context.err << e.what() << '\n';
    return 2;
  } catch (const Error& e) {
    context.err << Cp1254ToUtf8(e.what()) << '\n';
    return 1;
  } catch (const std::exception& e) {
    context.err << e.what() << '\n';
    return 1;
  }
}

CommandRegistration::CommandRegistration(Command command) {
  auto& commands = Registry();
  commands.push_back(std::move(command));
  std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
}

}  // namespace kiremo::cli
