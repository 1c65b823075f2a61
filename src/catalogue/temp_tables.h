#pragma once

#include <functional>
#include <string>

namespace kiremo::catalogue {

// Prepares the temporary catalogue of a full update: copies the main
// catalogue unless a temporary one exists already, then gives every listed
// department an empty table (DROP errors ignored, CREATE errors raised) and
// hands "Geçici Tablolar Yaratıldı" to `status`. IoError when the
// department list cannot be read, DatabaseError when the temporary
// catalogue cannot be opened or a table cannot be made; `status` then hears
// nothing.
void CreateTempTables(const std::string& program_folder, const std::function<void(const std::string&)>& status);

}  // namespace kiremo::catalogue
