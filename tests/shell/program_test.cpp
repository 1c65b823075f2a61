#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "catalogue/file_system.h"
#include "shell/gui_fixture.h"

namespace kiremo::shell::testing {
namespace {

using ProgramTest = GuiTest;

// The program, copied into the test's program folder: it finds its
// catalogue beside itself.
TEST_F(ProgramTest, WithoutADisplayTheWindowIsDrawnIntoAPicture) {
  const std::string program = std::string(KIREMO_BIN_DIR) + "/kiremo";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "the kiremo program is not built";
  std::filesystem::copy_file(program, folder / "kiremo");
  const std::string command = "cd '" + folder.Path() + "' && env QT_QPA_PLATFORM=offscreen KIREMO_SCREENSHOT='" +
                              folder / "window.png" + "' KIREMO_SITE_URL=http://127.0.0.1:9 XDG_DATA_HOME='" +
                              folder / "xdg" + "' XDG_CONFIG_HOME='" + folder / "xdg" + "' timeout 60 ./kiremo 2>'" +
                              folder / "errors.txt" + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const QImage picture(QString::fromStdString(folder / "window.png"));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.width(), 812);
  EXPECT_GT(picture.height(), 647);
}

// The picture goes where every file of the program goes: never through
// another user's link in a sticky folder that everyone writes.
TEST_F(ProgramTest, TheWindowsPictureIsNotWrittenThroughAnotherUsersLink) {
  const std::string program = std::string(KIREMO_BIN_DIR) + "/kiremo";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "the kiremo program is not built";
  if (::geteuid() != 0) GTEST_SKIP() << "planting another user's link needs root";
  std::filesystem::copy_file(program, folder / "kiremo");
  const std::string shared = folder / "paylasilan/";
  std::filesystem::create_directory(shared);
  ::chmod(shared.c_str(), 01777);
  std::ofstream(folder / "notlar.txt") << "notlar";
  std::filesystem::create_symlink(folder / "notlar.txt", shared + "window.png");
  ASSERT_EQ(::lchown((shared + "window.png").c_str(), 4343, 4343), 0);
  const std::string command = "cd '" + folder.Path() + "' && env QT_QPA_PLATFORM=offscreen KIREMO_SCREENSHOT='" +
                              shared + "window.png' KIREMO_SITE_URL=http://127.0.0.1:9 XDG_DATA_HOME='" +
                              folder / "xdg" + "' XDG_CONFIG_HOME='" + folder / "xdg" + "' timeout 60 ./kiremo 2>&1" +
                              " | grep -c 'bir kullanıcıya ait bir bağlantı' >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << "the refusal names the link";
  EXPECT_EQ(ReadWholeFile(folder / "notlar.txt"), "notlar");
}

TEST_F(ProgramTest, BoxesOfADrawnWindowGoToTheTerminalInsteadOfWaiting) {
  const std::string program = std::string(KIREMO_BIN_DIR) + "/kiremo";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "the kiremo program is not built";
  catalogue.RemoveDepartmentList();
  std::filesystem::copy_file(program, folder / "kiremo");
  const std::string command = "cd '" + folder.Path() + "' && env QT_QPA_PLATFORM=offscreen KIREMO_SCREENSHOT='" +
                              folder / "window.png" + "' XDG_DATA_HOME='" + folder / "xdg" + "' XDG_CONFIG_HOME='" +
                              folder / "xdg" + "' timeout 60 ./kiremo 2>&1 | grep -c 'kodlar.dat'";
  ASSERT_EQ(std::system(command.c_str()), 0) << "the missing department list was reported";
  EXPECT_TRUE(std::filesystem::exists(folder / "window.png"));
}

}  // namespace
}  // namespace kiremo::shell::testing
