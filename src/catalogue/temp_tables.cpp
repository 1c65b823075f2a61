#include "catalogue/temp_tables.h"

#include <sys/stat.h>

#include <set>

#include "catalogue/catalogue_files.h"
#include "catalogue/catalogue_pair.h"
#include "catalogue/database.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

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

// In one transaction: the listed departments' tables emptied (each line is
// lower-cased but not trimmed, as the list holds it) and the tables of
// departments no longer listed dropped, so that the new catalogue holds the
// listed departments and nothing else.
void PrepareTables(const std::string& program_folder, const std::vector<std::string>& lines) {
  Database temp(MakeConnectionString(program_folder, kTempCatalogue));
  // Every DROP and CREATE reads the schema again: a thousand departments
  // would otherwise read it from the disk a thousand times.
  temp.KeepPagesInMemory(64 * 1024);
  Transaction transaction(temp);
  std::set<std::string> listed;
  for (const std::string& line : lines) listed.insert(TableName(line));
  for (const std::string& table : temp.TableNames()) {
    if (EndsWith(table, "_tb") && listed.count(LowerAscii(table)) == 0) {
      temp.DropTable(std::string_view(table).substr(0, table.size() - 3));
    }
  }
  for (const std::string& line : lines) {
    try {
      temp.DropTable(line);
    } catch (const DatabaseError&) {
      // The table may not exist yet.
    }
    temp.CreateTable(line);
  }
  transaction.Commit();
}

// The described start: a copy of the main catalogue.
void StartFromTheMainCatalogue(const std::string& program_folder, const std::vector<std::string>& lines) {
  const std::string main_path = program_folder + std::string(kMainCatalogue);
  FoldLeftoverLog(program_folder, main_path);
  CopyToNewFile(main_path, program_folder + std::string(kTempCatalogue));
  PrepareTables(program_folder, lines);
}

// The start when the main catalogue cannot serve: a new, empty catalogue.
void StartAfresh(const std::string& program_folder, const std::vector<std::string>& lines) {
  Database::CreateEmpty(program_folder + std::string(kTempCatalogue), kPassword);
  PrepareTables(program_folder, lines);
}

}  // namespace

bool CreateTempTables(const std::string& program_folder, const std::vector<std::string>& lines,
                      const std::function<void(const std::string&)>& status) {
  const std::string temp_path = program_folder + std::string(kTempCatalogue);
  RemoveWithLogs(temp_path);
  bool set_aside = false;
  try {
    try {
      StartFromTheMainCatalogue(program_folder, lines);
    } catch (const DiskFullError&) {
      throw;
    } catch (const Error&) {
      // Missing, damaged, not a regular file, another password: the new
      // catalogue needs nothing of the old one but its place.
      RemoveWithLogs(temp_path);
      set_aside = SetAsideMainCatalogue(program_folder);
      StartAfresh(program_folder, lines);
    }
  } catch (const Error&) {
    RemoveNewPair(program_folder);
    throw;
  }
  status(std::string("Geçici Tablolar Yaratıldı"_w));
  return set_aside;
}

}  // namespace kiremo::catalogue
