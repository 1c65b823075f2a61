#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/pair_lock.h"
#include "text/errors.h"

// How readers meet the catalogue pair: never in the middle of a switch.
namespace kiremo::catalogue {

// A begun switch of the catalogue pair that a reader cannot complete: what
// is half switched is not read. The message says why.
class PendingSwitchError : public Error {
 public:
  using Error::Error;
};

// Held while a reader reads the department list or opens the main
// catalogue, so that no switch is in its middle meanwhile. A switch that a
// killed program began is completed first; PendingSwitchError when it
// cannot be (a read-only folder, a file in the way) or when an update's
// switch outlasts the reader's patience.
//
// A reading inside another on the same thread holds nothing more: the
// outer one holds the pair for both. A switch that is marked waits for the
// readings under way, and new readings wait for it, so that readers coming
// one after another never keep it out.
class PairReading {
 public:
  explicit PairReading(const std::string& program_folder);
  ~PairReading();
  PairReading(const PairReading&) = delete;
  PairReading& operator=(const PairReading&) = delete;

 private:
  std::optional<PairLock> lock_;
};

// The department list of the pair as it stands: ReadDepartmentList of
// DataBase/kodlar.dat under a PairReading.
std::vector<std::string> ReadListedDepartments(const std::string& program_folder);

// The program folder of a main catalogue's path (".../DataBase/dbase.dbs"),
// or nothing for any other file.
std::optional<std::string> ProgramFolderOfMainCatalogue(const std::string& path);

}  // namespace kiremo::catalogue
