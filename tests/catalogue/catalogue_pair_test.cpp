#include "catalogue/catalogue_pair.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "catalogue/folder_lock.h"
#include "support/temp_folder.h"

namespace kiremo::catalogue {
namespace {

using testing_support::TempFolder;
namespace fs = std::filesystem;

// A program folder with an old pair (list OLD, a catalogue whose table
// "old" holds one row) and a new pair waiting beside it (list NEW, a
// catalogue whose table "new" holds one row).
class CataloguePairTest : public testing::Test {
 protected:
  CataloguePairTest() {
    fs::create_directories(folder / "DataBase");
    MakeCatalogue(kMainCatalogue, "OLD");
    WriteDepartmentList(Path(kDepartmentList), {"OLD"});
    MakeCatalogue(kTempCatalogue, "NEW");
    WriteDepartmentList(Path(kDepartmentListNew), {"NEW"});
  }

  std::string Path(std::string_view relative) const { return folder / std::string(relative); }
  void MakeCatalogue(std::string_view file, const std::string& code) {
    Database::CreateEmpty(Path(file), kPassword);
    Database db(MakeConnectionString(folder.Path(), file));
    db.CreateTable(code);
    SectionValues row;
    row.crn = code;
    db.Insert(code, row);
  }
  // The department list and the tables of the main catalogue.
  std::pair<std::vector<std::string>, std::vector<std::string>> MainPair() const {
    Database main(MakeConnectionString(folder.Path(), kMainCatalogue));
    return {ReadDepartmentList(Path(kDepartmentList)), main.TableNames()};
  }
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(Path(kCatalogueFolder))) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  TempFolder folder;
  const std::pair<std::vector<std::string>, std::vector<std::string>> kOldPair{{"OLD"}, {"old_tb"}};
  const std::pair<std::vector<std::string>, std::vector<std::string>> kNewPair{{"NEW"}, {"new_tb"}};
  const std::set<std::string> kAtRest{"dbase.dbs", "kodlar.dat"};
};

TEST_F(CataloguePairTest, TheNewPairReplacesTheOldOneAndNothingIsLeftBeside) {
  SwitchInNewPair(folder.Path());
  EXPECT_EQ(MainPair(), kNewPair);
  EXPECT_EQ(Files(), kAtRest);
}

// Each moment a kill can stop a switch at, as the folder then looks: the
// next writer (or reader) completes it, and an update that never reached
// the switch is undone.
TEST_F(CataloguePairTest, WhatAKilledSwitchLeftIsCompletedAndWhatAKilledUpdateLeftIsRemoved) {
  const std::string marker = Path(kSwitchMarker);
  struct Moment {
    const char* name;
    bool marker_down;
    bool catalogue_moved;
    bool list_moved;
    bool new_pair;
  };
  for (const Moment& moment :
       {Moment{"before the marker", false, false, false, false}, Moment{"after the marker", true, false, false, true},
        Moment{"after the catalogue", true, true, false, true}, Moment{"after both", true, true, true, true}}) {
    fs::remove_all(Path(kCatalogueFolder));
    fs::create_directories(folder / "DataBase");
    MakeCatalogue(kMainCatalogue, "OLD");
    WriteDepartmentList(Path(kDepartmentList), {"OLD"});
    MakeCatalogue(kTempCatalogue, "NEW");
    WriteDepartmentList(Path(kDepartmentListNew), {"NEW"});
    if (moment.marker_down) WriteFileAtomically(marker, "");
    if (moment.catalogue_moved) fs::rename(Path(kTempCatalogue), Path(kMainCatalogue));
    if (moment.list_moved) fs::rename(Path(kDepartmentListNew), Path(kDepartmentList));

    CompleteInterruptedSwitch(folder.Path());  // a reader does this much
    if (moment.marker_down) {
      EXPECT_EQ(MainPair(), kNewPair) << moment.name;
      EXPECT_EQ(Files(), kAtRest) << moment.name;
    }
    EXPECT_EQ(TidyCatalogueFolder(folder.Path()), false) << moment.name;
    EXPECT_EQ(MainPair(), moment.new_pair ? kNewPair : kOldPair) << moment.name;
    EXPECT_EQ(Files(), kAtRest) << moment.name;
  }
}

TEST(FolderLockTest, OneHolderAtATimeAcrossProgramsAndTheFileGoesWithTheLock) {
  TempFolder folder;
  {
    std::optional<FolderLock> held = FolderLock::TryAcquire(folder.Path());
    ASSERT_TRUE(held.has_value());
    EXPECT_FALSE(FolderLock::TryAcquire(folder.Path()).has_value()) << "another update of this program";
    const pid_t child = ::fork();
    if (child == 0) ::_exit(FolderLock::TryAcquire(folder.Path()).has_value() ? 1 : 0);
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "another program";
  }
  EXPECT_TRUE(fs::is_empty(folder.Path()));
  EXPECT_TRUE(FolderLock::TryAcquire(folder.Path()).has_value());
}

}  // namespace
}  // namespace kiremo::catalogue
