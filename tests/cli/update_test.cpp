#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "cli/cli_runner.h"
#include "cli/page_fixture.h"
#include "demo_server/schedule_server.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::testing_support {
namespace {

using namespace std::chrono_literals;

constexpr char kConnectionFailed[] =
    "HATA: Sunucuya bağlanamadım! Internete bağlı olduğundan ve ZEMÜ'nün sitesinin göçmediğinden emin olduktan "
    "sonra tekrar dene!\n";

PageRow Row(const std::string& crn, const std::string& code) {
  return {crn, code, "Ders", "Ali Veli", "EEB", "Pazartesi", "0830/1029", "D101", "ELK"};
}

// A program folder whose catalogue holds the old term: one row "OLD" in the
// table of every department given.
class UpdateCommandTest : public testing::Test {
 protected:
  void SetUp() override { MakeOldTerm({"ELK", "MAT", "FIZ"}); }

  void MakeOldTerm(const std::vector<std::string>& codes) {
    std::filesystem::create_directories(program + "DataBase");
    catalogue::Database::CreateEmpty(program + std::string(catalogue::kMainCatalogue), catalogue::kPassword);
    catalogue::Database main(Connection());
    for (const std::string& code : codes) {
      main.CreateTable(code);
      catalogue::SectionValues old;
      old.crn = "OLD";
      main.Insert(code, old);
    }
    catalogue::WriteDepartmentList(program + std::string(catalogue::kDepartmentList), codes);
  }
  std::string Connection() const { return catalogue::MakeConnectionString(program, catalogue::kMainCatalogue); }
  std::string MainPath() const { return program + std::string(catalogue::kMainCatalogue); }
  std::vector<std::string> Crns(const std::string& code) const {
    catalogue::Database main(Connection());
    std::vector<std::string> crns;
    for (const auto& section : main.Sections(code)) crns.push_back(section.crn);
    return crns;
  }
  void Serve(std::map<std::string, std::string> pages, demo::ServerOptions options = {}) {
    server = std::make_unique<demo::ScheduleServer>(demo::MemoryPages(std::move(pages)), std::move(options));
    server->Start();
    ::setenv("KIREMO_SCHEDULE_URL", server->Url().c_str(), 1);
  }
  CliResult Cli(std::vector<std::string> words) {
    words.insert(words.begin(), {"--folder", program});
    return RunCli(words);
  }

  TempFolder root;
  const std::string program = root / "program/";
  std::unique_ptr<demo::ScheduleServer> server;
};

std::map<std::string, std::string> ThreeDepartments() {
  return {{"index", IndexPageBytes({"ELK", "MAT", "FIZ"})},
          {"ELK", SchedulePageBytes({Row("11", "ELK 101"), Row("12", "ELK 102")})},
          {"MAT", SchedulePageBytes({Row("21", "MAT 101")})},
          {"FIZ", SchedulePageBytes({})}};
}

bool HasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST_F(UpdateCommandTest, PrintsEveryStoredDepartmentAndTheCompletion) {
  Serve(ThreeDepartments());
  const CliResult result = Cli({"update"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(HasLine(result.out, "elk güncellendi.")) << result.out;
  EXPECT_TRUE(HasLine(result.out, "mat güncellendi.")) << result.out;
  EXPECT_FALSE(HasLine(result.out, "fiz güncellendi.")) << result.out;
  EXPECT_TRUE(
      result.out.ends_with("3 tane sayfayı tek tek dolaşıp ne var ne yok alarak güncelleme işlemini tamamladım!\n"))
      << result.out;
  EXPECT_EQ(Crns("elk"), (std::vector<std::string>{"11", "12"}));
  EXPECT_TRUE(Crns("fiz").empty());
}

TEST_F(UpdateCommandTest, AFailureExitsWithOneAndTheMessageAndKeepsTheCatalogue) {
  demo::ServerOptions failing;
  failing.failure = demo::Failure::Status;
  failing.failure_status = 500;
  failing.fail_after = 1;
  Serve(ThreeDepartments(), failing);
  const std::string before = ReadWholeFile(MainPath());
  const CliResult result = Cli({"update"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, kConnectionFailed);
  EXPECT_EQ(ReadWholeFile(MainPath()), before);
  EXPECT_FALSE(std::filesystem::exists(program + std::string(catalogue::kTempCatalogue)));
}

TEST_F(UpdateCommandTest, DepartmentUpdatesOneTable) {
  Serve(ThreeDepartments());
  CliResult result = Cli({"update", "--department", "ELK"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "elk güncellendi.\n");
  EXPECT_EQ(Crns("elk"), (std::vector<std::string>{"11", "12"}));
  EXPECT_EQ(Crns("mat"), (std::vector<std::string>{"OLD"}));

  result = Cli({"update", "--department", "FIZ"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Crns("fiz"), (std::vector<std::string>{"OLD"}));

  server->Stop();
  result = Cli({"update", "--department", "MAT"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "HATA: Otomatik güncelleme işlemi bağlantıdaki bir problemden dolayı başarısız oldu. Bağlantı düzelene "
            "kadar bu özelliği kapatsan iyi edersin.\n");
  EXPECT_EQ(Crns("mat"), (std::vector<std::string>{"OLD"}));
}

pid_t StartCli(const std::string& program) {
  const std::string cli = std::string(KIREMO_BIN_DIR) + "/kiremo-cli";
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execl(cli.c_str(), cli.c_str(), "--folder", program.c_str(), "update", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return child;
}

// Whenever the program is killed, the main catalogue opens and holds one
// whole term: the old one, or (once the switch is done) the new one.
TEST_F(UpdateCommandTest, KillingTheProgramNeverLeavesAMixedOrBrokenCatalogue) {
  std::vector<std::string> codes;
  std::map<std::string, std::string> pages;
  for (char c = 'A'; c <= 'L'; ++c) {
    const std::string code = std::string("DP") + c;
    codes.push_back(code);
    pages[code] = SchedulePageBytes({Row("1", code + " 101"), Row("2", code + " 102")});
  }
  pages["index"] = IndexPageBytes(codes);
  std::filesystem::remove_all(program);
  MakeOldTerm(codes);
  demo::ServerOptions slow;
  slow.delay = 150ms;
  Serve(pages, slow);

  auto whole_term = [&](const std::vector<std::string>& expected) {
    catalogue::Database main(Connection());
    for (const std::string& code : codes) {
      std::vector<std::string> crns;
      for (const auto& section : main.Sections(code)) crns.push_back(section.crn);
      if (crns != expected) return false;
    }
    return true;
  };
  auto kill_when_asked = [&](int asked) {
    const int before = server->DepartmentPagesAsked();
    const pid_t child = StartCli(program);
    ASSERT_GT(child, 0);
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (server->DepartmentPagesAsked() < before + asked && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(5ms);
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
  };

  // While pages are still being fetched and stored: always the whole old term.
  for (const int asked : {1, 6, 11}) {
    kill_when_asked(asked);
    EXPECT_TRUE(whole_term({"OLD"})) << "killed after " << asked << " pages";
  }
  // Around the switch: one whole term or the other, never a mix.
  kill_when_asked(12);
  EXPECT_TRUE(whole_term({"OLD"}) || whole_term({"1", "2"}));

  // The next update reuses what the killed one left and completes.
  const CliResult result = Cli({"update"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(whole_term({"1", "2"}));
}

}  // namespace
}  // namespace kiremo::testing_support
