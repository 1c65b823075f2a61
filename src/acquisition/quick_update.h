#pragma once

#include <string>

#include "acquisition/fetcher.h"
#include "acquisition/update_report.h"
#include "catalogue/database.h"

namespace kiremo::acquisition {

enum class QuickUpdateResult {
  FetchFailed,  // the warning box was shown; the table is untouched
  NoTable,      // the page holds no section table; the table is untouched
  Updated,      // the table holds the page's sections
};

// Refreshes one department's table in the main catalogue from its schedule
// page, through Query1 on the window's thread. `department` is the text the
// student chose, sent unchanged in the address; its lower case names the
// table. The caller has made sure the catalogue is not being switched
// (Query1 has its connection string). Dropping, creating and filling the
// table is one transaction: a failing INSERT leaves the old table as it was
// and reaches the caller.
QuickUpdateResult QuickUpdate(const std::string& department, catalogue::CatalogueQuery& query1, Fetcher& fetcher,
                              const std::string& schedule_host, UpdateReport& report);

}  // namespace kiremo::acquisition
