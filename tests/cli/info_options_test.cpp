#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace kiremo::cli {
namespace {

using testing_support::RunCli;

// Answered before any folder is looked at, on standard output, with success.
TEST(InfoOptionsTest, VersionAndHelpAnswerOnStandardOutput) {
  const auto version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "kiremo-cli 1.51\n");

  for (const auto& words : {std::vector<std::string>{"--help"}, {"help"}, {"--folder", "/yok", "--help"}}) {
    const auto help = RunCli(words);
    EXPECT_EQ(help.status, 0) << words[0];
    EXPECT_TRUE(help.err.empty()) << help.err;
    for (const char* piece : {"kullanım: kiremo-cli", "generate --course", "--version", "~/.local/share/kiremo"}) {
      EXPECT_NE(help.out.find(piece), std::string::npos) << piece;
    }
  }
}

}  // namespace
}  // namespace kiremo::cli
