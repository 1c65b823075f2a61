#include "catalogue/temp_tables.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue/catalogue_files.h"
#include "catalogue/catalogue_pair.h"
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
  bool Create(const std::vector<std::string>& lines) {
    return CreateTempTables(folder.Path(), lines, [this](const std::string& text) { statuses.push_back(text); });
  }

  TempFolder folder;
  std::vector<std::string> statuses;
};

// The new catalogue holds the listed departments and nothing else: a
// department the list no longer names leaves with the update.
TEST_F(CreateTempTablesTest, EmptiesListedTablesAndDropsTheOthers) {
  EXPECT_FALSE(Create({"ELK", "MAT"}));
  EXPECT_EQ(statuses, (std::vector<std::string>{std::string("Geçici Tablolar Yaratıldı"_w)}));
  Database temp = Temp();
  EXPECT_TRUE(temp.Sections("elk").empty());
  EXPECT_TRUE(temp.Sections("mat").empty());
  EXPECT_EQ(temp.TableNames(), (std::vector<std::string>{"elk_tb", "mat_tb"}));
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
  EXPECT_EQ(names, (std::vector<std::string>{"elk_tb"}));
  EXPECT_TRUE(temp.Sections("elk").empty());
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

// The new catalogue needs nothing of the old one: whatever stands in its
// place (nothing, no bytes, no catalogue, a pipe nobody writes to) gives way
// to a new, empty catalogue, and a file is set aside until the switch.
TEST_F(CreateTempTablesTest, AMainCatalogueThatCannotServeGivesWayToANewOne) {
  const std::string aside = MainPath() + ".bozuk";
  const struct {
    const char* what;
    std::function<void()> damage;
    bool set_aside;
  } cases[] = {
      {"missing", [&] { std::filesystem::remove(MainPath()); }, false},
      {"empty", [&] { std::filesystem::resize_file(MainPath(), 0); }, true},
      {"no catalogue", [&] { WriteFileAtomically(MainPath(), std::string(4096, '\x7F')); }, true},
      {"a pipe",
       [&] {
         std::filesystem::remove(MainPath());
         ::mkfifo(MainPath().c_str(), 0644);
       },
       true},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(MainPath());
    SetUp();  // a sound catalogue again
    c.damage();
    statuses.clear();
    EXPECT_EQ(Create({"ELK"}), c.set_aside) << c.what;
    EXPECT_EQ(Temp().TableNames(), (std::vector<std::string>{"elk_tb"})) << c.what;
    EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(aside)), c.set_aside) << c.what;
    EXPECT_EQ(statuses.size(), 1u) << c.what;
    // An update that ends without a switch puts it back.
    RemoveNewPair(folder.Path());
    EXPECT_FALSE(std::filesystem::exists(TempPath())) << c.what;
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(aside))) << c.what;
    EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(MainPath())), c.set_aside) << c.what;
  }
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
