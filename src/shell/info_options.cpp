#include "shell/info_options.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "text/program.h"

namespace kiremo::shell {

namespace {

constexpr char kHelp[] =
    "kullanım: kiremo [PLAN.dkf]\n"
    "       kiremo --export PLAN.dkf ÇIKTI.png|ÇIKTI.pdf\n"
    "\n"
    "Ders programı planlayıcısının penceresini açar; bir .dkf dosyası verilirse onu yükler.\n"
    "\n"
    "Seçenekler:\n"
    "  --export PLAN ÇIKTI  planın haftasını pencere açmadan PNG ya da PDF resmine çizer\n"
    "  --help               bu yardımı gösterir\n"
    "  --version            sürümü gösterir\n"
    "\n"
    "Ortam:\n"
    "  KIREMO_SCHEDULE_URL  ders programı sunucusunun adresi\n"
    "  KIREMO_SITE_URL      programın sitesi (sürüm dosyaları, program sayfası)\n"
    "  KIREMO_FORUM_URL     ders ve hoca bilgilerinin arandığı forum\n"
    "  XDG_DATA_HOME        kurulu programın veri klasörünün üst klasörü\n"
    "\n"
    "Katalog (DataBase/), config.ini ve bölüm listesi programın klasöründe durur; kurulu\n"
    "programda $XDG_DATA_HOME/kiremo (yoksa ~/.local/share/kiremo) klasöründedir.\n";

}  // namespace

std::optional<int> AnswerInfoOption(int argc, char** argv) {
  if (argc != 2) return std::nullopt;
  if (std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("kiremo %s\n", std::string(kVersionText).c_str());
    return 0;
  }
  return std::nullopt;
}

}  // namespace kiremo::shell
