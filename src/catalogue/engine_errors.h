#pragma once

#include <string>
#include <string_view>

struct sqlite3;

// The engine's failures in the student's words.
namespace kiremo::catalogue {

// What a result code of the engine means, in Turkish (Windows-1254): with
// the system's reason when a system call failed, and with the table's name
// when a statement named a table that does not exist.
std::string EngineReason(sqlite3* db, int rc);

// The error a failure of the engine is, with the message "<what>: <reason>":
// DiskFullError when the disk (or the space the system grants) is full,
// DamagedCatalogueError when the file holds no catalogue (damaged, or
// another password) or lacks a table a statement named, DatabaseError
// otherwise. A zero byte in the message
// (a table name may carry one from a page) is shown as '?', since a
// message is read up to its first zero byte.
[[noreturn]] void ThrowEngineError(sqlite3* db, int rc, std::string_view what);

}  // namespace kiremo::catalogue
