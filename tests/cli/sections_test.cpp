#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "catalogue/file_system.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::cli {
namespace {

using testing_support::CatalogueFixture;
using testing_support::Section;
using testing_support::TempFolder;
using Texts = std::vector<std::string>;

struct Outcome {
  int status = -1;
  std::string out;  // UTF-8, as the terminal gets it
  std::string err;
};

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class SectionsCommandTest : public ::testing::Test {
 protected:
  SectionsCommandTest() : store(folder.Path()) {
    store
        .Department("ELK",
                    {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029", "EEB", "D1", "ELK"),
                     Section("21002", "ELK 101", "---", "Sali", "0830/1029", "EEB", "D1", std::string("TÜM"_w)),
                     Section("21003", "ELK 101", std::string("Şule Öz"_w), "Cuma", "1330/1529", "MED", "D2", "MAT"),
                     Section("21004", "ELK 101", "ali veli", "Cuma", "0830/0929", "MED", "D2", "MAT ELK"),
                     Section("21010", "ELK 102", "Can Er", "Cuma", "0830/0929", "EEB", "D1", "MAT")})
        .ListedOnly("KAY");
  }

  // Runs kiremo-cli sections on the fixture's program folder.
  Outcome Sections(const std::vector<std::string>& words) {
    std::string command =
        Quoted(std::string(KIREMO_BIN_DIR) + "/kiremo-cli") + " --folder " + Quoted(folder.Path()) + " sections";
    for (const std::string& word : words) command += " " + Quoted(word);
    command += " >" + Quoted(folder / "out.txt") + " 2>" + Quoted(folder / "err.txt");
    Outcome run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadWholeFile(folder / "out.txt");
    run.err = ReadWholeFile(folder / "err.txt");
    return run;
  }

  // The two lists of a --json run.
  std::pair<Texts, Texts> Lists(std::vector<std::string> words) {
    words.push_back("--json");
    const Outcome run = Sections(words);
    EXPECT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    return {json.at("sections").get<Texts>(), json.at("teachers").get<Texts>()};
  }

  TempFolder folder;
  CatalogueFixture store;
};

TEST_F(SectionsCommandTest, TheRowsListsForEachFilter) {
  const std::string secin = "Seçin";
  const std::string s1 = "21001:: Ali Veli :: Pazartesi :: EEB";
  const std::string s2 = "21002:: --- :: Sali :: EEB";
  const std::string s3 = "21003:: Şule Öz :: Cuma :: MED";
  const std::string s4 = "21004:: ali veli :: Cuma :: MED";
  struct Case {
    std::vector<std::string> words;
    Texts sections;
    Texts teachers;
  } cases[] = {
      {{"ELK", "ELK 101"}, {secin, s1, s2, s4}, {secin, "Ali Veli"}},  // Edit1 "ELK", filter on
      {{"elk", "elk 101"}, {secin, s1, s2, s4}, {secin, "Ali Veli"}},  // picked ignoring case
      {{"ELK", "ELK 101", "--mine", "mat"}, {secin, s2, s3, s4}, {secin, "Şule Öz", "ali veli"}},
      {{"ELK", "ELK 101", "--all"}, {secin, s1, s2, s3, s4}, {secin, "Ali Veli", "Şule Öz"}},
      {{"ELK", "ELK 101", "--mine", ""}, {secin, s2}, {"Yok"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words.size() > 2 ? c.words[2] + " " + (c.words.size() > 3 ? c.words[3] : "") : c.words[0]);
    const auto [sections, teachers] = Lists(c.words);
    EXPECT_EQ(sections, c.sections);
    EXPECT_EQ(teachers, c.teachers);
  }
}

TEST_F(SectionsCommandTest, NoAdmissibleSectionShowsYok) {
  const auto [sections, teachers] = Lists({"ELK", "ELK 102"});
  EXPECT_EQ(sections, Texts{"Yok"});
  EXPECT_EQ(teachers, Texts{"Yok"});
}

TEST_F(SectionsCommandTest, PlainOutputIsUtf8Lines) {
  const Outcome run = Sections({"ELK", "ELK 101", "--mine", "MAT"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Şubeler:\n  Seçin\n  21002:: --- :: Sali :: EEB\n  21003:: Şule Öz :: Cuma :: MED\n"
            "  21004:: ali veli :: Cuma :: MED\nHocalar:\n  Seçin\n  Şule Öz\n  ali veli\n");
}

TEST_F(SectionsCommandTest, FailuresSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> words;
    int status;
    std::string message;
  } cases[] = {
      {{"MAK", "MAK 101"}, 1, "\"MAK\" bölümü bölüm listesinde yok.\n"},
      {{"ELK", "ELK 999"}, 1, "\"ELK 999\" dersi \"ELK\" bölümünde yok.\n"},
      {{"KAY", "KAY 101"},
       1,
       "Database dosyası silinmiş veya bozulmuş! Ders bilgilerini \"kiremo-cli update\" ile sunucudan yeniden "
       "kurabilirsin.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words[0]);
    const Outcome run = Sections(c.words);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(Sections({"ELK", "ELK 101", "--mine", "ELK", "--all"}).status, 2);
  EXPECT_EQ(Sections({"ELK"}).status, 2);
}

TEST_F(SectionsCommandTest, MissingDepartmentListIsReported) {
  store.RemoveDepartmentList();
  const Outcome run = Sections({"ELK", "ELK 101"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("kodlar.dat"), std::string::npos);
}

}  // namespace
}  // namespace kiremo::cli
