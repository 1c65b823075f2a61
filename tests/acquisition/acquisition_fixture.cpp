#include "acquisition_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
#include "text/cp1254.h"

namespace kiremo::acquisition::testing {

std::string SchedulePage(const std::vector<std::vector<std::string>>& rows) {
  std::string page = "<html><head><title>Ders Programi</title></head><body>\n<table>\n<tr>";
  const char* header[] = {"CRN",     "Ders Kodu",  "Ders Adi",  "Ogretim Uyesi", "Bina",        "Gun",
                          "Saat",    "Derslik",    "Kontenjan", "Yazilan",       "Rezervasyon", "Alabilen Programlar",
                          "On Sart", "Sinif Sarti"};
  for (const char* h : header) page += std::string("<td>") + h + "</td>";
  page += "</tr>\n";
  for (const auto& row : rows) {
    page += "<tr>";
    for (const auto& cell : row) page += "<td>" + cell + "</td>\n";
    page += "</tr>\n";
  }
  return page + "</table></body></html>\n";
}

std::vector<std::string> SectionRow(const std::string& crn, const std::string& code, const std::string& title,
                                    const std::string& saat) {
  return {crn, code, title, "Ali Veli", "EEB", "Pazartesi", saat, "D101", "40", "12", "0", "ELK", "Yok", "-"};
}

std::string IndexPage(const std::vector<std::string>& option_texts) {
  std::string page = std::string("<html><body><form><select name=\"fb\">\n<option value=\"\">Seçin</option>\n"_w);
  for (const std::string& text : option_texts) page += "<option value=\"" + text + "\">" + text + "</option>\n";
  return page + "</select></form></body></html>\n";
}

ProgramFolder::ProgramFolder(const std::vector<std::string>& departments) {
  std::filesystem::create_directories(folder_ / "DataBase");
  catalogue::Database::CreateEmpty(MainPath(), catalogue::kPassword);
  {
    catalogue::Database main(MainConnection());
    std::vector<std::string> tables = departments;
    tables.push_back("ESK");
    for (const std::string& code : tables) {
      main.CreateTable(code);
      catalogue::SectionValues old;
      old.crn = "OLD-" + code;
      old.ders_kodu = code + " 101";
      main.Insert(code, old);
    }
  }
  catalogue::WriteDepartmentList(ListPath(), departments);
}

std::string ProgramFolder::MainPath() const { return folder_ / std::string(catalogue::kMainCatalogue); }
std::string ProgramFolder::TempPath() const { return folder_ / std::string(catalogue::kTempCatalogue); }
std::string ProgramFolder::ListPath() const { return folder_ / std::string(catalogue::kDepartmentList); }
std::string ProgramFolder::MainConnection() const {
  return catalogue::MakeConnectionString(folder_.Path(), catalogue::kMainCatalogue);
}

std::vector<std::string> ProgramFolder::Crns(const std::string& code) const {
  catalogue::Database main(MainConnection());
  std::vector<std::string> crns;
  for (const auto& section : main.Sections(code)) crns.push_back(section.crn);
  return crns;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

int RecordingReport::NoticesSaying(std::string_view text) const {
  int count = 0;
  for (const Notice& shown : notices) count += shown.text == text;
  return count;
}

std::unique_ptr<demo::ScheduleServer> StartServer(std::map<std::string, std::string> pages,
                                                  demo::ServerOptions options) {
  auto server = std::make_unique<demo::ScheduleServer>(demo::MemoryPages(std::move(pages)), std::move(options));
  server->Start();
  return server;
}

std::string RefusingUrl() {
  // A port that was free a moment ago and is closed again.
  demo::ScheduleServer server(demo::MemoryPages({}), {});
  server.Start();
  const std::string url = server.Url();
  server.Stop();
  return url;
}

}  // namespace kiremo::acquisition::testing
