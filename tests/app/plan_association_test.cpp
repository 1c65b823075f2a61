#include "app/plan_association.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "catalogue/file_system.h"
#include "support/desktop_session.h"
#include "support/temp_folder.h"
#include "text/errors.h"

namespace kiremo::app {
namespace {

using testing_support::DesktopSession;
using testing_support::HaveProgram;
using testing_support::TempFolder;

class PlanAssociationTest : public ::testing::Test {
 protected:
  TempFolder home;
  XdgFolders folders{home / "data", home / "config"};
  DesktopSession session{folders.data_home, folders.config_home, home / "system/share", home / "system/xdg"};
};

// The copy started last opens plans, whether or not the program's package
// is installed for the whole system, and wherever the copy lies.
TEST_F(PlanAssociationTest, DesktopToolsSeeTheProgramAsTheDefaultForPlans) {
  if (!HaveProgram("xdg-mime") || !HaveProgram("update-mime-database") || !HaveProgram("update-desktop-database")) {
    GTEST_SKIP() << "xdg-utils, shared-mime-info or desktop-file-utils missing";
  }
  struct Case {
    const char* name;
    bool package_installed;
    const char* program;
  };
  const Case cases[] = {
      {"no package", false, "bin/kiremo"},
      {"package installed", true, "bin/kiremo"},
      {"package installed, a space in the copy's path", true, "Ders Programı/kiremo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* folder : {"data", "config", "system"}) std::filesystem::remove_all(home / folder);
    std::filesystem::create_directories(session.system_data);
    if (c.package_installed) {
      ASSERT_TRUE(testing_support::InstallPackagedEntry(session));
    }
    EXPECT_EQ(session.DefaultForPlans(), c.package_installed ? "tr.edu.zemu.kiremo.desktop" : "");

    RegisterPlanAssociation(testing_support::MakeExecutable(home / c.program), folders);
    EXPECT_EQ(session.DefaultForPlans(), "kiremo.desktop");
    WriteFileAtomically(home / "plan.dkf", std::string(410, '\0'));
    EXPECT_EQ(session.TypeOf(home / "plan.dkf"), "application/x-kiremo-plan");
    EXPECT_TRUE(std::filesystem::exists(folders.data_home + "/mime/mime.cache"));
  }
}

TEST_F(PlanAssociationTest, DesktopEntryStartsTheProgramWithTheFile) {
  RegisterPlanAssociation("/opt/kiremo/kiremo", folders);
  const std::string entry = ReadWholeFile(folders.data_home + "/applications/kiremo.desktop");
  EXPECT_NE(entry.find("\nExec=/opt/kiremo/kiremo %f\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nMimeType=application/x-kiremo-plan;\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nStartupWMClass=kiremo\n"), std::string::npos) << "the window's class, for the docks";
  const std::string package = ReadWholeFile(folders.data_home + "/mime/packages/kiremo-plan.xml");
  EXPECT_NE(package.find("<glob pattern=\"*.dkf\"/>"), std::string::npos) << package;
}

TEST_F(PlanAssociationTest, EveryStartPointsTheAssociationAtTheCopyStartedLast) {
  std::filesystem::create_directories(folders.config_home);
  WriteFileAtomically(folders.config_home + "/mimeapps.list",
                      "[Default Applications]\ntext/plain=editor.desktop\n"
                      "application/x-kiremo-plan=old.desktop\n\n[Added Associations]\nimage/png=viewer.desktop;\n");
  RegisterPlanAssociation("/old/kiremo", folders);
  RegisterPlanAssociation("/new/kiremo", folders);
  EXPECT_EQ(ReadWholeFile(folders.config_home + "/mimeapps.list"),
            "[Default Applications]\ntext/plain=editor.desktop\napplication/x-kiremo-plan=kiremo.desktop\n\n"
            "[Added Associations]\nimage/png=viewer.desktop;\n");
  const std::string entry = ReadWholeFile(folders.data_home + "/applications/kiremo.desktop");
  EXPECT_NE(entry.find("Exec=/new/kiremo %f"), std::string::npos);
}

TEST_F(PlanAssociationTest, UnwritableFoldersRaiseInsteadOfWritingHalfAnAssociation) {
  WriteFileAtomically(home / "file", "x");
  EXPECT_THROW(RegisterPlanAssociation("/opt/kiremo/kiremo", {home / "file/data", home / "config"}), Error);
  EXPECT_THROW(RegisterPlanAssociation("/opt/kiremo/kiremo", {"", ""}), Error);
  EXPECT_FALSE(std::filesystem::exists(home / "config/mimeapps.list"));
}

TEST(DesktopExecArgument, QuotesAndEscapesWhereTheEntryFormatRequires) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/kiremo/kiremo", "/opt/kiremo/kiremo"}, {"/home/öğrenci/kiremo", "/home/öğrenci/kiremo"},
      {"/home/a b/kiremo", "\"/home/a b/kiremo\""}, {"/x/$HOME/k", "\"/x/\\\\$HOME/k\""},
      {"/x/\"q\"/k", "\"/x/\\\\\"q\\\\\"/k\""},     {"/x/100%/k", "/x/100%%/k"},
      {"/x/a\\b/k", "\"/x/a\\\\\\\\b/k\""},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(DesktopExecArgument(path), expected) << path;
}

TEST(XdgFolders, RelativeOrMissingVariablesFallBackToHome) {
  const char* saved_data = std::getenv("XDG_DATA_HOME");
  const char* saved_config = std::getenv("XDG_CONFIG_HOME");
  const char* saved_home = std::getenv("HOME");
  const std::string data = saved_data ? saved_data : "", config = saved_config ? saved_config : "",
                    home = saved_home ? saved_home : "";
  ::setenv("HOME", "/home/ogrenci", 1);
  ::setenv("XDG_DATA_HOME", "relative/data", 1);
  ::unsetenv("XDG_CONFIG_HOME");
  const XdgFolders folders = XdgFoldersFromEnvironment();
  EXPECT_EQ(folders.data_home, "/home/ogrenci/.local/share");
  EXPECT_EQ(folders.config_home, "/home/ogrenci/.config");
  ::setenv("XDG_DATA_HOME", "/tmp/d", 1);
  EXPECT_EQ(XdgFoldersFromEnvironment().data_home, "/tmp/d");

  auto restore = [](const char* name, const char* saved, const std::string& value) {
    if (saved)
      ::setenv(name, value.c_str(), 1);
    else
      ::unsetenv(name);
  };
  restore("XDG_DATA_HOME", saved_data, data);
  restore("XDG_CONFIG_HOME", saved_config, config);
  restore("HOME", saved_home, home);
}

}  // namespace
}  // namespace kiremo::app
