#include "catalogue/temp_tables.h"

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::catalogue {

void CreateTempTables(const std::string& program_folder, const std::function<void(const std::string&)>& status) {
  const std::string temp_path = program_folder + std::string(kTempCatalogue);
  CopyFileNoOverwrite(program_folder + std::string(kMainCatalogue), temp_path);
  Database temp(MakeConnectionString(program_folder, kTempCatalogue));
  const std::vector<std::string> lines = ReadDepartmentList(program_folder + std::string(kDepartmentList));
  for (const std::string& line : lines) {
    // The line is lower-cased but not trimmed, as the list holds it.
    try {
      temp.DropTable(line);
    } catch (const DatabaseError&) {
      // The table may not exist yet.
    }
    temp.CreateTable(line);
  }
  status(std::string("Geçici Tablolar Yaratıldı"_w));
}

}  // namespace kiremo::catalogue
