#include "catalogue/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"

namespace kiremo {

namespace {

// A failed system call inside a step that cleans up before it reports.
struct SystemFailure {
  int error;
};

// Closes a file descriptor when it goes out of scope.
struct Descriptor {
  int fd = -1;
  Descriptor() = default;
  explicit Descriptor(int opened) : fd(opened) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
  int Release() {
    const int closing = fd;
    fd = -1;
    return ::close(closing);
  }
};

std::string Reason(int error) { return ErrnoText(error); }

[[noreturn]] void Fail(const std::string& path, int error) {
  const std::string text = path + ": " + Reason(error);
  if (error == ENOSPC || error == EDQUOT || error == EFBIG) throw DiskFullError(text, error);
  throw IoError(text, error);
}

[[noreturn]] void NotRegular(const std::string& path) {
  throw FileShapeError(path + std::string(": sıradan bir dosya değil"_w), FileShapeError::Shape::NotRegular);
}

// A file of this kind is refused; a folder with the system's own words.
[[noreturn]] void Refuse(const std::string& path, const struct stat& info) {
  if (S_ISDIR(info.st_mode)) Fail(path, EISDIR);
  NotRegular(path);
}

bool Writable(const struct stat& info, const std::string& path) {
  return (info.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// A name for a new file beside `target` that nobody can guess beforehand.
std::string TemporaryName(const std::string& target) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  const std::size_t slash = target.rfind('/');
  std::string name = FolderOf(target) + "." + target.substr(slash == std::string::npos ? 0 : slash + 1) + ".";
  for (int k = 0; k < 12; ++k) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

// The kernel's own bound on the links one path may go through.
constexpr int kMostLinks = 40;

// The link's text as a path: a relative one counts from the link's folder.
// A failure is told as one of writing `path`.
std::string LinkTarget(const std::string& path, const std::string& link) {
  std::string text(4096, '\0');
  const ssize_t n = ::readlink(link.c_str(), text.data(), text.size());
  if (n < 0) Fail(path, errno);
  if (static_cast<std::size_t>(n) == text.size()) Fail(path, ENAMETOOLONG);
  text.resize(static_cast<std::size_t>(n));
  return text.starts_with('/') ? text : FolderOf(link) + text;
}

[[noreturn]] void RefuseLink(const std::string& path, const std::string& link) {
  throw IoError(path + ": \"" + Utf8ToCp1254(link) +
                    std::string("\", herkesin yazabildiği bir klasörde başka bir kullanıcıya ait bir bağlantı; "
                                "güvenlik için izlenmedi"_w),
                EACCES);
}

}  // namespace

bool MayFollowLink(const std::string& link) {
  struct stat info {};
  struct stat folder {};
  if (::lstat(link.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
  if (::stat(FolderOf(link).c_str(), &folder) != 0) return false;
  const bool shared = (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
  return !shared || info.st_uid == ::geteuid() || info.st_uid == folder.st_uid;
}

std::string WriteTarget(const std::string& path) {
  std::string current = path;
  for (int links = 0;; ++links) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0) {
      // A missing file is made; a link that leads nowhere is refused.
      if (errno == ENOENT && links == 0) return path;
      Fail(path, errno);
    }
    if (!S_ISLNK(info.st_mode)) return current;
    if (links == kMostLinks) Fail(path, ELOOP);
    if (!MayFollowLink(current)) RefuseLink(path, current);
    current = LinkTarget(path, current);
  }
}

namespace {

void WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw SystemFailure{errno};
    }
    written += static_cast<std::size_t>(n);
  }
}

// Creates the new file beside the target with the target's permissions and
// owner, writes and flushes it; returns its name. Nothing is left behind on
// failure.
std::string WriteBeside(const std::string& path, const std::string& target, std::string_view bytes) {
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) Refuse(path, old);
  struct stat folder {};
  if (::stat(FolderOf(target).c_str(), &folder) != 0) Fail(path, errno);
  if (!Writable(folder, FolderOf(target))) Fail(path, EACCES);
  std::string name;
  Descriptor file;
  for (int attempt = 0; attempt < 16 && file.fd < 0; ++attempt) {
    name = TemporaryName(target);
    file.fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, exists ? 0600 : 0644);
    if (file.fd < 0 && errno != EEXIST) Fail(path, errno);
  }
  if (file.fd < 0) Fail(path, EEXIST);
  try {
    if (exists) {
      if (::fchmod(file.fd, old.st_mode & 0777) != 0) throw SystemFailure{errno};
      // Only an administrator rewriting someone else's file gets here; the
      // owner may keep a file only they can read.
      if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(file.fd, old.st_uid, old.st_gid) != 0 &&
          (old.st_mode & 0077) == 0) {
        throw SystemFailure{errno};
      }
    }
    WriteAll(file.fd, bytes);
    if (::fsync(file.fd) != 0) throw SystemFailure{errno};
    if (file.Release() != 0) throw SystemFailure{errno};
  } catch (const SystemFailure& failure) {
    ::unlink(name.c_str());
    Fail(path, failure.error);
  }
  return name;
}

}  // namespace

std::string SystemReason() { return Reason(errno); }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string ReadWholeFile(const std::string& path, std::size_t limit) {
  // Without O_NONBLOCK, opening a pipe nobody writes to would wait for ever.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.fd < 0) Fail(path, errno);
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) Fail(path, errno);
  if (!S_ISREG(info.st_mode)) Refuse(path, info);
  const auto too_large = [&] {
    throw FileShapeError(path + std::string(": dosya çok büyük (en çok "_w) + std::to_string(limit / kMebibyte) +
                             std::string(" MB okunur)"_w),
                         FileShapeError::Shape::TooLarge);
  };
  if (static_cast<std::size_t>(info.st_size) > limit) too_large();
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
    if (n == 0) return bytes;
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path, errno);
    }
    // The file may grow while it is read.
    if (bytes.size() + static_cast<std::size_t>(n) > limit) too_large();
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = WriteTarget(path);
  const std::string fresh = WriteBeside(path, target, bytes);
  if (::rename(fresh.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(fresh.c_str());
    Fail(path, error);
  }
  SyncFolder(FolderOf(target));
}

void ReplaceFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) Fail(to, errno);
}

void CopyToNewFile(const std::string& from, const std::string& to) {
  // As for reading: a pipe at `from` must be refused, not waited on.
  const Descriptor in(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (in.fd < 0) Fail(from, errno);
  struct stat info {};
  if (::fstat(in.fd, &info) != 0) Fail(from, errno);
  if (!S_ISREG(info.st_mode)) Refuse(from, info);
  Descriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, info.st_mode & 0777));
  if (out.fd < 0) Fail(to, errno);
  try {
    std::string buffer(kMebibyte, '\0');
    for (;;) {
      const ssize_t n = ::read(in.fd, buffer.data(), buffer.size());
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        throw SystemFailure{errno};
      }
      WriteAll(out.fd, std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    }
    if (::fsync(out.fd) != 0) throw SystemFailure{errno};
    if (out.Release() != 0) throw SystemFailure{errno};
  } catch (const SystemFailure& failure) {
    ::unlink(to.c_str());
    Fail(to, failure.error);
  }
}

void RemoveWithLogs(const std::string& path) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) ::unlink((path + suffix).c_str());
}

bool FolderWritable(const std::string& folder) {
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && Writable(info, folder);
}

bool FileWritable(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && Writable(info, path);
}

void SyncFolder(const std::string& folder) {
  const Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (handle.fd >= 0) ::fsync(handle.fd);
}

}  // namespace kiremo
