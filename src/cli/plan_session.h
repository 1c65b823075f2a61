#pragma once

#include <iosfwd>
#include <string>

#include "catalogue/database.h"
#include "files/plan_files.h"
#include "planner/planner.h"
#include "app/ini_file.h"
#include "view/memory_view.h"

namespace kiremo::cli {

// The planner on a window in memory, as the window stands after start-up:
// the program folder's catalogue and department list, the stored settings
// of config.ini (read, never written), and a reset.
class PlanSession {
 public:
  explicit PlanSession(const std::string& program_folder);
  PlanSession(const PlanSession&) = delete;
  PlanSession& operator=(const PlanSession&) = delete;

  // Loads a schedule file as "Aç" does. Error with the text of the "HATA"
  // box when the file cannot be read or holds no plan; other boxes shown on
  // the way go to `err`.
  void Load(const std::string& path, std::ostream& err);

  ui::MemoryView view;
  catalogue::CatalogueQuery query1;
  app::IniFile settings;
  planner::Planner planner;
  files::PlanFiles files;
};

// The boxes shown since `first`, as "CAPTION: text" lines on `err`.
void ReportMessages(const ui::MemoryDialogs& dialogs, std::size_t first, std::ostream& err);

}  // namespace kiremo::cli
