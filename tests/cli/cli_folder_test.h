#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_runner.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::testing_support {

inline std::string W(std::string_view cp1254) { return std::string(cp1254); }

// kiremo-cli run on a program folder whose catalogue the test fills.
class CliFolderTest : public ::testing::Test {
 protected:
  // kiremo-cli --folder FOLDER, then the words.
  CliResult RunIn(std::vector<std::string> words) {
    words.insert(words.begin(), {"--folder", folder.Path()});
    return RunCli(words);
  }

  TempFolder folder;
};

}  // namespace kiremo::testing_support
