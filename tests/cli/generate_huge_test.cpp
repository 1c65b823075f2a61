// kiremo-cli generate on a choice of courses with hundreds of millions of
// timetables: the exact total at once, a time limit that returns the best so
// far, and Ctrl-C or SIGTERM that print what was found before ending.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "cli/cli_folder_test.h"
#include "generator/combination_search.h"
#include "generator/generated_catalogue.h"

namespace kiremo::cli {
namespace {

using testing_support::CliResult;

class GenerateHuge : public testing_support::CliFolderTest {
 protected:
  // Eight courses BYK 101..108 of thirty sections each.
  void SetUp() override {
    testing_support::CatalogueFixture store(folder.Path());
    store.Department("BYK", generator::testing::GeneratedSections("BYK", Term()));
  }

  static std::vector<generator::TTreeDers> Term() {
    return generator::testing::GeneratedTerm(7, 8, 30, generator::testing::TermShape::FreeHours);
  }

  std::vector<std::string> Words(std::vector<std::string> more) {
    std::vector<std::string> words = {"--folder", folder.Path(), "generate", "--avoid", "", "--json"};
    for (int course = 101; course <= 108; ++course)
      words.insert(words.end(), {"--course", "BYK " + std::to_string(course)});
    words.insert(words.end(), more.begin(), more.end());
    return words;
  }
};

TEST_F(GenerateHuge, TotalPastTheLimitIsExactAndComplete) {
  const CliResult run = testing_support::RunCli(Words({}));
  ASSERT_EQ(run.status, 0) << run.err;
  const auto result = nlohmann::json::parse(run.out);
  EXPECT_EQ(result["count"], 1'000'000);
  EXPECT_EQ(result["complete"], true);
  EXPECT_EQ(result["total"], generator::SearchCombinations(Term(), {.limit = 1}).total);
  EXPECT_GT(result["total"].get<std::int64_t>(), 100'000'000);
}

TEST_F(GenerateHuge, TimeLimitReturnsTheBestSoFarAsIncomplete) {
  const CliResult run = testing_support::RunCli(Words({"--sort", "gaps", "--time-limit", "0.5"}));
  ASSERT_EQ(run.status, 0) << run.err;
  const auto result = nlohmann::json::parse(run.out);
  EXPECT_EQ(result["complete"], false);
  EXPECT_GT(result["count"].get<int>(), 0);
  EXPECT_GE(result["total"].get<std::int64_t>(), result["count"].get<std::int64_t>());
  EXPECT_EQ(result["message"].get<std::string>().rfind("Aramaya ayrılan süre doldu; o ana kadar sıraladığım ", 0), 0u)
      << result["message"];
}

// Waits until the program catches the signal (its handler is in place), a
// little longer for its search to find something, then sends it.
CliResult RunAndSignal(const std::vector<std::string>& words, int signal) {
  const std::string out_path = std::filesystem::temp_directory_path() / ("kiremo-huge-" + std::to_string(::getpid()));
  const std::string program = std::string(KIREMO_BIN_DIR) + "/kiremo-cli";
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    const int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0) ::_exit(127);
    ::dup2(out, 1);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  const unsigned long caught = (1ul << (SIGINT - 1)) | (1ul << (SIGTERM - 1));
  for (int tries = 0; tries < 6000; ++tries) {
    std::ifstream status("/proc/" + std::to_string(child) + "/status");
    std::string line;
    unsigned long mask = 0;
    while (std::getline(status, line)) {
      if (line.rfind("SigCgt:", 0) == 0) mask = std::stoul(line.substr(7), nullptr, 16);
    }
    if ((mask & caught) == caught) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  ::kill(child, signal);
  int status = 0;
  CliResult result;
  if (::waitpid(child, &status, 0) == child && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.out = testing_support::ReadCapture(out_path);
  std::filesystem::remove(out_path);
  return result;
}

TEST_F(GenerateHuge, CtrlCOrSigtermPrintsWhatWasFoundAndEndsWithTheSignalsStatus) {
  for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
    const CliResult run = RunAndSignal(Words({"--sort", "gaps"}), signal);
    ASSERT_EQ(run.status, status) << signal;
    const auto result = nlohmann::json::parse(run.out);
    EXPECT_EQ(result["complete"], false);
    EXPECT_GT(result["count"].get<int>(), 0);
    EXPECT_EQ(result["message"].get<std::string>().rfind("Aramayı durdurdun; o ana kadar sıraladığım ", 0), 0u)
        << result["message"];
  }
}

TEST_F(GenerateHuge, TimeLimitTakesOnlyAPositiveNumberOfSeconds) {
  for (const char* limit : {"0", "-1", "abc", "", "inf", "2s"}) {
    const CliResult run = testing_support::RunCli(Words({"--time-limit", limit}));
    EXPECT_EQ(run.status, 2) << limit;
    EXPECT_NE(run.err.find("--time-limit"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace kiremo::cli
