#include "app/delete_folder.h"

#include <filesystem>

namespace kiremo::app {

bool DeleteFolder(const std::string& path) {
  std::error_code error;
  // A link is removed as a link: nothing outside the folder is touched.
  if (!std::filesystem::is_directory(std::filesystem::symlink_status(path, error))) return false;
  std::filesystem::remove_all(path, error);
  return !error;
}

}  // namespace kiremo::app
