// kiremo-cli: the planner's core without a window.
#include <iostream>

#include "app/data_folder.h"
#include "app/program_folder.h"
#include "cli/args.h"
#include "cli/command.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/program.h"

namespace {

int Help(std::ostream& out) {
  out << "kullanım: kiremo-cli [--folder KLASÖR] KOMUT ...\n\nKomutlar:\n";
  for (const auto& command : kiremo::cli::Commands()) out << "  kiremo-cli " << command.usage << '\n';
  out << "\nSeçenekler:\n"
         "  --folder KLASÖR  katalog (DataBase/), config.ini ve bölüm listesi bu klasörde\n"
         "  --help           bu yardımı gösterir\n"
         "  --version        sürümü gösterir\n"
         "\nOrtam:\n"
         "  KIREMO_SCHEDULE_URL  ders programı sunucusunun adresi\n"
         "  XDG_DATA_HOME        kurulu programın veri klasörünün üst klasörü\n"
         "\nKlasör verilmezse veriler programın klasöründe durur; kurulu programda\n"
         "$XDG_DATA_HOME/kiremo (yoksa ~/.local/share/kiremo) klasöründedir.\n"
         "Çıkış durumu: 0 başarı, 1 hata, 2 yanlış kullanım.\n";
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
  if (words[0] == "--version") {
    std::cout << "kiremo-cli " << kiremo::kVersionText << '\n';
    return 0;
  }

  const auto* command = kiremo::cli::FindCommand(words[0]);
  if (!command) {
    std::cerr << "bilinmeyen komut: " << words[0] << "\n";
    Help(std::cerr);
    return 2;
  }
  const std::string given_folder = folder;
  const std::string executable_folder = kiremo::app::ExecutableFolder();
  const bool installed = folder.empty() && kiremo::app::IsInstalledFolder(executable_folder);
  try {
    folder = folder.empty() ? kiremo::app::DataFolder(executable_folder) : kiremo::app::WithTrailingSlash(folder);
  } catch (const kiremo::Error& e) {
    std::cerr << kiremo::Cp1254ToUtf8(e.what()) << '\n';
    return 1;
  }
  kiremo::cli::Context context{folder, std::cout, std::cerr, installed, given_folder};
  return kiremo::cli::RunCommand(*command, context, std::vector<std::string>(words.begin() + 1, words.end()));
}
