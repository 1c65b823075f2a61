#include "app/data_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "catalogue/file_system.h"
#include "support/temp_folder.h"
#include "text/errors.h"

namespace kiremo::app {
namespace {

using testing_support::TempFolder;

// Sets (or unsets, with nullopt) an environment variable for one test.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// An installed layout: <prefix>/bin/ with <prefix>/share/kiremo/installed.
std::string InstalledBin(const TempFolder& prefix) {
  std::filesystem::create_directories(prefix / "bin");
  std::filesystem::create_directories(prefix / "share/kiremo");
  WriteFileAtomically(prefix / "share/kiremo/installed", "");
  return prefix / "bin/";
}

class DataFolderTest : public ::testing::Test {
 protected:
  TempFolder prefix;
  TempFolder home;
};

TEST_F(DataFolderTest, WritableProgramFolderKeepsItsDataBesideTheExecutable) {
  ScopedVariable data_home("XDG_DATA_HOME", home / "data");
  std::filesystem::create_directories(prefix / "bin");
  EXPECT_FALSE(IsInstalledFolder(prefix / "bin/"));
  EXPECT_EQ(DataFolder(prefix / "bin/"), prefix / "bin/");
  EXPECT_FALSE(std::filesystem::exists(home / "data")) << "nothing is made in the home";
}

TEST_F(DataFolderTest, InstalledProgramUsesThePrivateUserFolderEvenWhenItsOwnIsWritable) {
  ScopedVariable data_home("XDG_DATA_HOME", home / "data");
  const std::string bin = InstalledBin(prefix);
  EXPECT_TRUE(IsInstalledFolder(bin));
  EXPECT_EQ(DataFolder(bin), home / "data/kiremo/");
  struct stat info {};
  ASSERT_EQ(::stat((home / "data/kiremo").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(::stat((home / "data").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u) << "a missing XDG_DATA_HOME is made private too";
  EXPECT_EQ(DataFolder(bin), home / "data/kiremo/") << "an existing folder is taken as it is";
  EXPECT_EQ(std::filesystem::directory_iterator(prefix / "bin"), std::filesystem::directory_iterator());
}

// The program's own folder is made private whoever made it; the folders
// above it are the user's and stay as they are.
TEST_F(DataFolderTest, AnExistingDataFolderOpenToOthersIsMadePrivate) {
  ScopedVariable data_home("XDG_DATA_HOME", home / "data");
  const std::string bin = InstalledBin(prefix);
  std::filesystem::create_directories(home / "data/kiremo");
  ::chmod((home / "data").c_str(), 0755);
  for (const mode_t mode : {0755, 0775, 0711, 0700}) {
    ::chmod((home / "data/kiremo").c_str(), mode);
    EXPECT_EQ(DataFolder(bin), home / "data/kiremo/");
    struct stat info {};
    ASSERT_EQ(::stat((home / "data/kiremo").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << std::oct << mode;
    ASSERT_EQ(::stat((home / "data").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u);
  }
}

TEST_F(DataFolderTest, UserFolderFollowsTheBaseDirectoryRules) {
  const struct {
    std::optional<std::string> data_home;
    std::optional<std::string> home_variable;
    std::string expected;
  } cases[] = {
      {home / "xdg", home.Path(), home / "xdg/kiremo/"},
      {home / "xdg//", home.Path(), home / "xdg/kiremo/"},
      {std::nullopt, home.Path(), home / ".local/share/kiremo/"},
      {"", home.Path(), home / ".local/share/kiremo/"},
      {"relative/data", home.Path(), home / ".local/share/kiremo/"},
      {std::nullopt, std::nullopt, ""},
      {std::nullopt, "relative", ""},
  };
  for (const auto& c : cases) {
    ScopedVariable data_home("XDG_DATA_HOME", c.data_home);
    ScopedVariable home_variable("HOME", c.home_variable);
    EXPECT_EQ(UserDataFolder(), c.expected) << c.data_home.value_or("(unset)");
  }
}

TEST_F(DataFolderTest, NoUsableUserFolderIsAnError) {
  const std::string bin = InstalledBin(prefix);
  {
    ScopedVariable data_home("XDG_DATA_HOME", std::nullopt);
    ScopedVariable home_variable("HOME", std::nullopt);
    EXPECT_THROW(DataFolder(bin), IoError);
  }
  WriteFileAtomically(home / "file", "x");
  for (const std::string& blocked : {home / "file", home / "file/data"}) {
    ScopedVariable data_home("XDG_DATA_HOME", blocked);
    EXPECT_THROW(DataFolder(bin), IoError) << blocked;
  }
}

}  // namespace
}  // namespace kiremo::app
