#include "acquisition/catalogue_claim.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "acquisition/messages.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/catalogue_pair.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"

namespace kiremo::acquisition {

namespace {

std::string CatalogueFolder(const std::string& program_folder) {
  return program_folder + std::string(catalogue::kCatalogueFolder);
}

// What stands where the catalogue folder should be, when it is no folder:
// nothing, or something else than a folder.
std::optional<Notice> NoFolderNotice(const std::string& program_folder) {
  std::string folder = CatalogueFolder(program_folder);
  folder.pop_back();
  struct stat info {};
  const bool exists = ::stat(folder.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) return std::nullopt;
  const std::string quoted = "\"" + Utf8ToCp1254(folder) + "\"";
  return Notice{std::string(kCaptionError),
                quoted + std::string(exists ? " bir klasör değil; ders bilgileri bu adda bir klasörde durur."_w
                                            : " klasörü yok; ders bilgileri bu klasörde durur."_w),
                Icon::Error};
}

}  // namespace

bool CatalogueFolderWritable(const std::string& program_folder) {
  const std::string folder = CatalogueFolder(program_folder);
  const std::string main = program_folder + std::string(catalogue::kMainCatalogue);
  std::error_code ignored;
  return FolderWritable(folder) && (FileWritable(main) || !std::filesystem::exists(main, ignored));
}

Notice ReadOnlyNotice(const std::string& program_folder) {
  std::string folder = Utf8ToCp1254(CatalogueFolder(program_folder));
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return {std::string(kCaptionError), ReadOnlyFolderText(folder), Icon::Error};
}

catalogue::FolderLock ClaimCatalogueFolder(const std::string& program_folder) {
  if (const std::optional<Notice> notice = NoFolderNotice(program_folder)) throw ClaimRefused(*notice);
  if (!CatalogueFolderWritable(program_folder)) throw ClaimRefused(ReadOnlyNotice(program_folder));
  std::optional<catalogue::FolderLock> lock = catalogue::FolderLock::TryAcquire(CatalogueFolder(program_folder));
  if (!lock) throw ClaimRefused({std::string(kCaptionNotice), std::string(kUpdateAlreadyRunning), Icon::Information});
  catalogue::TidyCatalogueFolder(program_folder);
  return std::move(*lock);
}

}  // namespace kiremo::acquisition
