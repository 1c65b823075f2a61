#include "app/first_start.h"

#include <filesystem>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"

namespace kiremo::app {

bool PrepareEmptyCatalogue(const std::string& data_folder) {
  const std::string catalogue_path = data_folder + std::string(catalogue::kMainCatalogue);
  if (std::filesystem::exists(catalogue_path)) return false;
  const std::string database_folder = data_folder + "DataBase";
  std::error_code error;
  std::filesystem::create_directories(database_folder, error);
  if (error) {
    throw IoError("\"" + Utf8ToCp1254(database_folder) + std::string("\" klasörü oluşturulamadı: "_w) +
                  ErrnoText(error.value()));
  }
  catalogue::Database::CreateEmpty(catalogue_path, catalogue::kPassword);
  const std::string list_path = data_folder + std::string(catalogue::kDepartmentList);
  if (!std::filesystem::exists(list_path)) catalogue::WriteDepartmentList(list_path, {});
  return true;
}

Notice NoCatalogueNotice() {
  return {"Bilgi",
          std::string("Henüz ders kataloğu yok, bu yüzden bölüm listeleri boş. Kataloğu indirmek için "
                      "\"Program\" menüsünden \"Veri Al/Güncelle\"yi seç; bir iki dakika sürebilir."_w),
          Icon::Information};
}

}  // namespace kiremo::app
