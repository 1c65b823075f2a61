// kiremo-cli: the planner's core without a window.
#include <iostream>

#include "app/program_folder.h"
#include "cli/args.h"
#include "cli/command.h"
#include "text/cp1254.h"
#include "text/errors.h"

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
  if (words.empty() || words[0] == "help" || words[0] == "--help")
    return Help(words.empty() ? std::cerr : std::cout) + (words.empty() ? 1 : 0);

  kiremo::cli::Context context{
      folder.empty() ? kiremo::app::ExecutableFolder() : kiremo::app::WithTrailingSlash(folder), std::cout, std::cerr};
  if (const auto* command = kiremo::cli::FindCommand(words[0])) {
    return kiremo::cli::RunCommand(*command, context, std::vector<std::string>(words.begin() + 1, words.end()));
  }
  std::cerr << "bilinmeyen komut: " << words[0] << "\n";
  Help(std::cerr);
  return 2;
}
