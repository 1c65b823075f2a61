#pragma once

#include <string>

#include "acquisition/background_fetch.h"
#include "acquisition/fetcher.h"
#include "acquisition/update_report.h"
#include "catalogue/database.h"

namespace kiremo::acquisition {

enum class QuickUpdateResult {
  FetchFailed,  // the page did not come, or came cut off: the warning box was shown; the table is untouched
  NoTable,      // the page holds no section table; the table is untouched
  Updated,      // the table holds the page's sections
  Refused,      // the catalogue may not be written now (a box said why); the table is untouched
  Unreadable,   // the catalogue is missing or damaged: nothing is stored and nothing said; the
                // reader that follows tells the student, and a full update rebuilds it
};

// Stores a department's fetched page (or tells of its failed fetch) in the
// main catalogue through Query1, on the window's thread. `department` is the
// text the student chose; its lower case names the table. The caller has
// made sure the catalogue is not being switched and may be written.
// Dropping, creating and filling the table is one transaction: a failing
// INSERT leaves the old table as it was and reaches the caller.
QuickUpdateResult StoreDepartmentPage(const std::string& department, const FetchResult& fetched,
                                      catalogue::CatalogueQuery& query1, UpdateReport& report);

}  // namespace kiremo::acquisition
