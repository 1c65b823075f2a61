#include "cli/catalogue_access.h"

#include <cerrno>
#include <filesystem>

#include "catalogue/catalogue_files.h"
#include "catalogue/pair_reading.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::cli {

namespace {

NotFetchedError Missing(const std::string& path) {
  return NotFetchedError("\"" + Utf8ToCp1254(path) + std::string("\" dosyası yok: bu klasörde katalog kurulmamış."_w),
                         true);
}

}  // namespace

std::vector<std::string> ReadDepartments(const std::string& program_folder) {
  const std::string path = program_folder + std::string(catalogue::kDepartmentList);
  try {
    return catalogue::ReadListedDepartments(program_folder);
  } catch (const IoError& e) {
    if (e.SystemError() == ENOENT) throw Missing(path);
    // The system's reason follows the path in the message.
    const std::string_view message = e.what();
    const std::string reason(StartsWith(message, path + ": ") ? message.substr(path.size() + 2) : message);
    throw IoError("\"" + Utf8ToCp1254(path) + std::string("\" bölüm listesi okunamadı: "_w) + reason, e.SystemError());
  }
}

std::unique_ptr<catalogue::Database> OpenCatalogue(const std::string& program_folder) {
  const std::string path = program_folder + std::string(catalogue::kMainCatalogue);
  std::error_code error;
  // A folder that never had a term is told how to get one; a catalogue that
  // was there and is damaged, how to rebuild it.
  if (std::filesystem::symlink_status(path, error).type() == std::filesystem::file_type::not_found &&
      !std::filesystem::exists(path + ".bozuk", error)) {
    throw Missing(path);
  }
  try {
    return std::make_unique<catalogue::Database>(
        catalogue::MakeConnectionString(program_folder, catalogue::kMainCatalogue));
  } catch (const DamagedCatalogueError&) {
    throw DatabaseError(std::string(kDamagedCatalogue));
  }
}

NotFetchedError NoDepartmentsYet() {
  return NotFetchedError(std::string("Katalogda hiç bölüm yok: ders bilgileri henüz sunucudan alınmamış."_w), false);
}

}  // namespace kiremo::cli
