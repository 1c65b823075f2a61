#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/section_values.h"

struct sqlite3;
struct sqlite3_stmt;

namespace kiremo::catalogue {

// One connection to an encrypted catalogue file. Values are always bound,
// table names always quoted; rows come back in the order they were stored.
// Every failure is a DatabaseError whose message says in Turkish what went
// wrong (a DamagedCatalogueError when the file holds no catalogue), but one
// that finds the disk full, which is a DiskFullError. A connection belongs
// to one thread.
class Database {
 public:
  // Opens an existing catalogue named by a connection string. A missing
  // file, an empty one, one that is not a regular file (a pipe would stall
  // the first read for ever), a damaged one or a wrong password is a
  // DamagedCatalogueError; a catalogue folder that is not a folder, or a
  // file the system will not read, a DatabaseError. The main catalogue of
  // a program folder is opened under a PairReading, never mid-switch. A
  // file in a folder that cannot be written is opened for reading only.
  explicit Database(std::string_view connection_string);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Creates a new, empty encrypted catalogue; fails if the file exists.
  static void CreateEmpty(const std::string& path, std::string_view password);

  // DROP TABLE of the department's table.
  void DropTable(std::string_view department_code);
  // The department table with its columns in the fixed order, and the
  // indexes on ders_kodu and CRN that the readers' lookups need.
  void CreateTable(std::string_view department_code);
  void Insert(std::string_view department_code, const SectionValues& section);

  // The typed reads of a department's table; rows in the order they were
  // stored. A table that does not exist is a DatabaseError.
  //
  // The department's distinct course codes, in order of first appearance.
  std::vector<std::string> CourseCodes(std::string_view department_code);
  // Every section of the table.
  std::vector<SectionValues> Sections(std::string_view department_code);
  // The sections whose ders_kodu is the course code.
  std::vector<SectionValues> SectionsOfCourse(std::string_view department_code, std::string_view course_code);
  // The first section stored with this CRN, if any.
  std::optional<SectionValues> SectionByCrn(std::string_view department_code, std::string_view crn);
  // The CRNs of every section of the table that the teacher gives.
  std::vector<std::string> CrnsOfTeacher(std::string_view department_code, std::string_view teacher);

  std::vector<std::string> TableNames();

  // Opened for reading only: every write fails.
  bool ReadOnly() const { return read_only_; }

  void Begin();
  void Commit();
  void Rollback();

  // Folds the write-ahead log into the file, so that a plain copy of the
  // file holds everything committed.
  void Checkpoint();

  // Lets the connection keep up to `kibibytes` of the file's pages in
  // memory, for work that reads the whole schema again and again (dropping
  // and making many tables) instead of reading it from the disk each time.
  void KeepPagesInMemory(int kibibytes);

 private:
  using Row = std::vector<std::string>;
  // SELECT <columns> FROM <code>_tb [WHERE <column> = value] ORDER BY id.
  std::vector<Row> Select(std::string_view columns, std::string_view department_code,
                          std::string_view where_column = {}, std::string_view value = {});
  std::vector<SectionValues> SelectSections(std::string_view department_code, std::string_view where_column = {},
                                            std::string_view value = {});
  void Execute(const std::string& sql);
  sqlite3_stmt* Prepare(const std::string& sql);
  [[noreturn]] void Fail(std::string_view what);

  sqlite3* db_ = nullptr;
  bool read_only_ = false;
  struct Cache;
  std::unique_ptr<Cache> cache_;
};

// Runs a block of writes as one transaction; rolled back unless committed.
class Transaction {
 public:
  explicit Transaction(Database& db) : db_(db) { db_.Begin(); }
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Database& db_;
  bool done_ = false;
};

// The window's query object: a connection string, and a connection opened
// by the first statement after it was set.
class CatalogueQuery {
 public:
  CatalogueQuery() = default;
  explicit CatalogueQuery(std::string connection_string) : connection_string_(std::move(connection_string)) {}

  const std::string& ConnectionString() const { return connection_string_; }
  // Closes the open connection; the next statement opens the new target.
  void SetConnectionString(std::string connection_string);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }

  // The open connection, opened now if needed.
  Database& Db();

 private:
  std::string connection_string_;
  std::unique_ptr<Database> db_;
};

}  // namespace kiremo::catalogue
