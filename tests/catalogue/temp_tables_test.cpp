#include "catalogue/temp_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "support/child_process.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::catalogue {
namespace {

using testing_support::TempFolder;

class CreateTempTablesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder / "DataBase");
    Database::CreateEmpty(MainPath(), kPassword);
    Database main(MakeConnectionString(folder.Path(), kMainCatalogue));
    main.CreateTable("ELK");
    main.CreateTable("OLD");
    SectionValues s;
    s.crn = "1";
    s.ders_kodu = "ELK 101";
    main.Insert("ELK", s);
    main.Insert("OLD", s);
  }
  std::string MainPath() const { return folder / std::string(kMainCatalogue); }
  std::string TempPath() const { return folder / std::string(kTempCatalogue); }
  Database Temp() const { return Database(MakeConnectionString(folder.Path(), kTempCatalogue)); }

  // Every status text handed over, in order.
  void Create(const std::vector<std::string>& lines) {
    CreateTempTables(folder.Path(), lines, [this](const std::string& text) { statuses.push_back(text); });
  }

  TempFolder folder;
  std::vector<std::string> statuses;
};

TEST_F(CreateTempTablesTest, EmptiesListedTablesAndKeepsTheOthers) {
  Create({"ELK", "MAT"});
  EXPECT_EQ(statuses, (std::vector<std::string>{std::string("Geçici Tablolar Yaratıldı"_w)}));
  Database temp = Temp();
  EXPECT_TRUE(temp.Sections("elk").empty());
  EXPECT_TRUE(temp.Sections("mat").empty());
  EXPECT_EQ(temp.Sections("old").size(), 1u);
  // The main catalogue is untouched.
  Database main(MakeConnectionString(folder.Path(), kMainCatalogue));
  EXPECT_EQ(main.Sections("elk").size(), 1u);
}

// A temporary catalogue left by a killed or failed update, even a cut-off
// one with a log beside it, never reaches the next update.
TEST_F(CreateTempTablesTest, StartsFromAFreshCopyWhateverAnEarlierRunLeft) {
  std::filesystem::copy_file(MainPath(), TempPath());
  {
    Database stale = Temp();
    stale.CreateTable("STA");
  }
  std::filesystem::resize_file(TempPath(), 1000);
  WriteFileAtomically(TempPath() + "-wal", "not a log");
  Create({"ELK"});
  Database temp = Temp();
  const auto names = temp.TableNames();
  EXPECT_EQ(std::find(names.begin(), names.end(), "sta_tb"), names.end());
  EXPECT_TRUE(temp.Sections("elk").empty());
  EXPECT_EQ(temp.Sections("old").size(), 1u);
}

TEST_F(CreateTempTablesTest, LinesAreLowerCasedButNotTrimmed) {
  Create({"ELK ", std::string("ÇEV"_w)});
  const auto names = Temp().TableNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "elk _tb"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(),
                      std::string("\xC7"
                                  "ev_tb")),
            names.end());
}

TEST_F(CreateTempTablesTest, AMissingOrEmptyMainCatalogueIsADatabaseErrorAndLeavesNothing) {
  std::filesystem::resize_file(MainPath(), 0);
  EXPECT_THROW(Create({"ELK"}), DatabaseError);
  EXPECT_FALSE(std::filesystem::exists(TempPath()));
  std::filesystem::remove(MainPath());
  EXPECT_THROW(Create({"ELK"}), DatabaseError);
  EXPECT_FALSE(std::filesystem::exists(TempPath()));
  EXPECT_TRUE(statuses.empty());
}

TEST_F(CreateTempTablesTest, AFullDiskDuringTheCopyIsSaidAndLeavesNothing) {
  const int outcome = testing_support::InChildWithFileSizeLimit(4096, [&] {
    try {
      Create({"ELK"});
    } catch (const DiskFullError&) {
      return std::filesystem::exists(TempPath()) ? 2 : 0;
    } catch (...) {
      return 3;
    }
    return 1;
  });
  EXPECT_EQ(outcome, 0);
  EXPECT_FALSE(std::filesystem::exists(TempPath()));
}

TEST(DepartmentListTest, ReadsEveryKindOfLineEndAndWritesCrLf) {
  TempFolder folder;
  const std::string path = folder / "kodlar.dat";
  WriteFileAtomically(path, std::string("ELK\r\nMAT\r\n\r\nFIZ\nKIM\rÇEV"_w));
  EXPECT_EQ(ReadDepartmentList(path), (std::vector<std::string>{"ELK", "MAT", "", "FIZ", "KIM", std::string("ÇEV"_w)}));
  WriteDepartmentList(path, {"ELK", " MA", std::string("İNŞ"_w)});
  EXPECT_EQ(ReadWholeFile(path), std::string("ELK\r\n MA\r\nİNŞ\r\n"_w));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
  EXPECT_THROW(ReadDepartmentList(folder / "none.dat"), IoError);
}

TEST(DepartmentListTest, AFailedWriteKeepsTheOldList) {
  TempFolder folder;
  EXPECT_THROW(WriteDepartmentList(folder / "missing-folder/kodlar.dat", {"ELK"}), IoError);
}

}  // namespace
}  // namespace kiremo::catalogue
