#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/database.h"
#include "text/cp1254.h"

// The program folder's catalogue files as the commands use them, with the
// messages the window gives when they are missing or damaged. A switch of
// the catalogue and its list that a killed update began is completed first,
// and neither is read in the middle of a switch.
namespace kiremo::cli {

// A catalogue that cannot be read at all, and what rebuilds it.
inline constexpr std::string_view kDamagedCatalogue =
    "Database dosyası silinmiş veya bozulmuş! Ders bilgilerini \"kiremo-cli update\" ile sunucudan yeniden "
    "kurabilirsin."_w;

// Every line of DataBase/kodlar.dat; IoError with the window's message about
// the missing department list when it cannot be read.
std::vector<std::string> ReadDepartments(const std::string& program_folder);

// The main catalogue, opened; DatabaseError with kDamagedCatalogue when it
// is missing or damaged, or with what else keeps it from being read.
std::unique_ptr<catalogue::Database> OpenCatalogue(const std::string& program_folder);

}  // namespace kiremo::cli
