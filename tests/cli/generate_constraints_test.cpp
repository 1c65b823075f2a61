// kiremo-cli generate --lock, --exclude and --busy: what they keep out of
// the listed timetables, and the words they refuse.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_folder_test.h"

namespace kiremo::cli {
namespace {

using testing_support::CliResult;
using testing_support::Section;
using testing_support::W;

// MAT 101 at Monday 09:30 (11) or 12:30 (12) or Tuesday 09:30 (13); FIZ 101
// at Monday 09:30 (21) or Friday 13:30 (22, open to MAT only).
class GenerateConstraintsTest : public testing_support::CliFolderTest {
 protected:
  void SetUp() override {
    testing_support::CatalogueFixture store(folder.Path());
    store.Department("MAT", {Section("11", "MAT 101", "Ali", "Pazartesi", "0930/1029", "EEB", "D1", W("TÜM"_w)),
                             Section("12", "MAT 101", "Ali", "Pazartesi", "1230/1329", "EEB", "D1", W("TÜM"_w)),
                             Section("13", "MAT 101", "Veli", W("Salı"_w), "0930/1029", "EEB", "D1", W("TÜM"_w))});
    store.Department("FIZ", {Section("21", "FIZ 101", "Nur", "Pazartesi", "0930/1029", "EEB", "D1", W("TÜM"_w)),
                             Section("22", "FIZ 101", "Nur", "Cuma", "1330/1429", "EEB", "D1", "MAT")});
  }

  CliResult Generate(std::vector<std::string> extra) {
    std::vector<std::string> words = {"generate", "--course", "MAT 101", "--course", "FIZ 101", "--json"};
    words.insert(words.end(), extra.begin(), extra.end());
    return RunIn(words);
  }

  // Each listed timetable as its CRNs, "11+21".
  static std::vector<std::string> Listed(const CliResult& result) {
    std::vector<std::string> listed;
    const nlohmann::json json = nlohmann::json::parse(result.out);
    for (const auto& alternative : json["alternatives"]) {
      std::string crns;
      for (const auto& crn : alternative) crns += (crns.empty() ? "" : "+") + crn.get<std::string>();
      listed.push_back(crns);
    }
    return listed;
  }
};

TEST_F(GenerateConstraintsTest, EachOptionNarrowsTheListedTimetables) {
  struct Case {
    std::vector<std::string> options;
    std::vector<std::string> listed;
  };
  const Case cases[] = {
      {{}, {"12+21", "13+21"}},  // 22 is not open to ELK, 11 and 21 clash
      {{"--lock", "MAT 101=12"}, {"12+21"}},
      {{"--lock", "FIZ 101=22"}, {"11+22", "12+22", "13+22"}},  // the lock beats the department filter
      {{"--exclude", "21"}, {}},
      {{"--exclude", "12,13"}, {}},
      {{"--all"}, {"11+22", "12+21", "12+22", "13+21", "13+22"}},
      {{"--all", "--exclude", "22", "--exclude", "11"}, {"12+21", "13+21"}},
      {{"--all", "--busy", "1:9"}, {"12+22", "13+22"}},
      {{"--all", "--busy", "1:12-13,5:13"}, {"13+21"}},
      {{"--lock", "MAT 101=13", "--busy", "2:9"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.options));
    const CliResult result = Generate(c.options);
    EXPECT_EQ(result.status, c.listed.empty() ? 1 : 0) << result.err;
    EXPECT_EQ(Listed(result), c.listed) << result.out;
  }
}

TEST_F(GenerateConstraintsTest, WordsItCannotTakeExitTwoNamingTheOption) {
  struct Case {
    std::vector<std::string> options;
    std::string why;
  };
  const Case cases[] = {
      {{"--lock", "KIM 101=11"}, "--lock: KIM 101 seçilen dersler (--course) arasında yok"},
      {{"--lock", "MAT 101=21"}, "--lock: 21, MAT 101 dersinin şubelerinden biri değil"},
      {{"--lock", "MAT 101"}, "--lock \"DERS=CRN\" biçiminde"},
      {{"--lock", "MAT 101=11", "--lock", "MAT 101=12"}, "--lock: MAT 101 için birden çok şube"},
      {{"--lock", "MAT 101=11", "--exclude", "11"}, "--lock ile --exclude aynı şubeyi veriyor: 11"},
      {{"--exclude", "11,,12"}, "--exclude virgülle ayrılmış"},
      {{"--exclude", "11,1\n2"}, "--exclude virgülle ayrılmış"},  // would split the plan's lines
      {{"--busy", "6:9"}, "--busy GÜN:SAAT"},
      {{"--busy", "1:22"}, "--busy GÜN:SAAT"},
      {{"--busy", "1:7"}, "--busy GÜN:SAAT"},
      {{"--busy", "1:13-12"}, "--busy GÜN:SAAT"},
      {{"--busy", "1"}, "--busy GÜN:SAAT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.options));
    const CliResult result = Generate(c.options);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(c.why), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(GenerateConstraintsTest, BusyHoursThatEmptyACourseAreNamedInTheExplanation) {
  const CliResult result = Generate({"--busy", "1:9,1:12,2:9"});
  EXPECT_EQ(result.status, 1);
  const auto explanation = nlohmann::json::parse(result.out)["explanation"];
  EXPECT_EQ(explanation["courses"], nlohmann::json({"MAT 101"}));
  EXPECT_EQ(explanation["removed_by"]["busy"], 3);
  EXPECT_EQ(explanation["text"],
            "MAT 101 dersinin bütün şubeleri boş tutulan saatlere denk geliyor: Pazartesi 09:30–10:29, Pazartesi "
            "12:30–13:29 ve Salı 09:30–10:29.");
}

}  // namespace
}  // namespace kiremo::cli
