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

// The department list step of the full update, once the index page has
// come: its codes, written as the new list beside the old one
// (DataBase/temp.dat), and the status line "Bölüm Kodları Güncellendi!".
// The old list stays until the whole new catalogue is switched in with it.
// A page that yields no code at all (an error page) writes nothing, says
// nothing and gives no code. IoError (DiskFullError when there is no room)
// when the new list cannot be written.
std::vector<std::string> BolumKoduGuncelle(const std::string& program_folder, std::string_view page,
                                           UpdateReport& report);

}  // namespace kiremo::acquisition
