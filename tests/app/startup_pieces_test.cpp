#include <gtest/gtest.h>

#include <filesystem>

#include "app/delete_folder.h"
#include "app/startup_file.h"
#include "catalogue/file_system.h"
#include "support/temp_folder.h"

namespace kiremo::app {
namespace {

using testing_support::TempFolder;

TEST(StartupFile, ArgumentsAfterTheProgramMakeOnePath) {
  EXPECT_EQ(StartupFileFromArguments({}), "");
  EXPECT_EQ(StartupFileFromArguments({"/home/a/plan 1.dkf"}), "/home/a/plan 1.dkf");
  EXPECT_EQ(StartupFileFromArguments({"/home/a/plan", "1.dkf"}), "/home/a/plan 1.dkf");
  EXPECT_EQ(StartupFileFromArguments({"", "x.dkf"}), " x.dkf");
}

TEST(DeleteFolder, RemovesTheFolderWithItsContentAndNothingElse) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "__history/deep/er");
  WriteFileAtomically(folder / "__history/deep/er/a.~1~", "x");
  WriteFileAtomically(folder / "keep.txt", "y");
  EXPECT_TRUE(DeleteFolder(folder / "__history"));
  EXPECT_FALSE(std::filesystem::exists(folder / "__history"));
  EXPECT_TRUE(std::filesystem::exists(folder / "keep.txt"));
}

TEST(DeleteFolder, FailsQuietlyWithoutAFolder) {
  TempFolder folder;
  WriteFileAtomically(folder / "file", "x");
  EXPECT_FALSE(DeleteFolder(folder / "missing"));
  EXPECT_FALSE(DeleteFolder(folder / "file"));
  EXPECT_TRUE(std::filesystem::exists(folder / "file"));
}

TEST(DeleteFolder, LinkToAFolderIsNotFollowed) {
  TempFolder folder;
  TempFolder outside;
  WriteFileAtomically(outside / "precious", "z");
  std::filesystem::create_directory_symlink(outside.Path(), folder / "__history");
  EXPECT_FALSE(DeleteFolder(folder / "__history"));
  EXPECT_TRUE(std::filesystem::exists(outside / "precious"));
}

}  // namespace
}  // namespace kiremo::app
