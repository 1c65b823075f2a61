// kiremo-cli plan compare, plan free and plan show --friend on plan files
// written from plans as values.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli/cli_folder_test.h"
#include "files/dkf_format.h"
#include "files/plan_io.h"
#include "planner/plan_values.h"

namespace kiremo::cli {
namespace {

using planner::testing::Committed;
using planner::testing::PlanOf;
using testing_support::CliResult;

// A: MAT 103 on Monday 08:30-10:29, ELK 101 on Tuesday 09:30-11:29 in
// another building. B: MAT 103 in another section an hour later, FIZ 101 on
// Wednesday 13:30-14:29.
const Committed kMat{1, "MAT 103", "21001", {{"1", "08:10"}}};
const Committed kMatOther{1, "MAT 103", "21002", {{"1", "09:11"}}};
const Committed kElk{2, "ELK 101", "21554", {{"2", "09:11", "FEB"}}};
const Committed kFiz{3, "FIZ 101", "30001", {{"3", "13:14"}}};

class PlanPairTest : public testing_support::CliFolderTest {
 protected:
  void SetUp() override {
    files::WritePlanFile(a, PlanOf({kMat, kElk}));
    files::WritePlanFile(b, PlanOf({kMatOther, kFiz}));
    const std::string whole = files::EncodePlan(PlanOf({kMat}));
    std::ofstream(damaged, std::ios::binary) << whole.substr(0, 100);
    std::filesystem::create_directory(directory);
  }

  // The three ways a plan file cannot be read, and what the refusal says.
  std::vector<std::pair<std::string, std::string>> Unreadable() const {
    return {{damaged, "bir ders programı dosyası değil ya da bozuk"},
            {missing, "dosyası okunamadı: "},
            {directory, "Bu bir klasör"}};
  }

