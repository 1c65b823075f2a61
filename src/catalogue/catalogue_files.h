#pragma once

#include <string>
#include <string_view>

// The catalogue's files, relative to the program folder, and its connection
// strings.
namespace kiremo::catalogue {

inline constexpr std::string_view kCatalogueFolder = "DataBase/";
inline constexpr std::string_view kMainCatalogue = "DataBase/dbase.dbs";
inline constexpr std::string_view kTempCatalogue = "DataBase/tempdb.dbs";
inline constexpr std::string_view kDepartmentList = "DataBase/kodlar.dat";
inline constexpr std::string_view kDepartmentListNew = "DataBase/temp.dat";
// Present while the new catalogue and list are being switched in.
inline constexpr std::string_view kSwitchMarker = "DataBase/switch.dat";
inline constexpr std::string_view kPassword = "4827315";

// The connection string of a catalogue file: the program folder (ending in
// "/"), the file's path relative to it, and the password.
std::string MakeConnectionString(std::string_view program_folder, std::string_view relative_file);

struct ConnectionTarget {
  std::string path;
  std::string password;
};

// Takes a connection string apart; DatabaseError when it is not of the shape
// MakeConnectionString gives.
ConnectionTarget ParseConnectionString(std::string_view connection_string);

// The department's table: the code with ASCII letters lower-cased, then "_tb".
std::string TableName(std::string_view department_code);

}  // namespace kiremo::catalogue
