#include "app/data_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"

namespace kiremo::app {

namespace {

// A variable's value when it is an absolute path, without trailing slashes.
std::string AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  std::string path = value && value[0] == '/' ? std::string(value) : std::string();
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// Creates each missing folder of `path` with mode 0700, as the base
// directory rules ask for the folders they name, and takes the last one's
// access from group and others.
void CreatePrivateFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
      throw IoError("\"" + Utf8ToCp1254(prefix) + std::string("\" klasörü oluşturulamadı: "_w) + ErrnoText(errno));
    }
  }
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    throw IoError("\"" + Utf8ToCp1254(path) + std::string("\" bir klasör değil."_w));
  }
  // A folder made earlier by other means may be open to others; the
  // settings and plans in it are the user's own. A failure leaves it usable.
  if ((info.st_mode & 077) != 0 && info.st_uid == geteuid()) chmod(path.c_str(), 0700);
}

}  // namespace

bool IsInstalledFolder(const std::string& executable_folder) {
  if (access((executable_folder + std::string(kInstalledMarker)).c_str(), F_OK) == 0) return true;
  return access(executable_folder.c_str(), W_OK) != 0;
}

std::string UserDataFolder() {
  std::string base = AbsoluteVariable("XDG_DATA_HOME");
  if (base.empty()) {
    const std::string home = AbsoluteVariable("HOME");
    if (home.empty()) return {};
    base = home + "/.local/share";
  }
  return (base == "/" ? std::string() : base) + "/kiremo/";
}

std::string DataFolder(const std::string& executable_folder) {
  if (!IsInstalledFolder(executable_folder)) return executable_folder;
  const std::string folder = UserDataFolder();
  if (folder.empty()) {
    throw IoError(std::string("Veri klasörü bulunamadı: XDG_DATA_HOME ya da HOME tam bir yol olmalı."_w));
  }
  CreatePrivateFolders(folder);
  return folder;
}

}  // namespace kiremo::app
