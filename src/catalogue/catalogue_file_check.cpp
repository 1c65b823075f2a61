#include "catalogue/catalogue_file_check.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cerrno>

#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"

namespace kiremo::catalogue {

namespace {

std::string Quoted(const std::string& path) { return "\"" + Utf8ToCp1254(path) + "\""; }

}  // namespace

void CheckCatalogueFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    std::string folder = FolderOf(path);
    folder.pop_back();
    struct stat folder_info {};
    if (error == ENOTDIR || (::stat(folder.c_str(), &folder_info) == 0 && !S_ISDIR(folder_info.st_mode))) {
      throw DatabaseError(Quoted(folder) + std::string(" bir klasör değil; ders bilgileri bu klasörde durur."_w));
    }
    if (error == ENOENT && ::stat(folder.c_str(), &folder_info) != 0) {
      throw DamagedCatalogueError(Quoted(folder) + std::string(" klasörü yok."_w));
    }
    if (error == ENOENT) throw DamagedCatalogueError(Quoted(path) + std::string(" dosyası yok."_w));
    throw DatabaseError(Quoted(path) + std::string(" okunamadı: "_w) + ErrnoText(error) + ".");
  }
  if (!S_ISREG(info.st_mode)) {
    throw DamagedCatalogueError(Quoted(path) + std::string(" sıradan bir dosya değil."_w));
  }
  if (info.st_size == 0) throw DamagedCatalogueError(Quoted(path) + std::string(" dosyası boş."_w));
  for (const char* suffix : {"-wal", "-shm", "-journal"}) {
    const std::string log = path + suffix;
    if (::stat(log.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
      throw DamagedCatalogueError(Quoted(log) + std::string(" sıradan bir dosya değil."_w));
    }
  }
}

bool NoRoomLeft(const std::string& folder) {
  struct statvfs info {};
  return ::statvfs(folder.c_str(), &info) == 0 && (info.f_favail == 0 || info.f_bavail == 0);
}

}  // namespace kiremo::catalogue
