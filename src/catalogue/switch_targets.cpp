#include "catalogue/switch_targets.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"

namespace kiremo::catalogue {

namespace {

// The system allows no more than this many links in one path either.
constexpr int kMaxLinks = 40;

std::string Folder(const std::string& path) {
  std::string folder = FolderOf(path);
  if (folder.size() > 1) folder.pop_back();
  return folder;
}

}  // namespace

std::string QuotedPath(const std::string& path) { return "\"" + Utf8ToCp1254(path) + "\""; }

std::string FinalTarget(const std::string& name) {
  std::string path = name;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t size = ::readlink(path.c_str(), target.data(), target.size());
    if (size < 0) throw IoError(QuotedPath(name) + ": " + ErrnoText(errno), errno);
    target.resize(static_cast<std::size_t>(size));
    path = !target.empty() && target.front() == '/' ? target : FolderOf(path) + target;
  }
  throw IoError(QuotedPath(name) + ": " + ErrnoText(ELOOP), ELOOP);
}

std::string CheckSwitchTarget(const std::string& fresh, const std::string& name) {
  const std::string target = FinalTarget(name);
  struct stat info {};
  if (::lstat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw IoError(QuotedPath(target) + std::string(" bir klasör; yerine dosya konamaz"_w), EISDIR);
  }
  const std::string folder = Folder(target);
  if (!FolderWritable(folder)) {
    throw IoError(QuotedPath(folder) + std::string(" klasörüne yazılamıyor"_w), EACCES);
  }
  struct stat there {};
  struct stat here {};
  if (::stat(folder.c_str(), &there) != 0 || ::stat(fresh.c_str(), &here) != 0) {
    throw IoError(QuotedPath(target) + ": " + ErrnoText(errno), errno);
  }
  if (there.st_dev != here.st_dev) {
    throw IoError(QuotedPath(name) + std::string(" başka bir dosya sistemindeki "_w) + QuotedPath(target) +
                      std::string(" dosyasına bağlantı; yeni dosya oraya tek adımda konamaz"_w),
                  EXDEV);
  }
  return target;
}

}  // namespace kiremo::catalogue
