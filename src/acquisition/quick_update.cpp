#include "acquisition/quick_update.h"

#include "acquisition/messages.h"
#include "acquisition/page_cutter.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::acquisition {

QuickUpdateResult StoreDepartmentPage(const std::string& department, const FetchResult& fetched,
                                      catalogue::CatalogueQuery& query1, UpdateReport& report) {
  if (!fetched.page) {
    report.Show({std::string(kCaptionError), std::string(kQuickUpdateFailed), Icon::Warning});
    return QuickUpdateResult::FetchFailed;
  }
  const auto sections = SectionsOfCells(CellList(*fetched.page));
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
  report.Status(DepartmentUpdatedText(code));
  return QuickUpdateResult::Updated;
}

}  // namespace kiremo::acquisition
