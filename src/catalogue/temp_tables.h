#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kiremo::catalogue {

// Prepares the temporary catalogue of a full update: any temporary
// catalogue left by an earlier run is removed with its logs, the main
// catalogue (its leftover log folded in first) is copied afresh, and every department of `lines` (the new
// department list, each line lower-cased but not trimmed) gets an empty
// table (DROP errors ignored, CREATE errors raised); then "Geçici Tablolar
// Yaratıldı" goes to `status`. DatabaseError when the main catalogue is
// missing, empty or damaged or a table cannot be made; IoError (DiskFullError
// when there is no room) when the copy fails. On any failure the temporary
// catalogue is removed and `status` hears nothing. The caller has closed
// its own connections to the main catalogue.
void CreateTempTables(const std::string& program_folder, const std::vector<std::string>& lines,
                      const std::function<void(const std::string&)>& status);

}  // namespace kiremo::catalogue
