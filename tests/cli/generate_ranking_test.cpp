// kiremo-cli generate's order, metrics, true total and explanation.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_folder_test.h"

namespace kiremo::cli {
namespace {

using testing_support::CliResult;
using testing_support::Section;
using testing_support::W;

// MAT 101E: 11000 on Monday 09:30-11:29 in EEB, 11001 on Tuesday
// 10:30-11:29 in FEB. FIZ 101: 12000 on Monday 12:30-13:29 in FEB, 12001 on
// Wednesday 10:30-11:29 in EEB. KIM 101: 13000 clashes with both MAT sections.
class GenerateRanking : public testing_support::CliFolderTest {
 protected:
  void SetUp() override {
    testing_support::CatalogueFixture store(folder.Path());
    const std::string all = W("TÜM"_w);
    store.Department("MAT", {Section("11000", "MAT 101E", "Ali", "Pazartesi", "0930/1129", "EEB", "D1", all),
                             Section("11001", "MAT 101E", "Veli", W("Salı"_w), "1030/1129", "FEB", "D1", all)});
    store.Department("FIZ", {Section("12000", "FIZ 101", "Nur", "Pazartesi", "1230/1329", "FEB", "D1", all),
                             Section("12001", "FIZ 101", "Can", W("Çarşamba"_w), "1030/1129", "EEB", "D1", all)});
    store.Department("KIM", {Section("13000", "KIM 101", "Su", W("Pazartesi|Salı"_w), "0930/1029|1030/1129", "EEB|EEB",
                                     "D1|D1", all)});
  }

  CliResult Cli(std::vector<std::string> words) {
    words.insert(words.begin(), {"generate", "--avoid", ""});
    return RunIn(words);
  }

