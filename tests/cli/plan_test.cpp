#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "catalogue/file_system.h"
#include "cli/cli_runner.h"
#include "files/dkf_format.h"
#include "files/plan_io.h"
#include "planner/planner.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::cli {
namespace {

using testing_support::Section;

using testing_support::CliResult;
using testing_support::RunCli;

// A program folder with a small catalogue, and a plan saved from the
// planner: ELK 101 committed in row 2, MAT 101 in row 5, ELK 102 previewed
// in row 7.
class PlanCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::CatalogueFixture store(folder.Path());
    store.Department("ELK", {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029", "EEB", "D101", "ELK",
                                     std::string("Devre Teorisi Şube"_w)),
                             Section("21003", "ELK 102", "Deniz Su", "Sali", "0930/1029")});
    store.Department("MAT",
                     {Section("30002", "MAT 101", "Ece Ay", std::string("Perşembe"_w), "0830/0929", "FEB", "F1")});
    catalogue::CatalogueQuery query1(store.ConnectionString());
    planner::Planner planner(query1, folder.Path(), "http://127.0.0.1:9/", "Plan");
    planner.Sifirla();
    // The last item that starts with the prefix.
    auto pick = [](const std::vector<std::string>& items, std::string_view prefix) {
      int found = -1;
      for (std::size_t k = 0; k < items.size(); ++k) {
        if (items[k].rfind(prefix, 0) == 0) found = static_cast<int>(k);
      }
      return found;
    };
    auto choose = [&](int row, std::string_view department, std::string_view course, std::string_view crn) {
      planner.SelectDepartment(row, pick(planner.Row(row).department.items, department));
      planner.DersKoduEkle(row);
      planner.SelectCourse(row, pick(planner.Row(row).course.items, course));
      planner.AcilanDersEkle(row);
      planner.SelectSection(row, pick(planner.Row(row).section.Texts(), crn));
      planner.SectionChosen(row);
    };
    choose(2, "ELK", "ELK 101", "21001");
    planner.KaydetClick(2);
    choose(5, "MAT", "MAT 101", "30002");
    planner.KaydetClick(5);
    choose(7, "ELK", "ELK 102", "21003");
    files::WritePlanFile(plan, planner.Snapshot());
    planner.Lock(2, "21001");
    planner.Exclude("21003");
    for (auto [day, slot] : {std::pair{1, 5}, {1, 6}, {2, 2}}) planner.SetBusy(day, slot, true);
    files::WritePlanFile(constrained_plan, planner.Snapshot());
  }

  CliResult Cli(std::vector<std::string> words) {
    words.insert(words.begin(), {"--folder", folder.Path()});
    return RunCli(words);
  }

  testing_support::TempFolder folder;
  std::string plan = folder / "plan.dkf";
  // The same plan with row 2 locked, ELK 102's section excluded and busy
  // hours on Monday and Tuesday.
  std::string constrained_plan = folder / "kisitli.dkf";
};

