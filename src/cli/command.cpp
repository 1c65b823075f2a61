#include "cli/command.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string_view>

#include "cli/args.h"
#include "cli/catalogue_access.h"
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

std::string CommandLine(const Context& context, const std::string& words) {
  const std::string& folder = context.folder_option;
  if (folder.empty()) return "kiremo-cli " + words;
  // Quoted for the shell only where a character needs it.
  const bool plain = std::all_of(folder.begin(), folder.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || (c & 0x80) ||
           std::string_view("/._-+,:=@").find(c) != std::string_view::npos;
  });
  if (plain) return "kiremo-cli --folder " + folder + " " + words;
  std::string quoted = "'";
  for (const char c : folder) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return "kiremo-cli --folder " + quoted + "' " + words;
}

void ReportNotFetched(Context& context, const NotFetchedError& error) {
  context.err << Cp1254ToUtf8(error.what()) << '\n';
  if (error.NeedsInit()) {
    context.err << "Önce \"" << CommandLine(context, "init") << "\", sonra \"" << CommandLine(context, "update")
                << "\" çalıştır; update ders bilgilerini sunucudan alır.\n";
  } else {
    context.err << "Ders bilgilerini \"" << CommandLine(context, "update") << "\" ile sunucudan al.\n";
  }
}

int RunCommand(const Command& command, Context& context, const std::vector<std::string>& words) {
  try {
    return command.run(context, words);
  } catch (const NotFetchedError& e) {
    ReportNotFetched(context, e);
    return 1;
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
