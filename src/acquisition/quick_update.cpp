#include "acquisition/quick_update.h"

#include "acquisition/messages.h"
#include "acquisition/page_cutter.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::acquisition {

QuickUpdateResult StoreDepartmentPage(const std::string& department, const FetchResult& fetched,
                                      catalogue::CatalogueQuery& query1, UpdateReport& report) {
  // A page cut off inside its table failed to come as much as one that
  // never came: storing it would lose the department's last rows.
  if (!fetched.page || PageCutOff(*fetched.page)) {
    report.Show({std::string(kCaptionError), std::string(kQuickUpdateFailed), Icon::Warning});
    return QuickUpdateResult::FetchFailed;
  }
  const std::optional<SectionTable> table = CutSectionTable(*fetched.page);
  if (!table) return QuickUpdateResult::NoTable;

  const std::string code = LowerAscii(department);
  catalogue::Database* opened = nullptr;
  try {
    opened = &query1.Db();
  } catch (const DamagedCatalogueError&) {
    return QuickUpdateResult::Unreadable;
  }
  catalogue::Database& db = *opened;
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
  for (const catalogue::SectionValues& section : table->sections) db.Insert(code, section);
  transaction.Commit();
  report.Status(DepartmentUpdatedText(code) + LeftOutText(0, table->refused_rows));
  return QuickUpdateResult::Updated;
}

}  // namespace kiremo::acquisition
