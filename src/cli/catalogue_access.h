#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/database.h"
#include "text/cp1254.h"
#include "text/errors.h"

// The program folder's catalogue files as the commands use them, with the
// messages the window gives when they are damaged. A switch of the catalogue
// and its list that a killed update began is completed first, and neither is
// read in the middle of a switch.
namespace kiremo::cli {

// A catalogue that cannot be read at all, and what rebuilds it.
inline constexpr std::string_view kDamagedCatalogue =
    "Database dosyası silinmiş veya bozulmuş! Ders bilgilerini \"kiremo-cli update\" ile sunucudan yeniden "
    "kurabilirsin."_w;

// The folder holds no term yet: its files were never made ("init" comes
// first) or no update has filled them. RunCommand ends the message with the
// commands that get the term, as the user would type them.
class NotFetchedError : public Error {
 public:
  NotFetchedError(const std::string& message, bool needs_init) : Error(message), needs_init_(needs_init) {}
  bool NeedsInit() const { return needs_init_; }

 private:
  bool needs_init_;
};

// Every line of DataBase/kodlar.dat. NotFetchedError, naming the file, when
// it is not there; IoError with the system's reason when it cannot be read.
std::vector<std::string> ReadDepartments(const std::string& program_folder);

// The main catalogue, opened. NotFetchedError when the folder never had one;
// DatabaseError with kDamagedCatalogue when it is damaged, or with what else
// keeps it from being read.
std::unique_ptr<catalogue::Database> OpenCatalogue(const std::string& program_folder);

// The message of a department list or catalogue that holds no department.
NotFetchedError NoDepartmentsYet();

}  // namespace kiremo::cli
