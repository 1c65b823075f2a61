#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "cli/cli_runner.h"
#include "cli/page_fixture.h"
#include "demo_server/schedule_server.h"
#include "support/temp_folder.h"

namespace kiremo::testing_support {
namespace {

PageRow Row(const std::string& crn, const std::string& code) {
  return {crn, code, "Ders", "Ali Veli", "EEB", "Pazartesi", "0830/1029", "D101", "ELK"};
}

// A copy of kiremo-cli in an installed layout (<prefix>/bin beside
// <prefix>/share/kiremo/installed), whose own folder root could write, run by
// a user whose XDG_DATA_HOME is a fresh folder.
class InstalledCliTest : public testing::Test {
 protected:
  InstalledCliTest() {
    std::filesystem::create_directories(root / "usr/bin");
    std::filesystem::create_directories(root / "usr/share/kiremo");
    std::filesystem::copy_file(std::string(KIREMO_BIN_DIR) + "/kiremo-cli", program);
    WriteFileAtomically(root / "usr/share/kiremo/installed", "");
    ::setenv("XDG_DATA_HOME", (root / "home/data").c_str(), 1);
  }
  ~InstalledCliTest() override { ::unsetenv("XDG_DATA_HOME"); }

  CliResult Cli(const std::vector<std::string>& words) { return RunProgram(program, words); }
  bool BinHoldsOnlyTheProgram() const {
    for (const auto& entry : std::filesystem::directory_iterator(root / "usr/bin")) {
      if (entry.path() != program) return false;
    }
    return true;
  }

  TempFolder root;
  const std::string program = root / "usr/bin/kiremo-cli";
  const std::string data = root / "home/data/kiremo/";
};

TEST_F(InstalledCliTest, FirstUpdateFillsTheCatalogueInTheUsersDataFolder) {
  demo::ScheduleServer server(demo::MemoryPages({{"index", IndexPageBytes({"ELK", "MAT"})},
                                                 {"ELK", SchedulePageBytes({Row("21011", "ELK 101")})},
                                                 {"MAT", SchedulePageBytes({})}}),
                              {});
  server.Start();
  ::setenv("KIREMO_SCHEDULE_URL", server.Url().c_str(), 1);
  const CliResult update = Cli({"update"});
  ::unsetenv("KIREMO_SCHEDULE_URL");
  ASSERT_EQ(update.status, 0) << update.err;
  EXPECT_EQ(catalogue::ReadDepartmentList(data + "DataBase/kodlar.dat"), (std::vector<std::string>{"ELK", "MAT"}));
  EXPECT_EQ(Cli({"courses", "ELK"}).out, "ELK 101\n");
  EXPECT_TRUE(BinHoldsOnlyTheProgram());
}

TEST_F(InstalledCliTest, ReadingCommandsMakeNothingAndAFolderGivenIsUsedAsItIs) {
  const CliResult departments = Cli({"departments"});
  EXPECT_EQ(departments.status, 1);
  EXPECT_NE(departments.err.find("kodlar.dat"), std::string::npos) << departments.err;
  EXPECT_FALSE(std::filesystem::exists(data + "DataBase"));

  const std::string elsewhere = root / "elsewhere";
  ASSERT_EQ(Cli({"--folder", elsewhere, "init"}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(elsewhere + "/DataBase/dbase.dbs"));
  EXPECT_FALSE(std::filesystem::exists(data + "DataBase"));
  EXPECT_TRUE(BinHoldsOnlyTheProgram());
}

}  // namespace
}  // namespace kiremo::testing_support
