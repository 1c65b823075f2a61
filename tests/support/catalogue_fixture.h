#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/section_values.h"

// A small program folder with a real catalogue: DataBase/dbase.dbs (encrypted,
// one table per department, sections in the order given) and
// DataBase/kodlar.dat (the listed codes, in the order they were added).
//
//   TempFolder folder;
//   CatalogueFixture catalogue(folder.Path());
//   catalogue.Department("ELK", {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029")});
//   catalogue::CatalogueQuery query1(catalogue.ConnectionString());
//
// Texts are Windows-1254: write Turkish ones with the _w literal.
namespace kiremo::testing_support {

// A section of the catalogue, with blok computed the way the store computes
// it (the length of saat divided by 9). Set blok afterwards to store an
// inconsistent record on purpose.
inline catalogue::SectionValues Section(std::string crn, std::string ders_kodu, std::string ogretmen, std::string gun,
                                        std::string saat, std::string bina = "EEB", std::string derslik = "D1",
                                        std::string alabilenler = "ELK", std::string ders_adi = "Ders") {
  catalogue::SectionValues s;
  s.crn = std::move(crn);
  s.ders_kodu = std::move(ders_kodu);
  s.ders_adi = std::move(ders_adi);
  s.ogretmen = std::move(ogretmen);
  s.bina = std::move(bina);
  s.gun = std::move(gun);
  s.blok = static_cast<int>(saat.size() / 9);
  s.saat = std::move(saat);
  s.derslik = std::move(derslik);
  s.alabilenler = std::move(alabilenler);
  return s;
}

class CatalogueFixture {
 public:
  // Creates <program_folder>DataBase/ with an empty catalogue and an empty
  // department list. The folder must end in "/".
  explicit CatalogueFixture(std::string program_folder) : folder_(std::move(program_folder)) {
    std::filesystem::create_directories(folder_ + "DataBase");
    catalogue::Database::CreateEmpty(folder_ + std::string(catalogue::kMainCatalogue), catalogue::kPassword);
    WriteList();
  }

  // Lists the code in the department list and creates its table holding
  // the sections (an empty table when there are none).
  CatalogueFixture& Department(std::string_view code, const std::vector<catalogue::SectionValues>& sections = {}) {
    Table(code, sections);
    return ListedOnly(code);
  }

  // A line of the department list without a table: reading it is a
  // database error.
  CatalogueFixture& ListedOnly(std::string_view code) {
    lines_.emplace_back(code);
    WriteList();
    return *this;
  }

  // A table that the department list does not name.
  CatalogueFixture& Table(std::string_view code, const std::vector<catalogue::SectionValues>& sections) {
    catalogue::Database db(ConnectionString());
    db.CreateTable(code);
    catalogue::Transaction transaction(db);
    for (const auto& section : sections) db.Insert(code, section);
    transaction.Commit();
    db.Checkpoint();
    return *this;
  }

  // Drops a department's table and creates it again with other sections,
  // as a refresh of the department does while a reader keeps its lists.
  CatalogueFixture& Refill(std::string_view code, const std::vector<catalogue::SectionValues>& sections) {
    {
      catalogue::Database db(ConnectionString());
      db.DropTable(code);
    }
    return Table(code, sections);
  }

  // Removes the department list file (the reset then fails).
  void RemoveDepartmentList() const { std::filesystem::remove(folder_ + std::string(catalogue::kDepartmentList)); }

  const std::string& Folder() const { return folder_; }
  std::string ConnectionString() const { return catalogue::MakeConnectionString(folder_, catalogue::kMainCatalogue); }
  // A connection of its own, for changing the catalogue behind a reader's back.
  catalogue::Database Open() const { return catalogue::Database(ConnectionString()); }

 private:
  void WriteList() const { catalogue::WriteDepartmentList(folder_ + std::string(catalogue::kDepartmentList), lines_); }

  std::string folder_;
  std::vector<std::string> lines_;
};

}  // namespace kiremo::testing_support
