#include "cli/catalogue_access.h"

#include "catalogue/catalogue_files.h"
#include "catalogue/catalogue_pair.h"
#include "catalogue/department_list.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::cli {

std::vector<std::string> ReadDepartments(const std::string& program_folder) {
  catalogue::CompleteInterruptedSwitch(program_folder);
  try {
    return catalogue::ReadDepartmentList(program_folder + std::string(catalogue::kDepartmentList));
  } catch (const IoError&) {
    throw IoError(std::string(
        "\"kodlar.dat\" dosyası bulunamadı! Bu dosyanın DataBase klasöründe olup emin olup tekrar dene!"_w));
  }
}

std::unique_ptr<catalogue::Database> OpenCatalogue(const std::string& program_folder) {
  catalogue::CompleteInterruptedSwitch(program_folder);
  try {
    return std::make_unique<catalogue::Database>(
        catalogue::MakeConnectionString(program_folder, catalogue::kMainCatalogue));
  } catch (const DatabaseError&) {
    throw DatabaseError(std::string("Database dosyası silinmiş veya bozulmuş! Programı tekrar kur."_w));
  }
}

}  // namespace kiremo::cli
