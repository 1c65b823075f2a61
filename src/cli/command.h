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
  // An installed program's own data folder in the user's home (no --folder).
  bool installed = false;
  // The folder named with --folder, empty without it: advice on what to run
  // next names it again.
  std::string folder_option;
};

// "kiremo-cli [--folder 'DIR'] WORDS", as the user would type it next.
std::string CommandLine(const Context& context, const std::string& words);

struct Command {
  std::string name;
  std::string usage;  // shown by "kiremo-cli help", UTF-8
  // The words after the command's name; returns the exit status.
  std::function<int(Context&, const std::vector<std::string>&)> run;
};

const std::vector<Command>& Commands();

// The command of that name, or nullptr.
const Command* FindCommand(const std::string& name);

class NotFetchedError;

// The message of a folder without a term, then the commands that fetch one.
void ReportNotFetched(Context& context, const NotFetchedError& error);

// Runs a command on the words after its name: its exit status, or 2 after a
// usage error's message and 1 after any other error's message (on `err`); a
// folder without a term is followed by the commands that fetch one.
int RunCommand(const Command& command, Context& context, const std::vector<std::string>& words);

struct CommandRegistration {
  explicit CommandRegistration(Command command);
};

}  // namespace kiremo::cli
