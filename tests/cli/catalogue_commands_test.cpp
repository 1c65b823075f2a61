#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/file_system.h"
#include "cli/cli_runner.h"
#include "cli/page_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::testing_support {
namespace {

constexpr char kDamagedCatalogue[] =
    "Database dosyası silinmiş veya bozulmuş! Ders bilgilerini \"kiremo-cli update\" ile sunucudan yeniden "
    "kurabilirsin.\n";

// A program folder and a folder of saved schedule pages.
class CatalogueCommandsTest : public testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(pages); }

  CliResult Cli(std::vector<std::string> words) {
    words.insert(words.begin(), {"--folder", program});
    return RunCli(words);
  }
  void Page(const std::string& name, const std::string& bytes) { WriteBytes(pages + "/" + name, bytes); }
  std::string ListBytes() { return ReadWholeFile(program + std::string(catalogue::kDepartmentList)); }
  catalogue::Database Catalogue() {
    return catalogue::Database(catalogue::MakeConnectionString(program, catalogue::kMainCatalogue));
  }

  TempFolder root;
  const std::string program = root / "program/";
  const std::string pages = root / "pages";
};

TEST_F(CatalogueCommandsTest, InitMakesAnEmptyCatalogueAndListButNeverOverwrites) {
  const CliResult first = Cli({"init", "--json"});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(nlohmann::json::parse(first.out)["created"],
            (nlohmann::json{{"DataBase/dbase.dbs", true}, {"DataBase/kodlar.dat", true}}));
  EXPECT_EQ(ListBytes(), "");
  EXPECT_TRUE(Catalogue().TableNames().empty());

  WriteBytes(program + "DataBase/kodlar.dat", "ELK\r\n");
  Catalogue().CreateTable("ELK");
  const CliResult again = Cli({"init"});
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, "DataBase/dbase.dbs zaten var, dokunulmadı.\nDataBase/kodlar.dat zaten var, dokunulmadı.\n");
  EXPECT_EQ(ListBytes(), "ELK\r\n");
  EXPECT_EQ(Catalogue().TableNames(), std::vector<std::string>{"elk_tb"});
}

TEST_F(CatalogueCommandsTest, ImportStoresEveryPageAndListsDepartmentsInIndexOrder) {
  Page("index.html", IndexPageBytes({"MAT", "ELK", "SNT", "KIM"}));
  Page("ELK.html", SchedulePageBytes({{"21345", "ELK 201E", std::string("Mühendis'in Etiği"_w), "Onur Vadili",
                                       "MKB<br>ISB<br>", std::string("Salı<br>Perşembe<br>"_w),
                                       "0830/1029<br>1330/1529<br>", "D101<br>D202<br>", "ELK, ELKE"},
                                      {"21350", "ELK 101", "Devre Analizi", "---", "EEB<br>", "Cuma<br>",
                                       "1230/1429<br>", "A101<br>", std::string("TÜM"_w)}}));
  Page("MAT.html", SchedulePageBytes({{"30001", "MAT 103", "Matematik I", "Zafer Lalezar", "FEB<br>", "Pazartesi<br>",
                                       "0930/1129<br>", "B105<br>", std::string("TÜM"_w)}}));
  Page("SNT.html", SchedulePageBytes({}));
  Page("FIZ.html", SchedulePageBytes({{"40001", "FIZ 101", "Fizik I", "Irmak Sarıgöl", "FEB<br>", "Cuma<br>",
                                       "0830/0929<br>", "B101<br>", std::string("TÜM"_w)}}));
  WriteBytes(pages + "/notlar.txt", "ilgisiz");
  ASSERT_EQ(Cli({"init"}).status, 0);

  // Importing twice replaces the tables instead of adding to them.
  for (int run = 0; run < 2; ++run) {
    const CliResult result = Cli({"import-pages", pages, "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out),
              (nlohmann::json{{"departments", 5}, {"sections", 4}, {"without_table", {"SNT", "KIM"}}}));
  }

  // Listed by the index, then the page the index does not name; a listed
  // code without a page still gets its (empty) table.
  EXPECT_EQ(ListBytes(), "MAT\r\nELK\r\nSNT\r\nKIM\r\nFIZ\r\n");
  catalogue::Database db = Catalogue();
  EXPECT_EQ(db.TableNames(), (std::vector<std::string>{"elk_tb", "fiz_tb", "kim_tb", "mat_tb", "snt_tb"}));
  const auto elk = db.Sections("ELK");
  ASSERT_EQ(elk.size(), 2u);
  EXPECT_EQ(elk[0].crn, "21345");
  EXPECT_EQ(elk[0].ders_adi, "Mühendis'in Etiği"_w);
  EXPECT_EQ(elk[0].gun, "Salı|Perşembe"_w);
  EXPECT_EQ(elk[0].saat, "0830/1029|1330/1529");
  EXPECT_EQ(elk[0].derslik, "D101|D202");
  EXPECT_EQ(elk[0].blok, 2);
  EXPECT_EQ(elk[0].alabilenler, "ELK, ELKE");
  EXPECT_EQ(elk[1].crn, "21350");
  EXPECT_TRUE(db.Sections("SNT").empty());

  const CliResult departments = Cli({"departments", "--json"});
  ASSERT_EQ(departments.status, 0) << departments.err;
  EXPECT_EQ(nlohmann::json::parse(departments.out), (nlohmann::json{"MAT", "ELK", "SNT", "KIM", "FIZ"}));
  const CliResult courses = Cli({"courses", "ELK"});
  ASSERT_EQ(courses.status, 0) << courses.err;
  EXPECT_EQ(courses.out, "ELK 201E\nELK 101\n");
  EXPECT_EQ(nlohmann::json::parse(Cli({"courses", "snt", "--json"}).out), nlohmann::json::array());
}

TEST_F(CatalogueCommandsTest, ImportWithoutIndexListsTheCodesSorted) {
  for (const char* code : {"KIM", "ELK", "BLG"}) Page(std::string(code) + ".html", SchedulePageBytes({}));
  ASSERT_EQ(Cli({"init"}).status, 0);
  const CliResult result = Cli({"import-pages", pages});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "3 bölüm, 0 şube kaydedildi.\nDers tablosu olmayan bölümler: BLG ELK KIM\n");
  EXPECT_EQ(ListBytes(), "BLG\r\nELK\r\nKIM\r\n");
}

