#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_folder_test.h"

namespace kiremo::cli {
namespace {

using testing_support::CliResult;
using testing_support::Section;
using testing_support::W;

// MAT 101E: 100 on Monday, 101 on Tuesday (in MMB), 102 Monday 08:30.
// FIZ 101: 200 on Monday (clashes with 100), 201 on Friday by Can Su, open
// to INS only.
class GenerateCommand : public testing_support::CliFolderTest {
 protected:
  void SetUp() override {
    testing_support::CatalogueFixture store(folder.Path());
    store.Department("MAT", {Section("100", "MAT 101E", "Ali", "Pazartesi", "0930/1129", "EEB", "D1", W("TÜM"_w)),
                             Section("101", "MAT 101E", "Veli", W("Salı"_w), "0930/1129", "MMB", "D1", W("TÜM"_w)),
                             Section("102", "MAT 101E", "Ali", "Pazartesi", "0830/0929", "EEB", "D1", W("TÜM"_w))});
    store.Department("FIZ", {Section("200", "FIZ 101", "Nur", "Pazartesi", "1030/1229", "EEB", "D1", "ELK"),
                             Section("201", "FIZ 101", "Can Su", "Cuma", "1030/1229", "EEB", "D1", "INS")});
  }

  CliResult Cli(std::vector<std::string> words) {
    words.insert(words.begin(), "generate");
    return RunIn(words);
  }

  // The JSON answer; a run that lists no timetable ends with status 1.
  nlohmann::json Json(std::vector<std::string> words, int status = 0) {
    words.push_back("--json");
    const CliResult run = Cli(words);
    EXPECT_EQ(run.status, status) << run.err;
    return nlohmann::json::parse(run.out);
  }
};

TEST_F(GenerateCommand, OptionsSetThePanelBeforeOlustur) {
  using Alternatives = std::vector<std::vector<std::string>>;
  struct Case {
    std::vector<std::string> words;
    Alternatives expected;
  };
  const std::vector<std::string> both = {"--course", "MAT 101E", "--course", "FIZ 101"};
  auto with = [&](std::vector<std::string> extra) {
    std::vector<std::string> words = both;
    words.insert(words.end(), extra.begin(), extra.end());
    return words;
  };
  const Case cases[] = {
      // The window's design panel (ELK, 9-19) with other unwanted buildings.
      {with({"--avoid", "ISB"}), {{"101", "200"}}},
      {with({"--all", "--avoid", ""}), {{"100", "201"}, {"101", "200"}, {"101", "201"}}},
      {with({"--mine", "INS", "--avoid", ""}), {{"100", "201"}, {"101", "201"}}},
      {with({"--all", "--avoid", "", "--hours", "8-19"}),
       {{"100", "201"}, {"101", "200"}, {"101", "201"}, {"102", "200"}, {"102", "201"}}},
      {with({"--all", "--avoid", "", "--free-days", "5"}), {{"101", "200"}}},
      {with({"--all", "--avoid", "", "--teacher", "2=can su"}), {{"100", "201"}, {"101", "201"}}},
  };
  for (const Case& c : cases) {
    const nlohmann::json result = Json(c.words);
    std::string shown;
    for (const auto& w : c.words) shown += w + " ";
    EXPECT_EQ(result["count"], c.expected.size()) << shown;
    EXPECT_EQ(result["alternatives"], nlohmann::json(c.expected)) << shown;
    EXPECT_TRUE(result["message"].is_null()) << shown;
  }
}

TEST_F(GenerateCommand, MessageIsTheTextOfTheBoxShown) {
  struct Case {
    std::vector<std::string> words;
    std::string message;
  };
  const Case cases[] = {
      {{"--course", "MAT 101E"},
       "Tek dersle program mı olur, dalga mı geçiyorsun sen benle hei!? En az 2 tane seç, adamı ayar etme!!"},
      {{"--course", "MAT 101E", "--course", "FIZ 101", "--mine", "XYZ"},
       "FIZ 101 kodlu dersin seçtiğin kıstaslara uyan bir versiyonu yok! Ne biçim kıstas seçmişsin yuh be!!"},
      {{"--course", "MAT 101E", "--course", "FIZ 101"}, "Hiçbir şey imkansız değildir! Bu ders programı dışında... "},
  };
  for (const Case& c : cases) {
    const nlohmann::json result = Json(c.words, 1);
    EXPECT_EQ(result["count"], 0);
    EXPECT_EQ(result["alternatives"], nlohmann::json::array());
    EXPECT_EQ(result["message"], c.message);
  }
}

TEST_F(GenerateCommand, TextOutputListsTheAlternatives) {
  const CliResult run =
      Cli({"--course", "MAT 101E", "--course", "FIZ 101", "--all", "--free-days", "5", "--avoid", ""});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "1 farklı program yaptım!\n1. Alternatif: 101 200\n");
  const CliResult refused = Cli({"--course", "MAT 101E"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out.rfind("Mesaj: Tek dersle", 0), 0u) << refused.out;
}

TEST_F(GenerateCommand, BadInputEndsWithAnError) {
  struct Case {
    std::vector<std::string> words;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{}, 2, "--course"},
      {{"--course", "MAT 101E", "--teacher", "2=Ali"}, 2, "--teacher"},
      {{"--course", "MAT 101E", "--free-days", "6"}, 2, "--free-days"},
      {{"--course", "MAT 101E", "--hours", "9"}, 2, "--hours: ilk saat"},
      {{"--course", "MAT 101E", "--mine", "ELK", "--all"}, 2, "--all"},
      {{"--course", "XYZ 101", "--course", "MAT 101E"}, 1, "XYZ bölümü bölüm listesinde yok."},
      {{"--course", "MAT 999", "--course", "MAT 101E"}, 1, "MAT 999 dersi MAT bölümünde yok."},
      {{"--course", "MAT 101E", "--teacher", "1=Kimse"}, 1, "Kimse bu dersin hocaları arasında yok"},
      {{"--course", "MAT 101E", "--course", "FIZ 101", "--hours", "9.5-19"}, 2, "--hours: ilk saat 8 ile 22"},
  };
  for (const Case& c : cases) {
    const CliResult run = Cli(c.words);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace kiremo::cli
