#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/errors.h"

// File operations for files that hold data. A replacement is written beside
// its target under a name nobody can plant beforehand and renamed over it,
// so a crash never leaves a half-written or missing file; a reader takes
// only a regular file of a size that fits what it expects, so a pipe, a
// device or a runaway file never stalls it.
namespace kiremo {

inline constexpr std::size_t kMebibyte = 1024 * 1024;
// What each reader takes at most: settings and the department list are a
// few lines, a schedule page a few hundred kilobytes (the largest
// department's about 300 KB), so that five pages at once in a full update
// stay small however much a broken server sends.
inline constexpr std::size_t kSettingsFileLimit = 1 * kMebibyte;
inline constexpr std::size_t kDepartmentListLimit = 1 * kMebibyte;
inline constexpr std::size_t kSchedulePageLimit = 4 * kMebibyte;

// A file that is not what a reader takes: not a regular file, or larger than
// it reads. The message is "<path>: <reason>" like any IoError's.
class FileShapeError : public IoError {
 public:
  enum class Shape { NotRegular, TooLarge };
  FileShapeError(const std::string& message, Shape shape) : IoError(message), shape_(shape) {}
  Shape Kind() const { return shape_; }

 private:
  Shape shape_;
};

// The whole file. IoError "<path>: <reason>" when it cannot be read,
// FileShapeError when it is not a regular file or holds more than `limit`
// bytes.
std::string ReadWholeFile(const std::string& path, std::size_t limit = kSchedulePageLimit);

// Whether a write may go through the symbolic link, by the rule of the
// kernel's link protection (fs.protected_symlinks): a link in a folder that
// is sticky and writable by everyone (like /tmp) is followed only when it
// belongs to the writer or to the folder's owner; any other link is. True
// for a path that is no link.
bool MayFollowLink(const std::string& link);

// The file a write to `path` replaces: the path itself, or the file that the
// symbolic link at the path leads to, link after link, each one allowed by
// MayFollowLink. IoError "<path>: <reason>" when a link may not be followed
// (the reason names it, in Windows-1254), leads nowhere or loops.
std::string WriteTarget(const std::string& path);

// Writes the bytes to a new file beside the target (created exclusively,
// never through a link), flushes it and renames it over the target. The
// target's permissions and owner are kept; when the target is a symbolic
// link, the file it leads to is replaced and the link stays (WriteTarget
// says which file, or refuses). IoError (with the system's reason) on any
// failure, DiskFullError when there is no room; the target is then
// unchanged and the new file is gone.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Renames a file over another in one step. IoError on failure.
void ReplaceFile(const std::string& from, const std::string& to);

// Copies a regular file to a new file `to`, which must not exist, and
// flushes it. FileShapeError when `from` is not a regular file (a pipe is
// never waited on); IoError (DiskFullError when there is no room) on any
// other failure, with nothing left at `to`.
void CopyToNewFile(const std::string& from, const std::string& to);

// Removes a database file together with its write-ahead log and its
// shared-memory index; what is not there is no failure.
void RemoveWithLogs(const std::string& path);

// Whether new files can be made in the folder. A folder whose permissions
// grant writing to nobody counts as read-only for every user, so that a
// folder marked read-only is left alone by an administrator too.
bool FolderWritable(const std::string& folder);

// Whether the file exists and can be written in place, by the same rule.
bool FileWritable(const std::string& path);

// Flushes a folder's entries (made, renamed and removed files) to the disk;
// a failure is ignored.
void SyncFolder(const std::string& folder);

// The folder part of a path, ending in "/"; "./" for a bare name.
std::string FolderOf(const std::string& path);

// The system's reason for the last failed call (ErrnoText of errno).
std::string SystemReason();

}  // namespace kiremo