// Each case: what the program folder holds, the words, and what the student
// is told. Every failure is exit status 1 with a clear message on stderr; a
// folder without a term says which commands fetch one.
TEST_F(CatalogueCommandsTest, FailuresExplainThemselvesAndChangeNothing) {
  enum class Folder { kNothing, kInitialised, kOneDepartment, kDamagedCatalogue, kListIsAFolder };
  struct Case {
    const char* what;
    Folder folder;
    std::vector<std::string> words;
    std::string message;
  };
  const std::string missing_pages = root / "yok";
  const std::string fetch_first = "Önce \"kiremo-cli --folder " + program + " init\", sonra \"kiremo-cli --folder " +
                                  program + " update\" çalıştır; update ders bilgilerini sunucudan alır.\n";
  const std::string not_fetched =
      "Katalogda hiç bölüm yok: ders bilgileri henüz sunucudan alınmamış.\n"
      "Ders bilgilerini \"kiremo-cli --folder " +
      program + " update\" ile sunucudan al.\n";
  const Case cases[] = {
      {"department list missing",
       Folder::kNothing,
       {"departments"},
       "\"" + program + "DataBase/kodlar.dat\" dosyası yok: bu klasörde katalog kurulmamış.\n" + fetch_first},
      {"catalogue missing",
       Folder::kNothing,
       {"courses", "ELK"},
       "\"" + program + "DataBase/dbase.dbs\" dosyası yok: bu klasörde katalog kurulmamış.\n" + fetch_first},
      {"department list unreadable",
       Folder::kListIsAFolder,
       {"departments"},
       "\"" + program + "DataBase/kodlar.dat\" bölüm listesi okunamadı: Bu bir klasör\n"},
      {"courses before an update", Folder::kInitialised, {"courses", "ELK"}, not_fetched},
      {"sections before an update", Folder::kInitialised, {"sections", "ELK", "ELK 101"}, not_fetched},
      {"generate before an update", Folder::kInitialised, {"generate", "--course", "ELK 101"}, not_fetched},
      {"catalogue damaged", Folder::kDamagedCatalogue, {"courses", "ELK"}, kDamagedCatalogue},
      {"department not in the catalogue",
       Folder::kOneDepartment,
       {"courses", "XYZ"},
       "\"XYZ\" bölümü katalogda yok.\n"},
      {"pages folder missing",
       Folder::kInitialised,
       {"import-pages", missing_pages},
       "\"" + missing_pages + "\" klasörü okunamadı: Böyle bir dosya ya da klasör yok\n"},
      {"pages folder without pages",
       Folder::kInitialised,
       {"import-pages", program},
       "\"" + program + "\" klasöründe ders programı sayfası yok.\n"},
      {"page file missing",
       Folder::kInitialised,
       {"cut-page", root / "yok.html"},
       "\"" + (root / "yok.html") + "\" dosyası okunamadı: Böyle bir dosya ya da klasör yok\n"},
  };
  Page("ELK.html", SchedulePageBytes({}));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(program);
    if (c.folder != Folder::kNothing) {
      ASSERT_EQ(Cli({"init"}).status, 0);
    }
    if (c.folder == Folder::kOneDepartment) {
      WriteBytes(program + "DataBase/kodlar.dat", "ELK\r\n");
      Catalogue().CreateTable("ELK");
    }
    if (c.folder == Folder::kDamagedCatalogue) WriteBytes(program + "DataBase/dbase.dbs", "bozuk bir dosya");
    if (c.folder == Folder::kListIsAFolder) {
      std::filesystem::remove(program + "DataBase/kodlar.dat");
      std::filesystem::create_directory(program + "DataBase/kodlar.dat");
    }
    const bool has_list = c.folder != Folder::kNothing && c.folder != Folder::kListIsAFolder;
    const std::string list_before = has_list ? ListBytes() : "";

    const CliResult result = Cli(c.words);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(result.out, "");
    if (has_list) {
      EXPECT_EQ(ListBytes(), list_before);
    }
  }
}

