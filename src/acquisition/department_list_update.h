#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "acquisition/update_report.h"

namespace kiremo::acquisition {

// The codes of the department index page: the page cut at every
// "</option>", the first piece skipped, and from every other piece that
// holds a '"' followed by '>' the (up to) three characters after the first
// such pair, trimmed; a line break inside them ends the code.
std::vector<std::string> DepartmentCodesOfIndexPage(std::string_view page);

// Whether a code can name a department: it holds no control character (a
// zero byte would end its table's name) and no byte Windows-1254 leaves
// undefined (it could be shown nowhere).
bool IsDepartmentCode(std::string_view code);

// The departments an update takes from the index page's codes.
struct DepartmentIndex {
  std::vector<std::string> codes;  // in page order, each department once
  int refused = 0;                 // codes that cannot name a department
};

// Each department once, as first listed: two codes are one department when
// they name one table ("ELK" and "elk"), as the catalogue compares table
// names. Codes that cannot name a department are left out and counted.
DepartmentIndex TakeDepartments(const std::vector<std::string>& codes);

// The department list step of the full update, once the new catalogue has
// its tables: the codes written as the new list beside the old one
// (DataBase/temp.dat), and the status line "Bölüm Kodları Güncellendi!".
// The old list stays until the whole new catalogue is switched in with it.
// IoError (DiskFullError when there is no room) when the new list cannot be
// written; nothing is said then.
void BolumKoduGuncelle(const std::string& program_folder, const std::vector<std::string>& codes, UpdateReport& report);

}  // namespace kiremo::acquisition
