// kiremo-cli import-pages PAGES_DIR: fills the catalogue from schedule pages
// saved as <CODE>.html, the way a full update fills it from the server, and
// switches it in together with the department list.
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "acquisition/catalogue_claim.h"
#include "acquisition/department_list_update.h"
#include "acquisition/messages.h"
#include "acquisition/page_cutter.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/catalogue_pair.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "catalogue/temp_tables.h"
#include "cli/args.h"
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
      if (!code.empty() && acquisition::IsDepartmentCode(code) && tables.insert(catalogue::TableName(code)).second) {
        order.push_back(std::move(code));
      }
    }
  }
  for (const auto& [code, path] : pages) {
    if (acquisition::IsDepartmentCode(code) && tables.insert(catalogue::TableName(code)).second) order.push_back(code);
  }
  return order;
}

const std::string* PageOf(const std::map<std::string, std::string>& pages, const std::string& code) {
  for (const auto& [page_code, path] : pages) {
    if (SameTextIgnoringCase(page_code, code)) return &path;
  }
  return nullptr;
}

struct Imported {
  std::size_t stored = 0;
  int refused_rows = 0;
  std::vector<std::string> without_table;
};

// The section table of a saved page; a page cut off inside its table is
// refused, as the update refuses it from the server.
std::optional<acquisition::SectionTable> TableOfPage(const std::string& path) {
  const std::string page = ReadWholeFile(path);
  if (acquisition::PageCutOff(page)) {
    throw IoError("\"" + Utf8ToCp1254(path) +
                  std::string("\" sayfası yarıda kesilmiş: ders tablosundan sonra sayfanın sonu gelmiyor."_w));
  }
  return acquisition::CutSectionTable(page);
}

// Fills the new catalogue (a fresh copy of the main one, whose listed
// tables are emptied) from the pages.
Imported FillNewCatalogue(const std::string& program_folder, const std::map<std::string, std::string>& pages,
                          const std::vector<std::string>& departments) {
  catalogue::CreateTempTables(program_folder, departments, [](const std::string&) {});
  catalogue::Database db(catalogue::MakeConnectionString(program_folder, catalogue::kTempCatalogue));
  Imported imported;
  for (const std::string& code : departments) {
    const std::string* page = PageOf(pages, code);
    const auto table = page ? TableOfPage(*page) : std::nullopt;
    if (!table) {
      imported.without_table.push_back(code);
      continue;
    }
    catalogue::Transaction transaction(db);
    for (const auto& section : table->sections) db.Insert(code, section);
    transaction.Commit();
    imported.stored += table->sections.size();
    imported.refused_rows += table->refused_rows;
  }
  return imported;
}

// The catalogue and its department list change together or not at all,
// and only one program writes them at a time.
Imported Import(const std::string& program_folder, const std::map<std::string, std::string>& pages,
                const std::vector<std::string>& departments) {
  const catalogue::FolderLock lock = acquisition::ClaimCatalogueFolder(program_folder);
  try {
    Imported imported = FillNewCatalogue(program_folder, pages, departments);
    catalogue::WriteDepartmentList(program_folder + std::string(catalogue::kDepartmentListNew), departments);
    catalogue::SwitchInNewPair(program_folder);
    return imported;
  } catch (const Error& e) {
    catalogue::RemoveNewPair(program_folder);
    if (dynamic_cast<const DiskFullError*>(&e)) throw IoError(std::string(acquisition::kDiskFull));
    if (dynamic_cast<const DatabaseError*>(&e)) {
      std::string reason = e.what();
      if (!reason.empty() && reason.back() == '.') reason.pop_back();
      throw DatabaseError(std::string(acquisition::kUpdateFailedIntro) + reason +
                          std::string(acquisition::kNothingChangedAfterFailure));
    }
    throw;
  }
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
  const Imported imported = Import(context.program_folder, pages, departments);

  if (args.Has("--json")) {
    nlohmann::json result{{"departments", departments.size()},
                          {"sections", imported.stored},
                          {"without_table", JsonTexts(imported.without_table)}};
    if (imported.refused_rows > 0) result["refused_rows"] = imported.refused_rows;
    PrintJson(context.out, result);
  } else {
    PrintLine(context.out, std::to_string(departments.size()) + std::string(" bölüm, "_w) +
                               std::to_string(imported.stored) + std::string(" şube kaydedildi."_w) +
                               acquisition::LeftOutText(0, imported.refused_rows));
    if (!imported.without_table.empty()) {
      std::string line("Ders tablosu olmayan bölümler:"_w);
      for (const std::string& code : imported.without_table) line += " " + code;
      PrintLine(context.out, line);
    }
  }
  return 0;
}

const CommandRegistration registration{{"import-pages", kUsage, ImportPages}};

}  // namespace
}  // namespace kiremo::cli
