#include "catalogue/catalogue_pair.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "catalogue/folder_lock.h"
#include "catalogue/pair_reading.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

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

// Links at the pair's names are written through: the files they lead to
// are replaced in their own folder, and the links stay links.
TEST_F(CataloguePairTest, LinksAtThePairsNamesAreWrittenThrough) {
  const std::string elsewhere = folder / "elsewhere/";
  fs::create_directories(elsewhere);
  fs::rename(Path(kMainCatalogue), elsewhere + "catalogue.dbs");
  fs::rename(Path(kDepartmentList), elsewhere + "list.dat");
  fs::create_symlink("../elsewhere/catalogue.dbs", Path(kMainCatalogue));
  fs::create_symlink(elsewhere + "list.dat", Path(kDepartmentList));
  SwitchInNewPair(folder.Path());
  EXPECT_TRUE(fs::is_symlink(Path(kMainCatalogue)));
  EXPECT_TRUE(fs::is_symlink(Path(kDepartmentList)));
  EXPECT_EQ(MainPair(), kNewPair);
  EXPECT_EQ(ReadDepartmentList(elsewhere + "list.dat"), kNewPair.first);
  EXPECT_EQ(Files(), kAtRest);
}

// Everything the switch replaces is looked at before anything moves: a
// folder in the way, or a link to another file system (where no rename
// reaches), refuses the whole switch and says why.
TEST_F(CataloguePairTest, WhatStandsInTheWayRefusesTheSwitchBeforeAnythingMoves) {
  const std::string shm = "/dev/shm/kiremo-switch-test-" + std::to_string(::getpid());
  struct stat here {};
  struct stat there {};
  const bool other_file_system =
      ::stat(folder.Path().c_str(), &here) == 0 && ::stat("/dev/shm", &there) == 0 && here.st_dev != there.st_dev;
  const struct {
    const char* what;
    std::function<void()> block;
    const char* says;
  } cases[] = {
      {"the list is a folder",
       [&] {
         fs::remove(Path(kDepartmentList));
         fs::create_directory(Path(kDepartmentList));
       },
       "kodlar.dat\" bir klasör"},
      {"the catalogue is a folder",
       [&] {
         fs::remove(Path(kMainCatalogue));
         fs::create_directory(Path(kMainCatalogue));
       },
       "dbase.dbs\" bir klasör"},
      {"the list leads to another file system",
       [&] {
         fs::copy_file(Path(kDepartmentList), shm);
         fs::remove(Path(kDepartmentList));
         fs::create_symlink(shm, Path(kDepartmentList));
       },
       "başka bir dosya sistemindeki"},
  };
  for (const auto& c : cases) {
    if (std::string(c.what).find("another") != std::string::npos && !other_file_system) continue;
    fs::remove_all(Path(kCatalogueFolder));
    fs::create_directories(folder / "DataBase");
    MakeCatalogue(kMainCatalogue, "OLD");
    WriteDepartmentList(Path(kDepartmentList), {"OLD"});
    MakeCatalogue(kTempCatalogue, "NEW");
    WriteDepartmentList(Path(kDepartmentListNew), {"NEW"});
    c.block();
    const std::set<std::string> before = Files();
    try {
      SwitchInNewPair(folder.Path());
      ADD_FAILURE() << c.what << ": switched";
    } catch (const SwitchError& e) {
      EXPECT_FALSE(e.Begun()) << c.what;
      const std::string text = Cp1254ToUtf8(e.what());
      EXPECT_NE(text.find(c.says), std::string::npos) << c.what << ": " << text;
      EXPECT_NE(text.find("Ders bilgileri ve bölüm listesi olduğu gibi duruyor."), std::string::npos) << text;
    }
    EXPECT_EQ(Files(), before) << c.what;  // no marker, nothing moved
    EXPECT_FALSE(fs::exists(Path(kSwitchMarker))) << c.what;
  }
  fs::remove(shm);
}

// A switch that a killed program left half done, with a folder where the
// new list should go: the next writer says what is switched and what is
// not, and readers say so instead of reading a mixed pair.
TEST_F(CataloguePairTest, AHalfDoneSwitchThatCannotBeCompletedIsSaidNotRead) {
  WriteFileAtomically(Path(kSwitchMarker), "");
  fs::rename(Path(kTempCatalogue), Path(kMainCatalogue));
  fs::remove(Path(kDepartmentList));
  fs::create_directory(Path(kDepartmentList));
  try {
    TidyCatalogueFolder(folder.Path());
    ADD_FAILURE() << "completed";
  } catch (const SwitchError& e) {
    EXPECT_TRUE(e.Begun());
    EXPECT_NE(Cp1254ToUtf8(e.what()).find("Yeni ders bilgileri yerine kondu, ama yeni bölüm listesi konamadı"),
              std::string::npos)
        << Cp1254ToUtf8(e.what());
  }
  EXPECT_TRUE(fs::exists(Path(kSwitchMarker)));
  EXPECT_FALSE(CompleteInterruptedSwitch(folder.Path()).reason.empty());
  EXPECT_THROW(ReadListedDepartments(folder.Path()), PendingSwitchError);
  EXPECT_THROW(Database(MakeConnectionString(folder.Path(), kMainCatalogue)), PendingSwitchError);
  fs::remove(Path(kDepartmentList));
  EXPECT_TRUE(CompleteInterruptedSwitch(folder.Path()).reason.empty());
  EXPECT_EQ(MainPair(), kNewPair);
  EXPECT_EQ(Files(), kAtRest);
}

