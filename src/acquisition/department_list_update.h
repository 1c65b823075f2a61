#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "acquisition/fetcher.h"
#include "acquisition/update_report.h"

namespace kiremo::acquisition {

// The codes of the department index page: the page cut at every
// "</option>", the first piece skipped, and from every other piece that
// holds a '"' followed by '>' the (up to) three characters after the first
// such pair, trimmed; a line break inside them ends the code.
std::vector<std::string> DepartmentCodesOfIndexPage(std::string_view page);

// Refreshes the department list file from the schedule server's index page.
// A failed fetch shows the connection message and leaves the list as it is;
// so does a page that yields no code at all (an error page), without a
// status text. Otherwise the new list is written beside the old one and
// renamed over it, and the status line says "Bölüm Kodları Güncellendi!".
// IoError when the new list cannot be written; the old one then stays.
void BolumKoduGuncelle(const std::string& program_folder, const std::string& schedule_host, Fetcher& fetcher,
                       UpdateReport& report);

}  // namespace kiremo::acquisition