  // A run that lists nothing ends with status 1.
  nlohmann::json Json(std::vector<std::string> words, int status = 0) {
    words.push_back("--json");
    const CliResult run = Cli(words);
    EXPECT_EQ(run.status, status) << run.err;
    return nlohmann::json::parse(run.out);
  }
};

TEST_F(GenerateRanking, SortAndMetricsListTheAlternativesInTheKeysOrder) {
  using Alternatives = std::vector<std::vector<std::string>>;
  const std::vector<std::string> both = {"--course", "MAT 101E", "--course", "FIZ 101", "--metrics"};
  struct Case {
    std::vector<std::string> sort;
    Alternatives expected;
  };
  const Case cases[] = {
      {{}, {{"11000", "12000"}, {"11000", "12001"}, {"11001", "12000"}, {"11001", "12001"}}},
      {{"--sort", "days"}, {{"11000", "12000"}, {"11000", "12001"}, {"11001", "12000"}, {"11001", "12001"}}},
      {{"--sort", "gaps,walks"}, {{"11000", "12001"}, {"11001", "12000"}, {"11001", "12001"}, {"11000", "12000"}}},
      {{"--sort", "late"}, {{"11001", "12000"}, {"11001", "12001"}, {"11000", "12000"}, {"11000", "12001"}}},
      {{"--sort", "early,days"}, {{"11000", "12001"}, {"11001", "12001"}, {"11000", "12000"}, {"11001", "12000"}}},
      {{"--sort", "walks"}, {{"11000", "12001"}, {"11001", "12000"}, {"11001", "12001"}, {"11000", "12000"}}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> words = both;
    words.insert(words.end(), c.sort.begin(), c.sort.end());
    const nlohmann::json result = Json(words);
    EXPECT_EQ(result["count"], 4);
    EXPECT_EQ(result["total"], 4);
    EXPECT_EQ(result["alternatives"], nlohmann::json(c.expected)) << (c.sort.empty() ? "" : c.sort[1]);
    ASSERT_EQ(result["metrics"].size(), 4u);
  }
  const nlohmann::json found = Json(both);
  EXPECT_EQ(found["metrics"][0],
            nlohmann::json::parse(
                R"({"days": 1, "gaps": 1, "start": "09:30", "end": "13:29", "walks": 1, "lunch": 0, "streak": 2})"));
  EXPECT_EQ(found["metrics"][3],
            nlohmann::json::parse(
                R"({"days": 2, "gaps": 0, "start": "10:30", "end": "11:29", "walks": 0, "lunch": 0, "streak": 1})"));
  EXPECT_FALSE(Json({"--course", "MAT 101E", "--course", "FIZ 101"}).contains("metrics"));
}

TEST_F(GenerateRanking, FieldsComeInAFixedOrderAndApplyFollowsTheSortedList) {
  const CliResult run = Cli({"--course", "MAT 101E", "--course", "FIZ 101", "--sort", "walks", "--apply", "2", "--save",
                             folder / "plan.dkf", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind(
                "{\"count\": 4, \"total\": 4, \"complete\": true, \"alternatives\": [\n  [\"11000\", \"12001\"],", 0),
            0u)
      << run.out;
  const CliResult plan = RunIn({"plan", "crns", folder / "plan.dkf"});
  EXPECT_EQ(plan.out, "11001\r\n12000\r\n");
}

// A friend takes 11001 and 12001: the timetable with both comes first, then
// those sharing one section, more common free hours first.
TEST_F(GenerateRanking, FriendsKeyPutsTheSectionsInCommonFirst) {
  const std::string friend_plan = folder / "Ayşe.dkf";
  ASSERT_EQ(Cli({"--course", "MAT 101E", "--course", "FIZ 101", "--apply", "4", "--save", friend_plan}).status, 0);
  const nlohmann::json result =
      Json({"--course", "MAT 101E", "--course", "FIZ 101", "--sort", "friends", "--friend", friend_plan, "--metrics"});
  EXPECT_EQ(result["alternatives"], nlohmann::json::parse(R"([["11001", "12001"], ["11001", "12000"],
                                                               ["11000", "12001"], ["11000", "12000"]])"));
  const std::pair<int, int> expected[] = {{2, 43}, {1, 42}, {1, 41}, {0, 40}};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(result["metrics"][k]["shared"], expected[k].first) << k;
    EXPECT_EQ(result["metrics"][k]["common_free"], expected[k].second) << k;
  }

  const CliResult alone = Cli({"--course", "MAT 101E", "--sort", "friends"});
  EXPECT_EQ(alone.status, 2);
  EXPECT_NE(alone.err.find("--friend"), std::string::npos) << alone.err;
  const CliResult gone = Cli({"--course", "MAT 101E", "--friend", folder / "yok.dkf"});
  EXPECT_EQ(gone.status, 1);
  EXPECT_NE(gone.err.find("yok.dkf"), std::string::npos) << gone.err;
}

TEST_F(GenerateRanking, TextLinesCarryTheMetricsWhenAsked) {
  const CliResult run = Cli({"--course", "MAT 101E", "--course", "FIZ 101", "--sort", "late", "--metrics"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "4 farklı program yaptım!\n"
            "1. Alternatif — 2 gün · 0 saat boşluk · 10:30–13:29: 11001 12000\n"
            "2. Alternatif — 2 gün · 0 saat boşluk · 10:30–11:29: 11001 12001\n"
            "3. Alternatif — 1 gün · 1 saat boşluk · 09:30–13:29: 11000 12000\n"
            "4. Alternatif — 2 gün · 0 saat boşluk · 09:30–11:29: 11000 12001\n");
}

TEST_F(GenerateRanking, UnknownKeyEndsWithTheKeysListed) {
  for (const char* keys : {"fewest", "days,,gaps", ""}) {
    const CliResult run = Cli({"--course", "MAT 101E", "--course", "FIZ 101", "--sort", keys});
    EXPECT_EQ(run.status, 2) << keys;
    EXPECT_NE(run.err.find("--sort için bilinmeyen sıralama"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("days, gaps, late, early, walks"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
}

TEST_F(GenerateRanking, NothingFitsIsExplained) {
  const nlohmann::json clash = Json({"--course", "MAT 101E", "--course", "KIM 101", "--course", "FIZ 101"}, 1);
  EXPECT_EQ(clash["count"], 0);
  EXPECT_EQ(clash["total"], 0);
  EXPECT_EQ(clash["message"], "Hiçbir şey imkansız değildir! Bu ders programı dışında... ");
  EXPECT_EQ(clash["explanation"],
            nlohmann::json::parse(R"({"courses": ["MAT 101E", "KIM 101"], "text": "MAT 101E ile KIM 101 seçtiğin )"
                                  R"(kıstaslarla birlikte alınamıyor: birinin her şubesi ötekinin bütün şubeleriyle )"
                                  R"(çakışıyor."})"));

  const nlohmann::json none = Json({"--course", "MAT 101E", "--course", "FIZ 101", "--hours", "11-19"}, 1);
  EXPECT_EQ(none["message"],
            "MAT 101E kodlu dersin seçtiğin kıstaslara uyan bir versiyonu yok! Ne biçim kıstas "
            "seçmişsin yuh be!!");
  EXPECT_EQ(none["explanation"]["courses"], nlohmann::json({"MAT 101E"}));
  const CliResult raw = Cli({"--course", "MAT 101E", "--course", "FIZ 101", "--hours", "11-19", "--json"});
  EXPECT_NE(raw.out.find(R"("removed_by": {"hours": 2, "free_days": 0, "buildings": 0, "teacher": 0, )"
                         R"("department": 0, "excluded": 0, "busy": 0})"),
            std::string::npos)
      << raw.out;

  const CliResult text = Cli({"--course", "MAT 101E", "--course", "KIM 101"});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out,
            "Edebi Mesaj: Hiçbir şey imkansız değildir! Bu ders programı dışında... \n"
            "MAT 101E ile KIM 101 seçtiğin kıstaslarla birlikte alınamıyor: birinin her şubesi ötekinin bütün "
            "şubeleriyle çakışıyor.\n");
}

}  // namespace
}  // namespace kiremo::cli