  std::string a = folder / "a.dkf";
  std::string b = folder / "b.dkf";
  std::string damaged = folder / "bozuk.dkf";
  std::string missing = folder / "yok.dkf";
  std::string directory = folder / "klasor.dkf";
};

TEST_F(PlanPairTest, CompareGivesBothMeasuresAndTheDifferences) {
  const CliResult json = RunIn({"plan", "compare", a, b, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json expected = {
      {"a",
       {{"file", a},
        {"metrics", {{"days", 2}, {"gaps", 0}, {"start", "08:30"}, {"end", "11:29"}, {"walks", 0}, {"hours", 4}}}}},
      {"b",
       {{"file", b},
        {"metrics", {{"days", 2}, {"gaps", 0}, {"start", "09:30"}, {"end", "14:29"}, {"walks", 0}, {"hours", 3}}}}},
      {"only_a", {"ELK 101"}},
      {"only_b", {"FIZ 101"}},
      {"other_section", {{{"course", "MAT 103"}, {"a", "21001"}, {"b", "21002"}}}},
      {"cells",
       {{{"day", 1}, {"hour", 1}, {"a", "MAT 103"}, {"b", nullptr}},
        {{"day", 1}, {"hour", 3}, {"a", nullptr}, {"b", "MAT 103"}},
        {{"day", 2}, {"hour", 2}, {"a", "ELK 101"}, {"b", nullptr}},
        {{"day", 2}, {"hour", 3}, {"a", "ELK 101"}, {"b", nullptr}},
        {{"day", 3}, {"hour", 6}, {"a", nullptr}, {"b", "FIZ 101"}}}},
  };
  EXPECT_EQ(nlohmann::json::parse(json.out), expected) << json.out;

  const CliResult text = RunIn({"plan", "compare", a, b});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out, "A: " + a + "\nB: " + b +
                          "\n"
                          "Ölçü                 A      B      Daha iyi\n"
                          "Gün                  2      2      eşit\n"
                          "Boşluk               0      0      eşit\n"
                          "İlk ders             08:30  09:30  B\n"
                          "Son ders             11:29  14:29  A\n"
                          "Bina değişikliği     0      0      eşit\n"
                          "Haftalık ders saati  4      3\n"
                          "Farklar:\n"
                          "Yalnız A'da: ELK 101\n"
                          "Yalnız B'de: FIZ 101\n"
                          "MAT 103 başka şubede: 21001 -> 21002\n"
                          "Pazartesi 08:30-09:29: A'da MAT 103, B boş\n"
                          "Pazartesi 10:30-11:29: A boş, B'de MAT 103\n"
                          "Salı 09:30-11:29: A'da ELK 101, B boş\n"
                          "Çarşamba 13:30-14:29: A boş, B'de FIZ 101\n");

  const CliResult same = RunIn({"plan", "compare", a, a});
  ASSERT_EQ(same.status, 0) << same.err;
  EXPECT_NE(same.out.find("Farklar:\nFark yok: dersler, şubeler ve saatler aynı.\n"), std::string::npos) << same.out;
}

TEST_F(PlanPairTest, CompareOfAnUnreadablePlanExitsTwo) {
  for (const auto& [path, says] : Unreadable()) {
    for (const auto& words :
         {std::vector<std::string>{"plan", "compare", a, path}, {"plan", "compare", path, a, "--json"}}) {
      const CliResult run = RunIn(words);
      EXPECT_EQ(run.status, 2) << path;
      EXPECT_EQ(run.out, "") << path;
      EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(RunIn({"plan", "compare", a}).status, 2);
  EXPECT_EQ(RunIn({"plan", "compare", a, b, "--script"}).status, 2);
}

TEST_F(PlanPairTest, FreeGivesTheHoursEveryPlanIsFree) {
  const CliResult json = RunIn({"plan", "free", a, b, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto range = [](int day, int from, int to) { return nlohmann::json{{"day", day}, {"from", from}, {"to", to}}; };
  EXPECT_EQ(nlohmann::json::parse(json.out),
            (nlohmann::json{{"free",
                             {range(1, 4, 14), range(2, 1, 1), range(2, 4, 14), range(3, 1, 5), range(3, 7, 14),
                              range(4, 1, 14), range(5, 1, 14)}}}));

  const CliResult text = RunIn({"plan", "free", a, b});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "Pazartesi 11:30-22:29\nSalı 08:30-09:29\nSalı 11:30-22:29\nÇarşamba 08:30-13:29\n"
            "Çarşamba 14:30-22:29\nPerşembe 08:30-22:29\nCuma 08:30-22:29\n");

  // Every day 08:30-22:29 taken but Tuesday 12:30-14:29.
  const std::string busy = folder / "dolu.dkf";
  files::WritePlanFile(busy,
                       PlanOf({{1, "A 1", "10001", {{"1", "08:22"}, {"3", "08:22"}, {"4", "08:22"}, {"5", "08:22"}}},
                               {2, "B 1", "10002", {{"2", "08:12"}, {"2", "14:22"}}}}));
  EXPECT_EQ(RunIn({"plan", "free", busy}).out, "Salı 12:30-14:29\n");
  EXPECT_EQ(nlohmann::json::parse(RunIn({"plan", "free", busy, "--json"}).out),
            (nlohmann::json{{"free", {range(2, 5, 6)}}}));
  // With a plan that has Tuesday 12:30-14:29 taken, nothing is left.
  const std::string lunch = folder / "ogle.dkf";
  files::WritePlanFile(lunch, PlanOf({{1, "C 1", "10003", {{"2", "12:14"}}}}));
  const CliResult none = RunIn({"plan", "free", busy, lunch});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "Ortak boş saat yok.\n");
  EXPECT_EQ(nlohmann::json::parse(RunIn({"plan", "free", busy, lunch, "--json"}).out),
            (nlohmann::json{{"free", nlohmann::json::array()}}));
}

TEST_F(PlanPairTest, FreeRefusesAnUnreadablePlan) {
  for (const auto& [path, says] : Unreadable()) {
    const CliResult run = RunIn({"plan", "free", a, path});
    EXPECT_EQ(run.status, 1) << path;
    EXPECT_EQ(run.out, "") << path;
    EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
  }
  EXPECT_EQ(RunIn({"plan", "free"}).status, 2);
}

// plan show needs the catalogue and the department list of its folder.
class FriendShowTest : public PlanPairTest {
 protected:
  void SetUp() override {
    PlanPairTest::SetUp();
    files::WritePlanFile(
        ayse, PlanOf({{4, "MAT 103", "21002", {{"1", "09:11"}}}, {5, "ELK 101", "21554", {{"2", "09:11"}}}}));
    files::WritePlanFile(can, PlanOf({kFiz}));
  }

  testing_support::CatalogueFixture catalogue{folder.Path()};
  std::string ayse = folder / "Ayşe.dkf";
  std::string can = folder / "Can.dkf";
};

TEST_F(FriendShowTest, ShowAddsTheClassesInCommon) {
  const CliResult alone = RunIn({"plan", "show", a});
  ASSERT_EQ(alone.status, 0) << alone.err;
  const CliResult text = RunIn({"plan", "show", a, "--friend", ayse, "--friend", can});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out, alone.out +
                          "Ortak ders 1. 21001 MAT 103 — Ayşe: 21002\n"
                          "Ortak ders 2. 21554 ELK 101 — Ayşe ile aynı şube\n");
  EXPECT_EQ(RunIn({"plan", "show", a, "--friend", can}).out, alone.out + "Arkadaşlarla ortak ders yok.\n");

  const auto json = nlohmann::json::parse(RunIn({"plan", "show", a, "--json", "--friend", ayse}).out);
  EXPECT_EQ(json["in_common"],
            nlohmann::json::parse(R"([{"row": 1, "course": "MAT 103", "crn": "21001", "friend": "Ayşe",
                                       "friend_crn": "21002", "same_section": false},
                                      {"row": 2, "course": "ELK 101", "crn": "21554", "friend": "Ayşe",
                                       "friend_crn": "21554", "same_section": true}])"));
  EXPECT_FALSE(nlohmann::json::parse(RunIn({"plan", "show", a, "--json"}).out).contains("in_common"));
}

TEST_F(FriendShowTest, AnUnreadableFriendIsRefusedAsAnyPlan) {
  for (const auto& [path, says] : Unreadable()) {
    const CliResult run = RunIn({"plan", "show", a, "--friend", ayse, "--friend", path});
    EXPECT_EQ(run.status, 1) << path;
    EXPECT_EQ(run.out, "") << path;
    EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
  }
  EXPECT_TRUE(std::filesystem::is_directory(directory));
}

TEST(PlanHelp, ListsTheNewPlanCommands) {
  const CliResult help = testing_support::RunCli({"help"});
  ASSERT_EQ(help.status, 0);
  for (const char* usage : {"plan show DOSYA.dkf [--friend ARKADAŞ.dkf ...] [--json]",
                            "plan compare A.dkf B.dkf [--json]", "plan free DOSYA.dkf [DOSYA.dkf ...] [--json]"}) {
    EXPECT_NE(help.out.find(usage), std::string::npos) << usage;
  }
}

}  // namespace
}  // namespace kiremo::cli
