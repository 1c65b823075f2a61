// kiremo-cli init: an empty catalogue and an empty department list, made
// only where they are missing.
#include <filesystem>
#include <system_error>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "cli/args.h"
#include "cli/command.h"
#include "cli/output.h"
#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] = "init [--json]";

int Init(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--json"}, {});
  args.ExpectPositional(0, kUsage);

  const std::string database_folder = context.program_folder + "DataBase";
  std::error_code error;
  std::filesystem::create_directories(database_folder, error);
  if (error) {
    throw IoError("\"" + Utf8ToCp1254(database_folder) + std::string("\" klasörü oluşturulamadı: "_w) +
                  ErrnoText(error.value()));
  }

  nlohmann::json created = nlohmann::json::object();
  const std::string catalogue_path = context.program_folder + std::string(catalogue::kMainCatalogue);
  const bool new_catalogue = !std::filesystem::exists(catalogue_path);
  if (new_catalogue) catalogue::Database::CreateEmpty(catalogue_path, catalogue::kPassword);
  created[std::string(catalogue::kMainCatalogue)] = new_catalogue;

  const std::string list_path = context.program_folder + std::string(catalogue::kDepartmentList);
  const bool new_list = !std::filesystem::exists(list_path);
  if (new_list) catalogue::WriteDepartmentList(list_path, {});
  created[std::string(catalogue::kDepartmentList)] = new_list;

  if (args.Has("--json")) {
    PrintJson(context.out, nlohmann::json{{"created", created}});
  } else {
    for (const auto& [file, made] : created.items()) {
      PrintLine(context.out, file + std::string(made.get<bool>() ? " oluşturuldu."_w : " zaten var, dokunulmadı."_w));
    }
  }
  return 0;
}

const CommandRegistration registration{{"init", kUsage, Init}};

}  // namespace
}  // namespace kiremo::cli
