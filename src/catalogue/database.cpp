#include "catalogue/database.h"

#include <sqlcipher/sqlite3.h>

#include <cerrno>
#include <filesystem>
#include <unordered_map>

#include "catalogue/catalogue_file_check.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/engine_errors.h"
#include "catalogue/file_system.h"
#include "catalogue/pair_reading.h"
#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::catalogue {

using Row = std::vector<std::string>;

struct Database::Cache {
  std::unordered_map<std::string, sqlite3_stmt*> statements;
};

namespace {

std::string QuoteIdentifier(std::string_view name) {
  std::string quoted = "\"";
  for (const char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  quoted += '"';
  return quoted;
}

constexpr std::string_view kNotRead = "Ders bilgileri okunamadı"_w;
constexpr std::string_view kNotWritten = "Ders bilgileri yazılamadı"_w;

// The department's table, quoted. A name with a zero byte (a course code
// from a page may hold one) would end the statement there: no table has
// such a name.
std::string QuotedTable(std::string_view department_code, std::string_view failing = kNotRead) {
  const std::string table = TableName(department_code);
  if (table.find('\0') != std::string::npos) {
    std::string shown;
    for (const char c : table) shown += c == '\0' ? '?' : c;
    throw DamagedCatalogueError(std::string(failing) + ": \"" + shown + std::string("\" tablosu yok"_w));
  }
  return QuoteIdentifier(table);
}

std::string QuoteLiteral(std::string_view value) {
  std::string quoted = "'";
  for (const char c : value) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  quoted += '\'';
  return quoted;
}

// Unlocks an encrypted file and checks that the key fits: a wrong key or a
// file that is no catalogue fails on the first read.
void Unlock(sqlite3* db, std::string_view password, const std::string& what) {
  const std::string key = "PRAGMA key = " + QuoteLiteral(password) + ";";
  int rc = sqlite3_exec(db, key.c_str(), nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) ThrowEngineError(db, sqlite3_extended_errcode(db), what);
}

// "file:" URI of a path, for the read-only open.
std::string FileUri(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '%' || byte == '?' || byte == '#' || byte < 0x20 || byte >= 0x7F) {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 0x0F];
    } else {
      uri += c;
    }
  }
  return uri;
}

std::string Quoted(const std::string& path) { return "\"" + Utf8ToCp1254(path) + "\""; }

sqlite3* OpenFile(const std::string& path, const std::string& uri, int flags) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(uri.c_str(), &db, flags | SQLITE_OPEN_FULLMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    try {
      ThrowEngineError(db, rc, Quoted(path) + std::string(" açılamadı"_w));
    } catch (...) {
      sqlite3_close(db);
      throw;
    }
  }
  sqlite3_busy_timeout(db, 30000);
  return db;
}

}  // namespace

