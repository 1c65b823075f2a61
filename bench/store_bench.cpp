// Storing one department as a full or quick update does: its table dropped
// and made again, and every section inserted in one transaction. Preparing
// the temporary catalogue of a full update: a copy of the main catalogue
// whose listed departments' tables are made again and whose others are
// dropped, all in one transaction.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/temp_tables.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace {

using kiremo::operator""_w;

using kiremo::catalogue::Database;
using kiremo::catalogue::SectionValues;

std::vector<SectionValues> Sections(int count) {
  std::vector<SectionValues> sections;
  for (int n = 0; n < count; ++n) {
    SectionValues s;
    s.crn = std::to_string(20000 + n);
    s.ders_kodu = "ELK " + std::to_string(100 + n % 300) + "E";
    s.ders_adi = std::string("Mühendis'in Etiği"_w);
    s.ogretmen = std::string("Şule Çınaraltı"_w);
    s.bina = "MKB|ISB";
    s.gun = std::string("Pazartesi|Çarşamba"_w);
    s.saat = "0830/1029|1330/1529";
    s.derslik = "D101|D202";
    s.alabilenler = "ELK, ELKE, TEL, KON";
    s.blok = 2;
    sections.push_back(std::move(s));
  }
  return sections;
}

void BM_StoreDepartment(benchmark::State& state) {
  kiremo::testing_support::TempFolder folder;
  std::filesystem::create_directories(folder / "DataBase");
  Database::CreateEmpty(folder / std::string(kiremo::catalogue::kMainCatalogue), kiremo::catalogue::kPassword);
  Database db(kiremo::catalogue::MakeConnectionString(folder.Path(), kiremo::catalogue::kMainCatalogue));
  const std::vector<SectionValues> sections = Sections(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    kiremo::catalogue::Transaction transaction(db);
    try {
      db.DropTable("ELK");
    } catch (const kiremo::DatabaseError&) {
      // The first round has no table yet.
    }
    db.CreateTable("ELK");
    for (const SectionValues& s : sections) db.Insert("ELK", s);
    transaction.Commit();
  }
  state.counters["sections"] = static_cast<double>(sections.size());
}
BENCHMARK(BM_StoreDepartment)->ArgName("sections")->Arg(5000)->Unit(benchmark::kMillisecond);

// A main catalogue of as many departments as the index lists (the most an
// update takes is 1,000), every one listed again.
void BM_PrepareTempTables(benchmark::State& state) {
  kiremo::testing_support::TempFolder folder;
  std::filesystem::create_directories(folder / "DataBase");
  Database::CreateEmpty(folder / std::string(kiremo::catalogue::kMainCatalogue), kiremo::catalogue::kPassword);
  std::vector<std::string> codes;
  {
    Database db(kiremo::catalogue::MakeConnectionString(folder.Path(), kiremo::catalogue::kMainCatalogue));
    kiremo::catalogue::Transaction transaction(db);
    for (int n = 0; n < state.range(0); ++n) {
      codes.push_back("D" + std::to_string(n));
      db.CreateTable(codes.back());
    }
    transaction.Commit();
  }
  for (auto _ : state) {
    kiremo::catalogue::CreateTempTables(folder.Path(), codes, [](const std::string&) {});
  }
  state.counters["departments"] = static_cast<double>(codes.size());
}
BENCHMARK(BM_PrepareTempTables)->ArgName("departments")->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
