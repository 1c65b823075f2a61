#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// The commands of kiremo-cli. Each command lives in a file of its own and
// registers itself with a static CommandRegistration.
namespace kiremo::cli {

struct Context {
  std::string program_folder;  // ends in "/"
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  std::string name;
  std::string usage;  // shown by "kiremo-cli help", UTF-8
  // The words after the command's name; returns the exit status.
  std::function<int(Context&, const std::vector<std::string>&)> run;
};

const std::vector<Command>& Commands();

struct CommandRegistration {
  explicit CommandRegistration(Command command);
};

}  // namespace kiremo::cli
