// kiremo-cli: the planner's core without a window.
#include <iostream>

#include "acquisition/text/cp1254.h"
#include "acquisition/text/errors.h"
#include "cli/args.h"
#include "cli/command.h"
#include "shell/core/program_folder.h"

namespace {

int Help(std::ostream& out) {
  out << "kullanım: kiremo-cli [--folder KLASÖR] KOMUT ...\n\nKomutlar:\n";
  for (const auto& command : kiremo::cli::Commands()) out << "  kiremo-cli " << command.usage << '\n';
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  std::string folder;
  if (words.size() >= 2 && words[0] == "--folder") {
    folder = words[1];
    words.erase(words.begin(), words.begin() + 2);
  }
  if (words.empty() || words[0] == "help" || words[0] == "--help") return Help(words.empty() ? std::cerr : std::cout) + (words.empty() ? 1 : 0);

  kiremo::cli::Context context{folder.empty() ? kiremo::shell::ExecutableFolder() : kiremo::shell::WithTrailingSlash(folder),
                               std::cout, std::cerr};
  for (const auto& command : kiremo::cli::Commands()) {
    if (command.name != words[0]) continue;
    try {
      return command.run(context, std::vector<std::string>(words.begin() + 1, words.end()));
    } catch (const kiremo::cli::UsageError& e) {
      std::cerr << e.what() << '\n';
      return 2;
    } catch (const kiremo::Error& e) {
      std::cerr << kiremo::Cp1254ToUtf8(e.what()) << '\n';
      return 1;
    } catch (const std::exception& e) {
      std::cerr << e.what() << '\n';
      return 1;
    }
  }
  std::cerr << "bilinmeyen komut: " << words[0] << "\n";
  Help(std::cerr);
  return 2;
}
