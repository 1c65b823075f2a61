// A schedule file whose row holds 20,000 meetings: reading it, and checking
// plans whose rows hold that many meetings against the catalogue.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "catalogue/file_system.h"
#include "files/dkf_format.h"
#include "files/plan_io.h"
#include "planner/plan_check.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace {

using kiremo::testing_support::CatalogueFixture;
using kiremo::testing_support::Section;
using kiremo::testing_support::TempFolder;
using kiremo::operator""_w;

// A plan of two committed rows of `meetings` meetings each: ELK 101 on
// Monday and Tuesday, ELK 102 on Wednesday to Friday, one hour each.
kiremo::planner::PlanSnapshot PlanOf(int meetings) {
  kiremo::planner::PlanSnapshot plan;
  plan.combos[0] = plan.combos[3] = "ELK";
  for (int row = 0; row < 2; ++row) {
    kiremo::planner::StoredRow record{
        row ? "ELK 102" : "ELK 101", "Ders", row ? "21002" : "21001", "Hoca", meetings, {}};
    for (int m = 0; m < meetings; ++m) {
      const int day = row ? 3 + m % 3 : 1 + m % 2;
      const int hour = 8 + m % 14;
      char hours[8];
      std::snprintf(hours, sizeof hours, "%02d:%02d", hour, hour + 1);
      record.meetings.push_back({"EEB", std::to_string(day), hours, "D" + std::to_string(m)});
    }
    plan.rows[row] = record;
  }
  return plan;
}

// The catalogue holds both sections with the plan's hours; every meeting
// of ELK 101 has moved to another room, so that each is a change to tell.
struct Catalogue {
  explicit Catalogue(int meetings) : store(folder.Path()) {
    const std::string_view kDays[] = {"", "Pazartesi", "Salı"_w, "Çarşamba"_w, "Perşembe"_w, "Cuma"};
    std::string gun[2], saat[2], bina[2], derslik[2];
    for (int row = 0; row < 2; ++row) {
      for (int m = 0; m < meetings; ++m) {
        const char* separator = m ? "|" : "";
        const int hour = 8 + m % 14;
        char time[16];
        std::snprintf(time, sizeof time, "%02d30/%02d29", hour, hour + 1);
        gun[row] += separator + std::string(kDays[row ? 3 + m % 3 : 1 + m % 2]);
        saat[row] += separator + std::string(time);
        bina[row] += separator + std::string("EEB");
        derslik[row] += separator + std::string(row ? "D" : "Y") + std::to_string(m);
      }
    }
    std::vector<kiremo::catalogue::SectionValues> sections = {
        Section("21001", "ELK 101", "Hoca", gun[0], saat[0], bina[0], derslik[0], "ELK", "Ders"),
        Section("21002", "ELK 102", "Hoca", gun[1], saat[1], bina[1], derslik[1], "ELK", "Ders")};
    for (auto& section : sections) section.blok = meetings;
    store.Department("ELK", sections);
  }
  TempFolder folder;
  CatalogueFixture store;
};

// The file is refused as soon as the row's count is read.
void BM_ReadPlanFileWithManyMeetings(benchmark::State& state) {
  TempFolder folder;
  const std::string path = folder / "plan.dkf";
  kiremo::WriteFileAtomically(path, kiremo::files::EncodePlan(PlanOf(static_cast<int>(state.range(0)))));
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(kiremo::files::ReadPlanFile(path));
    } catch (const kiremo::files::FileCommandError&) {
    }
  }
  state.SetLabel("refused");
}
BENCHMARK(BM_ReadPlanFileWithManyMeetings)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

// A plan built in memory is not bounded by the file: the check and its text
// must still grow only with the number of meetings.
void BM_CheckPlanWithManyMeetings(benchmark::State& state) {
  const int meetings = static_cast<int>(state.range(0));
  Catalogue catalogue(meetings);
  kiremo::catalogue::CatalogueQuery query1(catalogue.store.ConnectionString());
  const kiremo::planner::PlanSnapshot plan = PlanOf(meetings);
  for (auto _ : state) {
    const kiremo::planner::PlanCheck check = kiremo::planner::CheckPlan(plan, query1.Db());
    benchmark::DoNotOptimize(kiremo::planner::CheckText(check));
  }
  state.SetComplexityN(meetings);
}
BENCHMARK(BM_CheckPlanWithManyMeetings)
    ->Arg(70)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
