#pragma once

#include <string>

#include "acquisition/fetcher.h"
#include "acquisition/update_report.h"

namespace kiremo::acquisition {

// Asks the program's web site for the current version text and the list of
// changes (both fetched before anything is compared). A version text that
// differs from ours in any byte shows the "Güncelleme" box with the changes.
// A failed fetch raises FetchError before any comparison.
void CheckVersion(Fetcher& fetcher, const std::string& site_host, UpdateReport& report);

}  // namespace kiremo::acquisition
