// kiremo-cli import-pages PAGES_DIR: fills the catalogue from schedule pages
// saved as <CODE>.html, the way a full update fills it from the server, and
// writes the department list.
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "acquisition/department_list_update.h"
#include "acquisition/page_cutter.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "cli/args.h"
#include "cli/catalogue_access.h"
#include "cli/command.h"
#include "cli/output.h"
#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] = "import-pages SAYFA_KLASÖRÜ [--json]";
constexpr char kIndexPage[] = "index.html";

std::string FolderError(const std::string& folder, const std::error_code& error) {
  return "\"" + Utf8ToCp1254(folder) + std::string("\" klasörü okunamadı: "_w) + ErrnoText(error.value());
}

// The schedule pages of a folder by department code (the file name without
// ".html", in the program's code page), the index page left out.
std::map<std::string, std::string> SchedulePages(const std::string& folder) {
  std::map<std::string, std::string> pages;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) throw IoError(FolderError(folder, error));
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::filesystem::path& path = it->path();
    if (path.extension() != ".html" || path.filename() == kIndexPage || !it->is_regular_file(error)) continue;
    pages.emplace(Utf8ToCp1254(path.stem().string()), path.string());
  }
  if (error) throw IoError(FolderError(folder, error));
  return pages;
}

// The index page's order when there is one, then the pages it does not name,
// sorted; codes that differ only in letter case are one department.
std::vector<std::string> DepartmentOrder(const std::string& folder, const std::map<std::string, std::string>& pages) {
  std::vector<std::string> order;
  std::set<std::string> tables;
  const std::string index = folder + "/" + kIndexPage;
  if (std::filesystem::exists(index)) {
    for (std::string& code : acquisition::DepartmentCodesOfIndexPage(ReadWholeFile(index))) {
      // An option without text names no department.
      if (!code.empty() && tables.insert(catalogue::TableName(code)).second) order.push_back(std::move(code));
    }
  }
  for (const auto& [code, path] : pages) {
    if (tables.insert(catalogue::TableName(code)).second) order.push_back(code);
  }
  return order;
}

const std::string* PageOf(const std::map<std::string, std::string>& pages, const std::string& code) {
  for (const auto& [page_code, path] : pages) {
    if (SameTextIgnoringCase(page_code, code)) return &path;
  }
  return nullptr;
}

int ImportPages(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--json"}, {});
  args.ExpectPositional(1, kUsage);
  const std::string folder = args.Positional()[0];

  const std::map<std::string, std::string> pages = SchedulePages(folder);
  const std::vector<std::string> departments = DepartmentOrder(folder, pages);
  if (departments.empty()) {
    throw IoError("\"" + Utf8ToCp1254(folder) + std::string("\" klasöründe ders programı sayfası yok."_w));
  }

  const auto db = OpenCatalogue(context.program_folder);
  std::size_t stored = 0;
  std::vector<std::string> without_table;
  for (const std::string& code : departments) {
    const std::string* page = PageOf(pages, code);
    const auto sections = page ? acquisition::CutSchedulePage(ReadWholeFile(*page)) : std::nullopt;
    catalogue::Transaction transaction(*db);
    try {
      db->DropTable(code);
    } catch (const DatabaseError&) {
      // A new catalogue has no table to drop.
    }
    db->CreateTable(code);
    if (sections) {
      for (const auto& section : *sections) db->Insert(code, section);
      stored += sections->size();
    } else {
      without_table.push_back(code);
    }
    transaction.Commit();
  }
  db->Checkpoint();
  catalogue::WriteDepartmentList(context.program_folder + std::string(catalogue::kDepartmentList), departments);

  if (args.Has("--json")) {
    PrintJson(context.out, nlohmann::json{{"departments", departments.size()},
                                          {"sections", stored},
                                          {"without_table", JsonTexts(without_table)}});
  } else {
    PrintLine(context.out, std::to_string(departments.size()) + std::string(" bölüm, "_w) + std::to_string(stored) +
                               std::string(" şube kaydedildi."_w));
    if (!without_table.empty()) {
      std::string line("Ders tablosu olmayan bölümler:"_w);
      for (const std::string& code : without_table) line += " " + code;
      PrintLine(context.out, line);
    }
  }
  return 0;
}

const CommandRegistration registration{{"import-pages", kUsage, ImportPages}};

}  // namespace
}  // namespace kiremo::cli