// Killed between the two renames in a folder that has since become
// read-only: nobody can complete the switch, and nobody reads the half.
TEST_F(CataloguePairTest, AReadOnlyFolderWithABegunSwitchSaysSo) {
  WriteFileAtomically(Path(kSwitchMarker), "");
  fs::rename(Path(kTempCatalogue), Path(kMainCatalogue));
  const std::string data = Path(kCatalogueFolder);
  ::chmod(data.c_str(), 0555);
  std::string said;
  try {
    ReadListedDepartments(folder.Path());
  } catch (const PendingSwitchError& e) {
    said = Cp1254ToUtf8(e.what());
  }
  EXPECT_THROW(Database(MakeConnectionString(folder.Path(), kMainCatalogue)), PendingSwitchError);
  ::chmod(data.c_str(), 0755);
  EXPECT_NE(said.find("yarıda kalmış ve klasör salt okunur"), std::string::npos) << said;
  EXPECT_EQ(ReadListedDepartments(folder.Path()), kNewPair.first);  // writable again: completed
  EXPECT_EQ(Files(), kAtRest);
}

// A reader that holds the pair while it reads both never meets one of them
// switched and the other not, however the switches fall.
TEST_F(CataloguePairTest, AReaderNeverSeesAMixedPair) {
  const std::optional<FolderLock> writer = FolderLock::TryAcquire(Path(kCatalogueFolder));  // the switch's caller
  ASSERT_TRUE(writer.has_value());
  std::atomic<bool> done{false};
  std::atomic<int> reads{0};
  std::atomic<int> mixed{0};
  std::thread reader([&] {
    while (!done) {
      try {
        const PairReading reading(folder.Path());
        const std::vector<std::string> list = ReadDepartmentList(Path(kDepartmentList));
        const std::vector<std::string> tables =
            Database(MakeConnectionString(folder.Path(), kMainCatalogue)).TableNames();
        if (list.size() != 1 || tables != std::vector<std::string>{LowerAscii(list[0]) + "_tb"}) ++mixed;
      } catch (const std::exception&) {
        ++mixed;
      }
      ++reads;
    }
  });
  std::string failure;
  for (int k = 0; k < 12 && failure.empty(); ++k) {
    const std::string code = k % 2 == 0 ? "NEW" : "OLD";
    try {
      if (k > 0) {
        MakeCatalogue(kTempCatalogue, code);
        WriteDepartmentList(Path(kDepartmentListNew), {code});
      }
      SwitchInNewPair(folder.Path());
    } catch (const std::exception& e) {
      failure = Cp1254ToUtf8(e.what());
    }
  }
  done = true;
  reader.join();
  EXPECT_EQ(failure, "");
  EXPECT_GT(reads, 0);
  EXPECT_EQ(mixed, 0);
}

// What a write of the marker or of the new list leaves when the program is
// killed in its middle goes at the next claim of the folder.
TEST_F(CataloguePairTest, TemporariesOfKilledWritesAreRemovedWithTheRest) {
  for (const char* name : {".switch.dat.a1b2c3d4e5f6", ".temp.dat.zzzzzzzzzzzz", ".kodlar.dat.a1b2c3d4e5f6"}) {
    WriteFileAtomically(Path(kCatalogueFolder) + name, "x");
  }
  EXPECT_FALSE(TidyCatalogueFolder(folder.Path()));
  EXPECT_EQ(Files(), (std::set<std::string>{"dbase.dbs", "kodlar.dat", ".kodlar.dat.a1b2c3d4e5f6"}));
}

// A main catalogue set aside as damaged goes with the switch.
TEST_F(CataloguePairTest, ACatalogueSetAsideGoesWithTheSwitch) {
  ASSERT_TRUE(SetAsideMainCatalogue(folder.Path()));
  EXPECT_TRUE(fs::exists(Path(kMainCatalogue) + ".bozuk"));
  SwitchInNewPair(folder.Path());
  EXPECT_EQ(MainPair(), kNewPair);
  EXPECT_EQ(Files(), kAtRest);
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