Database::Database(std::string_view connection_string) : cache_(std::make_unique<Cache>()) {
  const ConnectionTarget target = ParseConnectionString(connection_string);
  // The main catalogue is opened as one of the pair, never mid-switch.
  std::optional<PairReading> reading;
  if (const auto program_folder = ProgramFolderOfMainCatalogue(target.path)) reading.emplace(*program_folder);
  CheckCatalogueFile(target.path);
  // In a folder that cannot be written the engine can make neither its log
  // nor its shared-memory index: the file is read as it stands.
  read_only_ = !FolderWritable(FolderOf(target.path)) || !FileWritable(target.path);
  if (read_only_) {
    db_ = OpenFile(target.path, FileUri(target.path) + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
  } else {
    db_ = OpenFile(target.path, target.path, SQLITE_OPEN_READWRITE);
  }
  const std::string what = Quoted(target.path) + std::string(" açılamadı"_w);
  try {
    Unlock(db_, target.password, what);
    if (!read_only_ && sqlite3_exec(db_, "PRAGMA journal_mode=WAL;", nullptr, nullptr, nullptr) != SQLITE_OK) {
      ThrowEngineError(db_, sqlite3_extended_errcode(db_), what);
    }
  } catch (const DamagedCatalogueError&) {
    sqlite3_close(db_);
    throw;
  } catch (const DatabaseError&) {
    sqlite3_close(db_);
    // The log and its index beside the file could not be made: with no free
    // inode (or block) left the engine says only that it cannot open.
    if (NoRoomLeft(FolderOf(target.path))) throw DiskFullError(what + ": " + ErrnoText(ENOSPC) + ".", ENOSPC);
    throw;
  } catch (...) {
    sqlite3_close(db_);
    throw;
  }
}

Database::~Database() {
  for (auto& [sql, statement] : cache_->statements) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

void Database::CreateEmpty(const std::string& path, std::string_view password) {
  std::error_code ignored;
  if (std::filesystem::exists(std::filesystem::symlink_status(path, ignored))) {
    throw DatabaseError(Quoted(path) + std::string(" zaten var."_w));
  }
  const std::string what = Quoted(path) + std::string(" oluşturulamadı"_w);
  sqlite3* db = OpenFile(path, path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  try {
    Unlock(db, password, what);
    // An empty file is written only when the first page is: make one.
    if (sqlite3_exec(db, "PRAGMA user_version = 1;", nullptr, nullptr, nullptr) != SQLITE_OK) {
      ThrowEngineError(db, sqlite3_extended_errcode(db), what);
    }
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
}

void Database::Fail(std::string_view sql) {
  ThrowEngineError(db_, sqlite3_extended_errcode(db_), StartsWith(sql, "SELECT") ? kNotRead : kNotWritten);
}

void Database::Execute(const std::string& sql) {
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail(sql);
}

sqlite3_stmt* Database::Prepare(const std::string& sql) {
  auto found = cache_->statements.find(sql);
  if (found != cache_->statements.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
    Fail(sql);
  }
  cache_->statements.emplace(sql, statement);
  return statement;
}

void Database::DropTable(std::string_view department_code) {
  // Cached statements of the table would keep referring to it.
  for (auto it = cache_->statements.begin(); it != cache_->statements.end();) {
    sqlite3_finalize(it->second);
    it = cache_->statements.erase(it);
  }
  Execute("DROP TABLE " + QuotedTable(department_code, kNotWritten));
}

void Database::CreateTable(std::string_view department_code) {
  const std::string table = TableName(department_code);
  const std::string quoted = QuoteIdentifier(table);
  Execute("CREATE TABLE " + quoted +
          " (id INTEGER PRIMARY KEY AUTOINCREMENT,CRN TEXT,ders_kodu TEXT, ders_adi TEXT,ogretmen TEXT,"
          "bina TEXT,gun TEXT,saat TEXT,derslik TEXT,blok NUMERIC,alabilenler TEXT)");
  Execute("CREATE INDEX " + QuoteIdentifier(table + "_ders_kodu") + " ON " + quoted + " (ders_kodu)");
  Execute("CREATE INDEX " + QuoteIdentifier(table + "_crn") + " ON " + quoted + " (CRN)");
}

void Database::Insert(std::string_view department_code, const SectionValues& section) {
  sqlite3_stmt* statement = Prepare("INSERT INTO " + QuotedTable(department_code, kNotWritten) +
                                    " (crn,ders_kodu,ders_adi,ogretmen,bina,gun,saat,derslik,alabilenler,blok)"
                                    " VALUES (?,?,?,?,?,?,?,?,?,?)");
  const std::string blok = std::to_string(section.blok);
  const std::string* values[] = {
      &section.crn, &section.ders_kodu, &section.ders_adi, &section.ogretmen,    &section.bina,
      &section.gun, &section.saat,      &section.derslik,  &section.alabilenler, &blok};
  sqlite3_reset(statement);
  for (int k = 0; k < 10; ++k) {
    sqlite3_bind_text(statement, k + 1, values[k]->data(), static_cast<int>(values[k]->size()), SQLITE_TRANSIENT);
  }
  const int rc = sqlite3_step(statement);
  sqlite3_reset(statement);
  if (rc != SQLITE_DONE) Fail("INSERT");
}

namespace {

std::vector<Row> ReadRows(sqlite3_stmt* statement, sqlite3* db) {
  std::vector<Row> rows;
  const int columns = sqlite3_column_count(statement);
  for (;;) {
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) {
      const int code = sqlite3_extended_errcode(db);
      sqlite3_reset(statement);
      ThrowEngineError(db, code, kNotRead);
    }
    Row row;
    row.reserve(columns);
    for (int c = 0; c < columns; ++c) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
      const int size = sqlite3_column_bytes(statement, c);
      row.emplace_back(text ? std::string(text, size) : std::string());
    }
    rows.push_back(std::move(row));
  }
  sqlite3_reset(statement);
  return rows;
}

}  // namespace

std::vector<Row> Database::Select(std::string_view columns, std::string_view department_code,
                                  std::string_view where_column, std::string_view value) {
  std::string sql = "SELECT ";
  sql += columns;
  sql += " FROM " + QuotedTable(department_code);
  if (!where_column.empty()) {
    sql += " WHERE ";
    sql += where_column;
    sql += "=?";
  }
  sql += " ORDER BY id";
  sqlite3_stmt* statement = Prepare(sql);
  sqlite3_reset(statement);
  if (!where_column.empty()) {
    sqlite3_bind_text(statement, 1, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
  }
  return ReadRows(statement, db_);
}

namespace {

// The columns of a section in the order SectionOf reads them.
constexpr std::string_view kSectionColumns = "CRN,ders_kodu,ders_adi,ogretmen,bina,gun,saat,derslik,alabilenler,blok";

SectionValues SectionOf(std::vector<std::string>& row) {
  return {std::move(row[0]), std::move(row[1]), std::move(row[2]), std::move(row[3]), std::move(row[4]),
          std::move(row[5]), std::move(row[6]), std::move(row[7]), std::move(row[8]), StrToInt(row[9])};
}

}  // namespace

std::vector<SectionValues> Database::SelectSections(std::string_view department_code, std::string_view where_column,
                                                    std::string_view value) {
  std::vector<SectionValues> sections;
  for (Row& row : Select(kSectionColumns, department_code, where_column, value)) sections.push_back(SectionOf(row));
  return sections;
}

std::vector<std::string> Database::CourseCodes(std::string_view department_code) {
  sqlite3_stmt* statement =
      Prepare("SELECT ders_kodu FROM " + QuotedTable(department_code) + " GROUP BY ders_kodu ORDER BY MIN(id)");
  sqlite3_reset(statement);
  std::vector<std::string> codes;
  for (Row& row : ReadRows(statement, db_)) codes.push_back(std::move(row[0]));
  return codes;
}

std::vector<SectionValues> Database::Sections(std::string_view department_code) {
  return SelectSections(department_code);
}

std::vector<SectionValues> Database::SectionsOfCourse(std::string_view department_code, std::string_view course_code) {
  return SelectSections(department_code, "ders_kodu", course_code);
}

std::optional<SectionValues> Database::SectionByCrn(std::string_view department_code, std::string_view crn) {
  std::vector<Row> rows = Select(kSectionColumns, department_code, "CRN", crn);
  if (rows.empty()) return std::nullopt;
  return SectionOf(rows.front());
}

std::vector<std::string> Database::CrnsOfTeacher(std::string_view department_code, std::string_view teacher) {
  std::vector<std::string> crns;
  for (Row& row : Select("CRN", department_code, "ogretmen", teacher)) crns.push_back(std::move(row[0]));
  return crns;
}

std::vector<std::string> Database::TableNames() {
  sqlite3_stmt* statement =
      Prepare("SELECT name FROM sqlite_master WHERE type='table' AND name<>'sqlite_sequence' ORDER BY name");
  sqlite3_reset(statement);
  std::vector<std::string> names;
  for (Row& row : ReadRows(statement, db_)) names.push_back(std::move(row[0]));
  return names;
}

void Database::Begin() { Execute("BEGIN IMMEDIATE"); }
void Database::Commit() { Execute("COMMIT"); }
void Database::Rollback() { Execute("ROLLBACK"); }
void Database::KeepPagesInMemory(int kibibytes) { Execute("PRAGMA cache_size = -" + std::to_string(kibibytes) + ";"); }
void Database::Checkpoint() { Execute("PRAGMA wal_checkpoint(TRUNCATE);"); }

Transaction::~Transaction() {
  if (done_) return;
  try {
    db_.Rollback();
  } catch (const Error&) {
    // Nothing left to undo: the engine has rolled back already (a full
    // disk included).
  }
}

void Transaction::Commit() {
  db_.Commit();
  done_ = true;
}

void CatalogueQuery::SetConnectionString(std::string connection_string) {
  Close();
  connection_string_ = std::move(connection_string);
}

void CatalogueQuery::Close() { db_.reset(); }

Database& CatalogueQuery::Db() {
  if (!db_) {
    if (connection_string_.empty()) throw DatabaseError(std::string("Ders bilgileri şu anda değiştiriliyor."_w));
    db_ = std::make_unique<Database>(connection_string_);
  }
  return *db_;
}

}  // namespace kiremo::catalogue
