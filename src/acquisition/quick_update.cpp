#include "acquisition/quick_update.h"

#include "acquisition/addresses.h"
#include "acquisition/messages.h"
#include "acquisition/page_cutter.h"
#include "text/errors.h"
#include "text/text_helpers.h"
#include "text/cp1254.h"

namespace kiremo::acquisition {

QuickUpdateResult QuickUpdate(int row, ui::MainView& view, catalogue::CatalogueQuery& query1, Fetcher& fetcher,
                              const std::string& schedule_host) {
  if (query1.ConnectionString().empty()) return QuickUpdateResult::Skipped;
  view.SectionCombo(row).Clear();
  view.CourseCombo(row).Clear();
  const std::string department = view.DepartmentCombo(row).Text();
  if (department == "Seçin"_w) return QuickUpdateResult::Skipped;

  std::string page;
  try {
    page = fetcher.Get(SchedulePageUrl(schedule_host, department));
  } catch (const FetchError&) {
    view.Dialog().Message(std::string(kCaptionError), std::string(kQuickUpdateFailed), ui::Icon::Warning);
    return QuickUpdateResult::FetchFailed;
  }
  const auto sections = SectionsOfCells(CellList(page));
  if (!sections) return QuickUpdateResult::NoTable;

  const std::string code = LowerAscii(department);
  catalogue::Database& db = query1.Db();
  catalogue::Transaction transaction(db);
  try {
    db.DropTable(code);
  } catch (const DatabaseError&) {
    // The table may not exist yet.
  }
  try {
    db.CreateTable(code);
  } catch (const DatabaseError&) {
    // The rows then go to whatever table there is.
  }
  for (const catalogue::SectionValues& section : *sections) db.Insert(code, section);
  transaction.Commit();
  view.StatusBar().SetText(DepartmentUpdatedText(code));
  return QuickUpdateResult::Updated;
}

void menuOtomatikClick(ui::MainView& view) {
  ui::CheckMark& mark = view.MenuOtomatik();
  mark.SetChecked(!mark.Checked());
}

}  // namespace kiremo::acquisition
