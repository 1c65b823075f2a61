#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kiremo::catalogue {

// Prepares the temporary catalogue of a full update. Any temporary
// catalogue left by an earlier run is removed with its logs; the main
// catalogue (its leftover log folded in first) is copied afresh; in one
// transaction every department of `lines` (the new department list, each
// line lower-cased but not trimmed) gets an empty table (DROP errors
// ignored, CREATE errors raised) and the tables of departments no longer
// listed are dropped; then "Geçici Tablolar Yaratıldı" goes to `status`.
//
// The update needs nothing of the old catalogue: a main catalogue that is
// missing, or that cannot be copied or prepared (damaged, not a regular
// file, another password), gives way to a new, empty one, and a damaged
// file is set aside as DataBase/dbase.dbs.bozuk until the switch (an update
// that ends without one puts it back). True when the main catalogue was set
// aside so.
//
// DatabaseError when a table of the new catalogue cannot be made; IoError
// (DiskFullError when there is no room) when a file cannot be written. On
// any failure the temporary catalogue is removed, the main one is where it
// was, and `status` hears nothing. The caller holds the folder's lock and
// has closed its own connections to the main catalogue.
bool CreateTempTables(const std::string& program_folder, const std::vector<std::string>& lines,
                      const std::function<void(const std::string&)>& status);

}  // namespace kiremo::catalogue
