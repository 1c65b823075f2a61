#include "catalogue/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "catalogue/file_system.h"
#include "text/errors.h"

namespace kiremo::catalogue {

namespace {

// Whether the descriptor is still the file at the path: a holder removes
// the file just before it lets go, so a lock won on a removed file is void.
bool StillThere(int fd, const std::string& path) {
  struct stat held {};
  struct stat named {};
  return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

}  // namespace

std::optional<FolderLock> FolderLock::TryAcquire(const std::string& folder) {
  const std::string path = folder + kLockFileName;
  for (;;) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
      // No free inode is a full disk too.
      const int error = errno;
      if (error == ENOSPC || error == EDQUOT) throw DiskFullError(path + ": " + SystemReason(), error);
      throw IoError(path + ": " + SystemReason(), error);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) return std::nullopt;
      errno = error;
      throw IoError(path + ": " + SystemReason());
    }
    if (StillThere(fd, path)) return FolderLock(fd, path);
    ::close(fd);
  }
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

FolderLock::~FolderLock() { Release(); }

void FolderLock::Release() {
  if (fd_ < 0) return;
  // Removed while still held, so that nobody locks a file on its way out.
  ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
}

}  // namespace kiremo::catalogue
