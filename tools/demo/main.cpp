// kiremo-demo-term OUT_DIR: writes the invented term as the schedule server
// would serve it, OUT_DIR/<CODE>.html per department and OUT_DIR/index.html.
#include <filesystem>
#include <iostream>
#include <system_error>

#include "catalogue/file_system.h"
#include "demo_term.h"
#include "page_writer.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace {

constexpr char kUsage[] = "kullanım: kiremo-demo-term ÇIKTI_KLASÖRÜ\n";

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc == 2 ? argv[1] : "";
  if (folder == "--help" || folder == "-h") {
    std::cout << kUsage;
    return 0;
  }
  // An option is no folder; a folder whose name starts with "-" is given as "./-name".
  if (argc != 2 || folder.empty() || folder[0] == '-') {
    std::cerr << kUsage;
    return 2;
  }
  try {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
      std::cerr << "\"" << folder << "\" klasörü oluşturulamadı: " << error.message() << '\n';
      return 1;
    }
    const kiremo::demo::DemoTerm term = kiremo::demo::MakeDemoTerm();
    std::size_t sections = 0;
    for (const auto& department : term.departments) {
      kiremo::WriteFileAtomically(folder + "/" + department.code + ".html", kiremo::demo::SchedulePage(department));
      sections += department.sections.size();
    }
    kiremo::WriteFileAtomically(folder + "/index.html", kiremo::demo::IndexPage(term));
    std::cout << term.departments.size() << " bölüm, " << sections << " şube yazıldı: " << folder << '\n';
  } catch (const kiremo::Error& e) {
    std::cerr << kiremo::Cp1254ToUtf8(e.what()) << '\n';
    return 1;
  }
  return 0;
}
