#include "catalogue/engine_errors.h"

#include <sqlcipher/sqlite3.h>

#include <cerrno>

#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::catalogue {

namespace {

bool DiskFull(int primary, int system) {
  return primary == SQLITE_FULL || system == ENOSPC || system == EDQUOT || system == EFBIG;
}

// The codes that come from a failed system call, whose reason is worth telling.
bool FromTheSystem(int primary) {
  return primary == SQLITE_CANTOPEN || primary == SQLITE_IOERR || primary == SQLITE_FULL ||
         primary == SQLITE_READONLY || primary == SQLITE_PERM;
}

std::string MissingTable(sqlite3* db) {
  constexpr std::string_view kPrefix = "no such table: ";
  const std::string_view message = db ? sqlite3_errmsg(db) : "";
  if (!StartsWith(message, kPrefix)) return {};
  return "\"" + std::string(message.substr(kPrefix.size())) + std::string("\" tablosu yok"_w);
}

std::string Reason(int primary, sqlite3* db) {
  switch (primary) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return std::string("dosya bozuk ya da bir ders veritabanı değil"_w);
    case SQLITE_CANTOPEN: return std::string("dosya açılamadı"_w);
    case SQLITE_IOERR: return std::string("disk okunurken ya da yazılırken hata oldu"_w);
    case SQLITE_FULL: return std::string("diskte yer kalmadı"_w);
    case SQLITE_READONLY: return std::string("dosyaya yazılamıyor"_w);
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return std::string("dosyayı şu anda başka bir program kullanıyor"_w);
    case SQLITE_NOMEM: return std::string("bellek yetmedi"_w);
    case SQLITE_PERM:
    case SQLITE_AUTH: return std::string("erişim izni yok"_w);
    case SQLITE_TOOBIG: return std::string("bir değer çok büyük"_w);
    case SQLITE_CONSTRAINT: return std::string("kayıt veritabanının bir kuralına uymuyor"_w);
    default: break;
  }
  const std::string table = MissingTable(db);
  if (!table.empty()) return table;
  return std::string("veritabanı hatası "_w) + std::to_string(primary);
}

}  // namespace

std::string EngineReason(sqlite3* db, int rc) {
  const int primary = rc & 0xFF;
  std::string reason = Reason(primary, db);
  const int system = db ? sqlite3_system_errno(db) : 0;
  if (system != 0 && FromTheSystem(primary)) reason += " (" + ErrnoText(system) + ")";
  return reason;
}

void ThrowEngineError(sqlite3* db, int rc, std::string_view what) {
  const int primary = rc & 0xFF;
  const int system = db && FromTheSystem(primary) ? sqlite3_system_errno(db) : 0;
  std::string text;
  for (const char c : std::string(what) + ": " + EngineReason(db, rc)) text += c == '\0' ? '?' : c;
  if (DiskFull(primary, system)) throw DiskFullError(text, system);
  // A table missing for a listed department is a catalogue at odds with its
  // list, which a full update mends like a damaged file.
  if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || !MissingTable(db).empty()) {
    throw DamagedCatalogueError(text);
  }
  throw DatabaseError(text);
}

}  // namespace kiremo::catalogue
