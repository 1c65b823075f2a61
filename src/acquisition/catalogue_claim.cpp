#include "acquisition/catalogue_claim.h"

#include <filesystem>

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
  if (!CatalogueFolderWritable(program_folder)) throw ClaimRefused(ReadOnlyNotice(program_folder));
  std::optional<catalogue::FolderLock> lock = catalogue::FolderLock::TryAcquire(CatalogueFolder(program_folder));
  if (!lock) throw ClaimRefused({std::string(kCaptionNotice), std::string(kUpdateAlreadyRunning), Icon::Information});
  catalogue::TidyCatalogueFolder(program_folder);
  return std::move(*lock);
}

}  // namespace kiremo::acquisition
