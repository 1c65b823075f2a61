#pragma once

#include <string>

#include "acquisition/fetcher.h"
#include "catalogue/database.h"
#include "view/main_view.h"

namespace kiremo::acquisition {

enum class QuickUpdateResult {
  Skipped,      // the catalogue is being switched, or "Seçin" is chosen
  FetchFailed,  // the warning box was shown; the table is untouched
  NoTable,      // the page holds no section table; the table is untouched
  Updated,      // the table holds the page's sections
};

// Refreshes the department chosen in course row `row` (1..10) from its
// schedule page, in the main catalogue through Query1, on the window's
// thread. Dropping, creating and filling the table is one transaction: a
// failing INSERT leaves the old table as it was and reaches the caller.
QuickUpdateResult QuickUpdate(int row, ui::MainView& view, catalogue::CatalogueQuery& query1, Fetcher& fetcher,
                              const std::string& schedule_host);

// Flips the check mark of "Otomatik güncelleme"; nothing is saved now.
void menuOtomatikClick(ui::MainView& view);

}  // namespace kiremo::acquisition
