#include "cli/catalogue_access.h"

#include "catalogue/catalogue_files.h"
#include "catalogue/pair_reading.h"
#include "text/errors.h"

namespace kiremo::cli {

std::vector<std::string> ReadDepartments(const std::string& program_folder) {
  try {
    return catalogue::ReadListedDepartments(program_folder);
  } catch (const IoError&) {
    throw IoError(std::string(
        "\"kodlar.dat\" dosyası bulunamadı! Bu dosyanın DataBase klasöründe olup emin olup tekrar dene!"_w));
  }
}

std::unique_ptr<catalogue::Database> OpenCatalogue(const std::string& program_folder) {
  try {
    return std::make_unique<catalogue::Database>(
        catalogue::MakeConnectionString(program_folder, catalogue::kMainCatalogue));
  } catch (const DamagedCatalogueError&) {
    throw DatabaseError(std::string(kDamagedCatalogue));
  }
}

}  // namespace kiremo::cli
