#include "catalogue/temp_tables.h"

#include <sys/stat.h>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::catalogue {

namespace {

// A log left beside the main catalogue by a program that ended without
// closing it belongs to the old file: it is folded in before the copy, so
// that the copy holds everything committed.
void FoldLeftoverLog(const std::string& program_folder, const std::string& main_path) {
  struct stat log {};
  if (::stat((main_path + "-wal").c_str(), &log) != 0) return;
  Database(MakeConnectionString(program_folder, kMainCatalogue)).Checkpoint();
}

void EmptyTables(const std::string& program_folder, const std::vector<std::string>& lines) {
  Database temp(MakeConnectionString(program_folder, kTempCatalogue));
  for (const std::string& line : lines) {
    // The line is lower-cased but not trimmed, as the list holds it.
    try {
      temp.DropTable(line);
    } catch (const DatabaseError&) {
      // The table may not exist yet.
    }
    temp.CreateTable(line);
  }
}

}  // namespace

void CreateTempTables(const std::string& program_folder, const std::vector<std::string>& lines,
                      const std::function<void(const std::string&)>& status) {
  const std::string main_path = program_folder + std::string(kMainCatalogue);
  const std::string temp_path = program_folder + std::string(kTempCatalogue);
  struct stat main {};
  if (::stat(main_path.c_str(), &main) != 0) throw DatabaseError(main_path + ": " + SystemReason());
  FoldLeftoverLog(program_folder, main_path);
  RemoveWithLogs(temp_path);
  try {
    CopyToNewFile(main_path, temp_path);
    EmptyTables(program_folder, lines);
  } catch (const Error&) {
    RemoveWithLogs(temp_path);
    throw;
  }
  status(std::string("Geçici Tablolar Yaratıldı"_w));
}

}  // namespace kiremo::catalogue
