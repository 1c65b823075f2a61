#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/update_report.h"
#include "catalogue/database.h"
#include "demo_server/schedule_server.h"
#include "support/temp_folder.h"

// Pages, a program folder with an old term, and a report that remembers
// everything it was told: what the acquisition tests share.
namespace kiremo::acquisition::testing {

// A schedule page of the university's shape: a header row of 14 cells, then
// one row of 14 cells per section. No rows: a page without a section table.
std::string SchedulePage(const std::vector<std::vector<std::string>>& rows);

// One section's 14 cells; the cells that are not stored hold filler.
std::vector<std::string> SectionRow(const std::string& crn, const std::string& code, const std::string& title = "Ders",
                                    const std::string& saat = "0830/1029");

// The department index page: a drop-down list with the placeholder option
// first and one option per text.
std::string IndexPage(const std::vector<std::string>& option_texts);

// A program folder with DataBase/dbase.dbs holding the old term (one row
// "OLD-<code>" in each department's table, plus the table of "ESK", which
// the server no longer lists) and DataBase/kodlar.dat listing `departments`.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::vector<std::string>& departments = {"ELK", "MAT", "FIZ"});

  const std::string& Path() const { return folder_.Path(); }
  std::string MainPath() const;
  std::string TempPath() const;
  std::string ListPath() const;
  std::string MainConnection() const;

  // The rows of a department's table in the main catalogue, CRNs only.
  std::vector<std::string> Crns(const std::string& code) const;

 private:
  testing_support::TempFolder folder_;
};

std::string FileBytes(const std::string& path);
bool Exists(const std::string& path);

// Keeps every status text, notice and error in the order they came.
class RecordingReport : public UpdateReport {
 public:
  void Status(const std::string& text) override { statuses.push_back(text); }
  void Show(const Notice& notice) override { notices.push_back(notice); }
  void StandardError(const std::string& text) override { errors.push_back(text); }

  // The last status text, empty when there was none.
  std::string LastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }
  // How many notices with this text were shown.
  int NoticesSaying(std::string_view text) const;

  std::vector<std::string> statuses;
  std::vector<Notice> notices;
  std::vector<std::string> errors;
};

// A server on 127.0.0.1 with the given pages ("index" and upper-case codes).
std::unique_ptr<demo::ScheduleServer> StartServer(std::map<std::string, std::string> pages,
                                                  demo::ServerOptions options = {});

// An address on 127.0.0.1 where nobody listens.
std::string RefusingUrl();

}  // namespace kiremo::acquisition::testing
