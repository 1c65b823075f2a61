#include "catalogue/catalogue_pair.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/file_system.h"
#include "catalogue/folder_lock.h"
#include "text/errors.h"

namespace kiremo::catalogue {

namespace {

struct Paths {
  explicit Paths(const std::string& program_folder)
      : folder(program_folder + std::string(kCatalogueFolder)),
        main(program_folder + std::string(kMainCatalogue)),
        temp(program_folder + std::string(kTempCatalogue)),
        list(program_folder + std::string(kDepartmentList)),
        list_new(program_folder + std::string(kDepartmentListNew)),
        marker(program_folder + std::string(kSwitchMarker)) {}

  std::string folder, main, temp, list, list_new, marker;
};

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// Puts the new catalogue in the main one's place. A log beside the main
// file belongs to the old file and must never be read against the new one.
void RenameCatalogue(const Paths& paths) {
  for (const char* suffix : {"-wal", "-shm", "-journal"}) ::unlink((paths.main + suffix).c_str());
  ReplaceFile(paths.temp, paths.main);
}

// The steps after the marker is down; each one that is done already is
// skipped, so a switch cut short is completed by running them again.
void FinishSwitch(const Paths& paths) {
  if (Exists(paths.temp)) RenameCatalogue(paths);
  if (Exists(paths.list_new)) ReplaceFile(paths.list_new, paths.list);
  SyncFolder(paths.folder);
  ::unlink(paths.marker.c_str());
  SyncFolder(paths.folder);
}

void FlushToDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw IoError(path + ": " + SystemReason());
  const bool flushed = ::fsync(fd) == 0;
  const std::string reason = flushed ? std::string() : SystemReason();
  ::close(fd);
  if (!flushed) throw IoError(path + ": " + reason);
}

}  // namespace

void SwitchInNewPair(const std::string& program_folder) {
  const Paths paths(program_folder);
  // The new catalogue's writers have closed their connections, but rows may
  // still be in its log: several closes at about the same time each leave
  // the folding to the last, which none of them knows itself to be.
  Database(MakeConnectionString(program_folder, kTempCatalogue)).Checkpoint();
  for (const char* suffix : {"-wal", "-shm"}) ::unlink((paths.temp + suffix).c_str());
  FlushToDisk(paths.temp);
  FlushToDisk(paths.list_new);
  WriteFileAtomically(paths.marker, {});
  try {
    RenameCatalogue(paths);
  } catch (const Error&) {
    // Nothing has moved yet: the old pair stays whole.
    ::unlink(paths.marker.c_str());
    throw;
  }
  FinishSwitch(paths);
}

bool TidyCatalogueFolder(const std::string& program_folder) {
  const Paths paths(program_folder);
  if (Exists(paths.marker)) {
    FinishSwitch(paths);
    return true;
  }
  RemoveNewPair(program_folder);
  return false;
}

void RemoveNewPair(const std::string& program_folder) {
  const Paths paths(program_folder);
  if (Exists(paths.marker)) return;  // a begun switch is completed, never undone
  RemoveWithLogs(paths.temp);
  ::unlink(paths.list_new.c_str());
}

void CompleteInterruptedSwitch(const std::string& program_folder) noexcept {
  const Paths paths(program_folder);
  if (!Exists(paths.marker) || !FolderWritable(paths.folder)) return;
  try {
    const std::optional<FolderLock> lock = FolderLock::TryAcquire(paths.folder);
    if (lock && Exists(paths.marker)) FinishSwitch(paths);
  } catch (const std::exception&) {
    // The next update completes it.
  }
}

}  // namespace kiremo::catalogue
