#pragma once

#include <optional>
#include <string>

namespace kiremo::catalogue {

// One writer at a time: an exclusive flock(2) on a lock file in the
// catalogue folder, held for the whole of an update or an import. Readers
// take no lock. The file is removed when the lock is let go, so a folder at
// rest holds only the catalogue's own files; a holder killed by the system
// leaves the file, and its lock goes with the process.
class FolderLock {
 public:
  // The lock of `folder` (ending in "/"), or nothing when another program or
  // another update of this one holds it. IoError when the lock file cannot
  // be made (a read-only folder).
  static std::optional<FolderLock> TryAcquire(const std::string& folder);

  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

 private:
  FolderLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  void Release();

  int fd_ = -1;
  std::string path_;
};

// The lock file's name in the catalogue folder.
inline constexpr const char* kLockFileName = "kiremo.lock";

}  // namespace kiremo::catalogue