TEST_F(PlanCommandTest, ShowGivesThePlanAsLoaded) {
  const CliResult run = Cli({"plan", "show", plan, "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto shown = nlohmann::json::parse(run.out);
  ASSERT_EQ(shown["combos"].size(), 30u);
  EXPECT_EQ(shown["combos"][0], "Seçin");
  EXPECT_EQ(shown["combos"][3], "ELK");
  EXPECT_EQ(shown["combos"][5], "21001:: Ali Veli :: Pazartesi :: EEB----------Kaydedildi");
  EXPECT_EQ(shown["combos"][20], "21003:: Deniz Su :: Sali :: EEB");  // previewed, not committed
  ASSERT_EQ(shown["cells"].size(), 70u);
  EXPECT_EQ(shown["cells"][0], 2);       // Monday 08:30
  EXPECT_EQ(shown["cells"][1], 2);       // Monday 09:30
  EXPECT_EQ(shown["cells"][14 + 1], 0);  // Tuesday 09:30: the preview is not stored
  EXPECT_EQ(shown["cells"][3 * 14], 5);  // Thursday 08:30
  ASSERT_EQ(shown["rows"].size(), 2u);
  EXPECT_EQ(shown["rows"][0]["row"], 2);
  EXPECT_EQ(shown["rows"][0]["DersAdi"], "Devre Teorisi Şube");
  EXPECT_EQ(shown["rows"][0]["Saatler"], nlohmann::json::array({"08:10"}));
  EXPECT_EQ(shown["rows"][1]["CRN"], "30002");
  EXPECT_EQ(shown["committed"], nlohmann::json::array({"", "21001", "", "", "30002", "", "", "", "", ""}));

  const CliResult text = Cli({"plan", "show", plan});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("ZEMÜ Kiremo 1.51 - " + plan), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("Kaydedilen 5. 30002 MAT 101"), std::string::npos) << text.out;
}

TEST_F(PlanCommandTest, ShowEndsWithTheConstraintsOnlyForAPlanThatHasThem) {
  CliResult text = Cli({"plan", "show", constrained_plan});
  ASSERT_EQ(text.status, 0) << text.err;
  const CliResult plain = Cli({"plan", "show", plan});
  // The same output as without constraints (but for the file name in the
  // caption), then the constraints.
  const std::size_t name = text.out.find(constrained_plan);
  ASSERT_NE(name, std::string::npos) << text.out;
  text.out.replace(name, constrained_plan.size(), plan);
  EXPECT_EQ(text.out, plain.out +
                          "Sabit şube: 2. satır ELK 101 -> 21001\n"
                          "Hariç tutulan şubeler: 21003\n"
                          "Boş tutulan saatler: Pazartesi 12:30-14:29, Salı 09:30-10:29\n");

  const CliResult json = Cli({"plan", "show", constrained_plan, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(nlohmann::json::parse(json.out)["constraints"], nlohmann::json::parse(R"({
      "locked": [{"row": 2, "course": "ELK 101", "crn": "21001"}],
      "excluded": ["21003"],
      "busy": [{"day": 1, "hours": [12, 13]}, {"day": 2, "hours": [9]}]})"));
  EXPECT_FALSE(nlohmann::json::parse(Cli({"plan", "show", plan, "--json"}).out).contains("constraints"));
}

TEST_F(PlanCommandTest, CrnsAreTheClipboardBytes) {
  const CliResult list = Cli({"plan", "crns", plan});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out, "21001\r\n30002\r\n");
  const CliResult script = Cli({"plan", "crns", plan, "--script"});
  ASSERT_EQ(script.status, 0) << script.err;
  EXPECT_EQ(script.out,
            "javascript:var crn=[\"21001\",\"30002\"];for(var i=0;i<crn.length;i++){var "
            "d=document.getElementById(\"crn_id\"+(i+1));d.value=crn[i];}void(0);");
}

TEST_F(PlanCommandTest, ExportWritesTheWorkbook) {
  const std::string out = folder / "program.xlsx";
  const CliResult run = Cli({"plan", "export", plan, out});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadWholeFile(out).substr(0, 2), "PK");

  const CliResult failed = Cli({"plan", "export", plan, folder / "yok/program.xlsx"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("yazılamadı"), std::string::npos) << failed.err;
}

TEST_F(PlanCommandTest, ExportWritesTheCalendarOfTheTerm) {
  const std::string out = folder / "program.ics";
  const CliResult run = Cli({"plan", "export", plan, out, "--term-start", "2025-09-17", "--weeks", "12"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string calendar = ReadWholeFile(out);
  EXPECT_EQ(calendar.substr(0, 15), "BEGIN:VCALENDAR");
  // ELK 101 on Monday 08:30-10:29 from the first Monday, MAT 101 on Thursday.
  EXPECT_NE(calendar.find("DTSTART;TZID=Europe/Istanbul:20250922T083000"), std::string::npos) << calendar;
  EXPECT_NE(calendar.find("DTEND;TZID=Europe/Istanbul:20250922T102900"), std::string::npos) << calendar;
  EXPECT_NE(calendar.find("DTSTART;TZID=Europe/Istanbul:20250918T083000"), std::string::npos) << calendar;
  EXPECT_EQ(calendar.find("COUNT=14"), std::string::npos);
  EXPECT_NE(calendar.find("RRULE:FREQ=WEEKLY;COUNT=12"), std::string::npos);

  ASSERT_EQ(Cli({"plan", "export", plan, out, "--term-start", "2025-09-17"}).status, 0);
  EXPECT_NE(ReadWholeFile(out).find("RRULE:FREQ=WEEKLY;COUNT=14"), std::string::npos);
}

TEST_F(PlanCommandTest, CalendarExportRefusesBadTermsBeforeReadingThePlan) {
  const std::string out = folder / "program.ics";
  struct Case {
    std::vector<std::string> options;
    const char* says;
  };
  const Case cases[] = {
      {{}, "--term-start"},
      {{"--term-start", "2025-02-30"}, "geçersiz tarih"},
      {{"--term-start", "17.09.2025"}, "geçersiz tarih"},
      {{"--term-start", "2025-09-17", "--weeks", "0"}, "geçersiz hafta sayısı"},
      {{"--term-start", "2025-09-17", "--weeks", "-3"}, "geçersiz hafta sayısı"},
      {{"--term-start", "2025-09-17", "--weeks", "on"}, "geçersiz hafta sayısı"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> words = {"plan", "export", folder / "yok.dkf", out};
    words.insert(words.end(), c.options.begin(), c.options.end());
    const CliResult run = Cli(words);
    EXPECT_EQ(run.status, 2) << c.says;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  EXPECT_EQ(Cli({"plan", "export", plan, folder / "a.xlsx", "--weeks", "3"}).status, 2);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(PlanCommandTest, APlanWithoutACommittedCourseGivesNoCalendar) {
  const std::string empty = folder / "bos.dkf";
  files::WritePlanFile(empty, planner::PlanSnapshot{});
  const std::string out = folder / "bos.ics";
  const CliResult run = Cli({"plan", "export", empty, out, "--term-start", "2025-09-15"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Programda eklenmiş ders yok"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(out));
}

// The window's box, less its line about the plan on the screen: there is
// no screen here.
TEST_F(PlanCommandTest, FilesThatHoldNoPlanFailWithTheMessage) {
  std::ofstream(folder / "bozuk.dkf", std::ios::binary) << ReadWholeFile(plan).substr(0, 100);
  const struct {
    std::vector<std::string> words;
    int status;
    std::string message;
  } bad[] = {
      {{"plan", "show", folder / "bozuk.dkf"}, 1, "\"" + folder / "bozuk.dkf" + "\" bir ders programı dosyası değil"},
      {{"plan", "crns", folder / "yok.dkf"}, 1, "\"" + folder / "yok.dkf" + "\" dosyası okunamadı: "},
      {{"plan", "show", folder / "yok.dkf"}, 1, "\"" + folder / "yok.dkf" + "\" dosyası okunamadı: "},
      {{"plan", "check", folder / "yok.dkf"}, 2, "\"" + folder / "yok.dkf" + "\" dosyası okunamadı: "},
  };
  for (const auto& c : bad) {
    const CliResult run = Cli(c.words);
    EXPECT_EQ(run.status, c.status) << c.words[2];
    EXPECT_EQ(run.out, "") << c.words[2];
    EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
    EXPECT_EQ(run.err.find("Ekran"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_EQ(Cli({"plan"}).status, 2);
  EXPECT_EQ(Cli({"plan", "show"}).status, 2);
  EXPECT_EQ(Cli({"plan", "open", plan}).status, 2);
}

TEST_F(PlanCommandTest, GenerateAppliesAnAlternativeAndSavesThePlan) {
  const std::string out = folder / "uretilen.dkf";
  const CliResult run =
      Cli({"generate", "--course", "ELK 101", "--course", "MAT 101", "--hours", "8-22", "--apply", "1", "--save", out});
  ASSERT_EQ(run.status, 0) << run.err;
  const CliResult shown = Cli({"plan", "show", out, "--json"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const auto plan = nlohmann::json::parse(shown.out);
  EXPECT_EQ(plan["committed"], nlohmann::json::array({"21001", "30002", "", "", "", "", "", "", "", ""}));
  ASSERT_EQ(plan["rows"].size(), 2u);
  EXPECT_EQ(plan["rows"][0]["DersKodu"], "ELK 101");
  EXPECT_EQ(plan["rows"][1]["DersKodu"], "MAT 101");
  EXPECT_EQ(plan["cells"][3 * 14], 2);  // Thursday 08:30 belongs to row 2 now

  const CliResult missing = Cli({"generate", "--course", "ELK 101", "--hours", "8-22", "--apply", "5", "--save", out});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("5. alternatif yok"), std::string::npos) << missing.err;
  EXPECT_EQ(Cli({"generate", "--course", "ELK 101", "--apply", "0"}).status, 2);
}

TEST_F(PlanCommandTest, GeneratedPlansKeepTheirConstraints) {
  const std::string out = folder / "kisitli-uretilen.dkf";
  const CliResult run =
      Cli({"generate", "--course", "ELK 101", "--course", "MAT 101", "--hours", "8-22", "--lock", "MAT 101=30002",
           "--exclude", "21003", "--busy", "3:12-13", "--apply", "1", "--save", out});
  ASSERT_EQ(run.status, 0) << run.err;
  const CliResult shown = Cli({"plan", "show", out, "--json"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(nlohmann::json::parse(shown.out)["constraints"], nlohmann::json::parse(R"({
      "locked": [{"row": 2, "course": "MAT 101", "crn": "30002"}],
      "excluded": ["21003"],
      "busy": [{"day": 3, "hours": [12, 13]}]})"));
}

}  // namespace
}  // namespace kiremo::cli
