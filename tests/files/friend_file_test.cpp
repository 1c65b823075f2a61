// A friend's schedule file is read by the one plan reader: refused the
// same way, and named after the file.
#include "files/friend_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/dkf_format.h"
#include "files/plan_io.h"
#include "files/reset_plan.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::files {
namespace {

std::string RefusalOf(const std::string& path, planner::PlanSnapshot (*read)(const std::string&)) {
  try {
    read(path);
  } catch (const FileCommandError& e) {
    return e.what();
  }
  return "read";
}

planner::PlanSnapshot ReadAsFriend(const std::string& path) { return ReadFriendFile(path).plan; }

TEST(FriendFile, DamagedMissingOrFolderIsRefusedAsAnyPlan) {
  testing_support::TempFolder folder;
  const std::string whole = EncodePlan(test_plans::ResetPlan());
  std::ofstream(folder / "bozuk.dkf", std::ios::binary) << whole.substr(0, whole.size() - 3);
  std::ofstream(folder / "fazla.dkf", std::ios::binary) << whole << "xyz";  // ignored after the blocks, as always
  std::filesystem::create_directory(folder / "klasor.dkf");
  struct Case {
    std::string file;
    std::string_view says;
  };
  const Case cases[] = {
      {"bozuk.dkf", " bir ders programı dosyası değil ya da bozuk: "_w},
      {"yok.dkf", " dosyası okunamadı: "_w},
      {"klasor.dkf", "Bu bir klasör"_w},
  };
  for (const Case& c : cases) {
    const std::string refusal = RefusalOf(folder / c.file, ReadAsFriend);
    EXPECT_EQ(refusal, RefusalOf(folder / c.file, ReadPlanFile)) << c.file;
    EXPECT_NE(refusal.find(c.says), std::string::npos) << c.file << ": " << Cp1254ToUtf8(refusal);
    EXPECT_NE(refusal.find("Ekrandaki ders programı değiştirilmedi."_w), std::string::npos) << c.file;
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder / "klasor.dkf"));
  EXPECT_EQ(RefusalOf(folder / "fazla.dkf", ReadAsFriend), "read");
}

TEST(FriendFile, NamedAfterTheFile) {
  testing_support::TempFolder folder;
  planner::PlanSnapshot plan = test_plans::ResetPlan();
  plan.rows[0] = planner::StoredRow{"MAT 103", "Analiz", "12345", "Ece Ay", 1, {{"FEB", "1", "08:09", "F1"}}};
  const std::string path = folder / "Ayşe.DKF";
  WritePlanFile(path, plan);
  const planner::Friend read = ReadFriendFile(path);
  EXPECT_EQ(read.name, "Ayşe"_w);
  EXPECT_EQ(read.plan, plan);

  const std::pair<std::string, std::string> names[] = {
      {"/a/b/Can.dkf", "Can"}, {"Ece", "Ece"}, {"plan.b.dkf", "plan.b"}, {".dkf", ".dkf"}, {"x.txt", "x.txt"}};
  for (const auto& [file, name] : names) EXPECT_EQ(FriendNameOf(file), name) << file;
}

}  // namespace
}  // namespace kiremo::files
