#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/database.h"

// The program folder's catalogue files as the commands use them, with the
// messages the window gives when they are missing or damaged. A switch of
// the catalogue and its list that a killed update began is completed first.
namespace kiremo::cli {

// Every line of DataBase/kodlar.dat; IoError with the window's message about
// the missing department list when it cannot be read.
std::vector<std::string> ReadDepartments(const std::string& program_folder);

// The main catalogue, opened; DatabaseError with the window's message about
// a damaged catalogue when it is missing or cannot be opened.
std::unique_ptr<catalogue::Database> OpenCatalogue(const std::string& program_folder);

}  // namespace kiremo::cli
