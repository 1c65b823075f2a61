#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "catalogue/catalogue_files.h"
#include "cli/cli_runner.h"
#include "demo_server/schedule_server.h"
#include "demo_term.h"
#include "files/plan_io.h"
#include "page_writer.h"
#include "planner/planner.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

// Two generated terms through the whole path: the first fetched by
// "update", a plan made on it, the second fetched, then "plan check".
namespace kiremo::cli {
namespace {

using nlohmann::json;
using testing_support::CliResult;
using testing_support::RunCli;

std::map<std::string, std::string> Pages(const demo::DemoTerm& term) {
  std::map<std::string, std::string> pages{{"index", demo::IndexPage(term)}};
  for (const demo::DemoDepartment& department : term.departments)
    pages[department.code] = demo::SchedulePage(department);
  return pages;
}

// Every meeting on a weekday with hours: a section the grid shows whole.
bool Plain(const demo::DemoSection& section) {
  return !section.meetings.empty() && std::none_of(section.meetings.begin(), section.meetings.end(), [](const auto& m) {
    return m.gun == std::string("Boş"_w) || m.saat == "/";
  });
}

class PlanCheckDemoTest : public ::testing::Test {
 protected:
  CliResult Cli(std::vector<std::string> words) {
    words.insert(words.begin(), {"--folder", program});
    return RunCli(words);
  }

  void Fetch(const demo::DemoTerm& term) {
    server = std::make_unique<demo::ScheduleServer>(demo::MemoryPages(Pages(term)), demo::ServerOptions{});
    server->Start();
    ::setenv("KIREMO_SCHEDULE_URL", server->Url().c_str(), 1);
    const CliResult result = Cli({"update"});
    ASSERT_EQ(result.status, 0) << result.err;
  }

  // Five plain sections of different courses committed in rows 1..5, each
  // the first in term order that does not clash with those before.
  std::vector<std::string> MakePlan(const demo::DemoTerm& term) {
    catalogue::CatalogueQuery query1(catalogue::MakeConnectionString(program, catalogue::kMainCatalogue));
    planner::Planner planner(query1, program, "http://127.0.0.1:9/", "Plan");
    planner.Sifirla();
    std::vector<std::string> crns;
    std::vector<std::string> courses;
    for (const demo::DemoDepartment& department : term.departments) {
      for (const demo::DemoSection& section : department.sections) {
        const int row = static_cast<int>(crns.size()) + 1;
        if (row > 5) break;
        if (!Plain(section) || std::find(courses.begin(), courses.end(), section.ders_kodu) != courses.end()) continue;
        planner.SelectDepartment(row, planner.Row(row).department.IndexOf(department.code));
        planner.DersKoduEkle(row);
        planner.SelectCourse(row, planner.Row(row).course.IndexOf(section.ders_kodu));
        planner.AcilanDersEkle(row);
        const auto& items = planner.Row(row).section.items;
        for (std::size_t k = 0; k < items.size(); ++k) {
          if (items[k].crn == section.crn) planner.SelectSection(row, static_cast<int>(k));
        }
        planner.KaydetClick(row);
        if (planner.Ders(row).CRN != section.crn) continue;
        crns.push_back(section.crn);
        courses.push_back(section.ders_kodu);
      }
    }
    files::WritePlanFile(plan, planner.Snapshot());
    return crns;
  }

  testing_support::TempFolder root;
  const std::string program = root / "program/";
  const std::string plan = root / "plan.dkf";
  std::unique_ptr<demo::ScheduleServer> server;
};

TEST_F(PlanCheckDemoTest, ReportsExactlyWhatTheSecondTermChanged) {
  ASSERT_EQ(Cli({"init"}).status, 0);
  const demo::DemoTerm first = demo::MakeDemoTerm();
  Fetch(first);
  const std::vector<std::string> crns = MakePlan(first);
  ASSERT_EQ(crns.size(), 5u);

  demo::DemoTerm second = first;
  // The department holding a CRN, and the section in it.
  auto sections_of = [&](const std::string& crn) -> std::vector<demo::DemoSection>& {
    for (demo::DemoDepartment& department : second.departments) {
      for (const demo::DemoSection& section : department.sections) {
        if (section.crn == crn) return department.sections;
      }
    }
    throw std::runtime_error("no section " + crn);
  };
  auto find = [&](const std::string& crn) {
    auto& sections = sections_of(crn);
    return std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.crn == crn; });
  };
  const std::vector<std::string> days = {"Pazartesi", std::string("Salı"_w), std::string("Çarşamba"_w),
                                         std::string("Perşembe"_w), "Cuma"};
  demo::DemoMeeting& moved = find(crns[0])->meetings.front();
  const std::string old_day = moved.gun;
  moved.gun = days[(std::find(days.begin(), days.end(), old_day) - days.begin() + 1) % days.size()];
  const std::string old_room = find(crns[1])->meetings.front().derslik;
  find(crns[1])->meetings.front().derslik = "Z999";
  const std::string old_teacher = find(crns[2])->ogretmen;
  find(crns[2])->ogretmen = "Yeni Hoca";
  sections_of(crns[3]).erase(find(crns[3]));
  // The fifth CRN now names a section of another course of its department.
  auto& sections = sections_of(crns[4]);
  const std::string fifth_course = find(crns[4])->ders_kodu;
  sections.erase(find(crns[4]));
  const auto other = std::find_if(sections.begin(), sections.end(), [&](const auto& s) {
    return s.ders_kodu != fifth_course && std::find(crns.begin(), crns.end(), s.crn) == crns.end();
  });
  ASSERT_NE(other, sections.end());
  other->crn = crns[4];
  Fetch(second);

  const CliResult result = Cli({"plan", "check", plan, "--json"});
  EXPECT_EQ(result.status, 1) << result.err;
  const json report = json::parse(result.out);
  const auto u = [](const std::string& text) { return Cp1254ToUtf8(text); };
  const std::vector<std::pair<std::string, json>> expected = {
      {"changed", {{{"field", "gun"}, {"meeting", 1}, {"old", u(old_day)}, {"new", u(moved.gun)}}}},
      {"changed", {{{"field", "derslik"}, {"meeting", 1}, {"old", u(old_room)}, {"new", "Z999"}}}},
      {"changed", {{{"field", "ogretmen"}, {"meeting", 0}, {"old", u(old_teacher)}, {"new", "Yeni Hoca"}}}},
      {"vanished", json::array()},
      {"vanished", json::array()}};
  ASSERT_EQ(report["courses"].size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    SCOPED_TRACE(crns[k]);
    EXPECT_EQ(report["courses"][k]["row"], k + 1);
    EXPECT_EQ(report["courses"][k]["crn"], crns[k]);
    EXPECT_EQ(report["courses"][k]["status"], expected[k].first);
    EXPECT_EQ(report["courses"][k]["changes"], expected[k].second);
  }
  // Only the moved meeting can have met another row's hours.
  for (const json& pair : report["clashes"]) EXPECT_EQ(pair[0], 1);
}

}  // namespace
}  // namespace kiremo::cli