// After "init" the list is rightly empty, but an empty answer alone would
// leave the student guessing.
TEST_F(CatalogueCommandsTest, AnEmptyDepartmentListSaysHowToFillIt) {
  ASSERT_EQ(Cli({"init"}).status, 0);
  const std::string hint = "Bölüm listesi boş: ders bilgileri henüz sunucudan alınmamış. \"kiremo-cli --folder " +
                           program + " update\" ile al.\n";
  const CliResult plain = Cli({"departments"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out, "");
  EXPECT_EQ(plain.err, hint);
  const CliResult json = Cli({"departments", "--json"});
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(nlohmann::json::parse(json.out), nlohmann::json::array());
  EXPECT_EQ(json.err, hint);
}

// An import needs nothing of a damaged catalogue: it builds the new one
// in its place.
TEST_F(CatalogueCommandsTest, AnImportRebuildsADamagedCatalogue) {
  Page("ELK.html", SchedulePageBytes({{"21350", "ELK 101", "Devre Analizi", "---", "EEB<br>", "Cuma<br>",
                                       "1230/1429<br>", "A101<br>", std::string("TÜM"_w)}}));
  ASSERT_EQ(Cli({"init"}).status, 0);
  WriteBytes(program + "DataBase/dbase.dbs", "bozuk bir dosya");
  const CliResult result = Cli({"import-pages", pages});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Cli({"courses", "ELK"}).out, "ELK 101\n");
  EXPECT_FALSE(std::filesystem::exists(program + "DataBase/dbase.dbs.bozuk"));
}

// A disk that fills up during an import (the copy of the catalogue, or the
// new term's pages) leaves the old term whole: its list and its catalogue
// byte for byte, and nothing beside them.
TEST_F(CatalogueCommandsTest, AFullDiskDuringAnImportKeepsTheOldTermWhole) {
  Page("ELK.html", SchedulePageBytes({{"21350", "ELK 101", "Devre Analizi", "---", "EEB<br>", "Cuma<br>",
                                       "1230/1429<br>", "A101<br>", std::string("TÜM"_w)}}));
  ASSERT_EQ(Cli({"init"}).status, 0);
  ASSERT_EQ(Cli({"import-pages", pages}).status, 0);
  const std::string main = program + std::string(catalogue::kMainCatalogue);
  const std::string main_before = ReadWholeFile(main);
  const std::string list_before = ListBytes();

  for (const std::string code : {"ELK", "MAT", "FIZ", "KIM", "BLG", "END", "GEO", "INS"}) {
    std::vector<PageRow> rows;
    for (int k = 0; k < 300; ++k) {
      rows.push_back({std::to_string(10000 + k), code + " " + std::to_string(100 + k), std::string(40, 'x'), "Ali Veli",
                      "EEB<br>", "Cuma<br>", "1230/1429<br>", "A101<br>", std::string("TÜM"_w)});
    }
    Page(code + ".html", SchedulePageBytes(rows));
  }
  const struct {
    const char* moment;
    rlim_t limit;
  } cases[] = {{"during the copy", main_before.size() / 2}, {"while the pages are stored", main_before.size() + 8192}};
  for (const auto& c : cases) {
    const CliResult result = RunCliWithFileSizeLimit({"--folder", program, "import-pages", pages}, c.limit);
    EXPECT_EQ(result.status, 1) << c.moment << ": " << result.out;
    EXPECT_NE(result.err.find("Diskte yer kalmadı"), std::string::npos) << c.moment << ": " << result.err;
    EXPECT_TRUE(ReadWholeFile(main) == main_before) << c.moment;
    EXPECT_EQ(ListBytes(), list_before) << c.moment;
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(program + "DataBase")) {
      left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"dbase.dbs", "kodlar.dat"})) << c.moment;
  }
}

}  // namespace
}  // namespace kiremo::testing_support
