#include "cli/plan_session.h"

#include <ostream>

#include "text/errors.h"
#include "catalogue/catalogue_files.h"
#include "cli/catalogue_access.h"
#include "cli/output.h"
#include "app/stored_settings.h"
#include "acquisition/hosts.h"

namespace kiremo::cli {

PlanSession::PlanSession(const std::string& program_folder)
    : query1(catalogue::MakeConnectionString(program_folder, catalogue::kMainCatalogue)),
      settings(program_folder + std::string(app::kSettingsFile)),
      planner(view, query1, program_folder, ForumUrl()),
      files(planner, view) {
  ReadDepartments(program_folder);  // the window's message when the list is missing
  planner.SetResetHooks({{}, {}, [this] { app::ApplyStoredSettings(view, settings); }});
  planner.Sifirla();
}

void PlanSession::Load(const std::string& path, std::ostream& err) {
  const std::size_t first = view.Dialog().messages.size();
  if (!files.LoadFile(path)) throw Error(view.Dialog().messages.back().text);
  ReportMessages(view.Dialog(), first, err);
}

void ReportMessages(const ui::MemoryDialogs& dialogs, std::size_t first, std::ostream& err) {
  for (std::size_t k = first; k < dialogs.messages.size(); ++k) {
    PrintLine(err, dialogs.messages[k].caption + ": " + dialogs.messages[k].text);
  }
}

}  // namespace kiremo::cli
