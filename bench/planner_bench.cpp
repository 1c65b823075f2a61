// Picking a department, a course and a section in a course row, on a
// catalogue department of a few thousand sections.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/plan_view.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "planner/planner.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "view/memory_view.h"

namespace {

using kiremo::testing_support::CatalogueFixture;
using kiremo::testing_support::Section;
using kiremo::testing_support::TempFolder;

constexpr int kSectionsPerCourse = 8;

// A department of `sections` sections, kSectionsPerCourse per course code,
// with the courses' sections interleaved as a schedule page lists them.
struct Term {
  explicit Term(int sections) : store(folder.Path()) {
    static const std::array<const char*, 5> kDays = {"Pazartesi", "Sali", "Carsamba", "Persembe", "Cuma"};
    std::vector<kiremo::catalogue::SectionValues> values;
    const int courses = sections / kSectionsPerCourse;
    for (int s = 0; s < sections; ++s) {
      const int course = s % courses;
      const int hour = 8 + s % 12;
      char saat[32];
      std::snprintf(saat, sizeof saat, "%02d30/%02d29|%02d30/%02d29", hour, hour + 1, hour, hour + 2);
      values.push_back(Section(std::to_string(20000 + s), "ELK " + std::to_string(100 + course),
                               "Hoca " + std::to_string(s % 97), std::string(kDays[s % 5]) + "|" + kDays[(s + 2) % 5],
                               saat, "EEB|MED", "D1|D2", s % 3 ? "ELK,MAT" : "MAT"));
    }
    store.Department("MAT").Department("ELK", values);
  }
  TempFolder folder;
  CatalogueFixture store;
};

// The planner shown in a window in memory, with the department list filled
// and ELK chosen in row 1; the catalogue connection is open already, as after
// the first pick.
struct Window {
  explicit Window(Term& term)
      : query1(term.store.ConnectionString()), planner(query1, term.folder.Path(), "http://127.0.0.1/", "Plan") {
    planner.SetObserver(&shown);
    planner.Sifirla();
    planner.SelectDepartment(1, 2);  // "Seçin", "MAT", "ELK"
    planner.DersKoduEkle(1);
  }
  kiremo::ui::MemoryView view;
  kiremo::catalogue::CatalogueQuery query1;
  kiremo::planner::Planner planner;
  kiremo::app::PlanView shown{planner, view};
};

void BM_DersKoduEkle(benchmark::State& state) {
  Term term(static_cast<int>(state.range(0)));
  Window window(term);
  for (auto _ : state) {
    window.planner.DersKoduEkle(1);
    benchmark::DoNotOptimize(window.view.ComboBox(2).Count());
  }
  state.counters["codes"] = window.view.ComboBox(2).Count() - 1;
}
BENCHMARK(BM_DersKoduEkle)->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

void BM_AcilanDersEkle(benchmark::State& state) {
  Term term(static_cast<int>(state.range(0)));
  Window window(term);
  window.planner.SelectCourse(1, window.view.ComboBox(2).Count() / 2);
  for (auto _ : state) {
    window.planner.AcilanDersEkle(1);
    benchmark::DoNotOptimize(window.view.ComboBox(3).Count());
  }
}
BENCHMARK(BM_AcilanDersEkle)->Arg(4000)->Unit(benchmark::kMillisecond);

void BM_SectionPreview(benchmark::State& state) {
  Term term(static_cast<int>(state.range(0)));
  Window window(term);
  window.planner.SelectCourse(1, 1);
  window.planner.AcilanDersEkle(1);
  window.planner.SelectSection(1, 1);
  for (auto _ : state) window.planner.SectionChosen(1);
}
BENCHMARK(BM_SectionPreview)->Arg(4000)->Unit(benchmark::kMillisecond);

// The demo catalogue beside the executables, when it has been built: its
// department with the most sections.
void BM_DemoCatalogueDepartment(benchmark::State& state) {
  const std::string folder = std::string(KIREMO_BIN_DIR) + "/";
  if (!std::filesystem::exists(folder + std::string(kiremo::catalogue::kMainCatalogue))) {
    state.SkipWithError("no demo catalogue: build the demo_catalogue target first");
    return;
  }
  kiremo::ui::MemoryView view;
  kiremo::catalogue::CatalogueQuery query1(
      kiremo::catalogue::MakeConnectionString(folder, kiremo::catalogue::kMainCatalogue));
  kiremo::planner::Planner planner(query1, folder, "http://127.0.0.1/", "Plan");
  kiremo::app::PlanView shown(planner, view);
  planner.SetObserver(&shown);
  planner.Sifirla();
  kiremo::ui::MemoryChoiceList& departments = view.ComboBox(1);
  int largest = 1;
  std::size_t most = 0;
  for (int k = 1; k < departments.Count(); ++k) {
    const std::size_t sections = query1.Db().Sections(departments.Item(k)).size();
    if (sections > most) {
      most = sections;
      largest = k;
    }
  }
  planner.SelectDepartment(1, largest);
  planner.DersKoduEkle(1);
  for (auto _ : state) {
    planner.DersKoduEkle(1);
    benchmark::DoNotOptimize(view.ComboBox(2).Count());
  }
  state.SetLabel(departments.Text());
  state.counters["sections"] = static_cast<double>(most);
  state.counters["codes"] = view.ComboBox(2).Count() - 1;
}
BENCHMARK(BM_DemoCatalogueDepartment)->Unit(benchmark::kMillisecond);

// The first pick after start-up also opens the encrypted catalogue.
void BM_FirstPickOpensTheCatalogue(benchmark::State& state) {
  Term term(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<Window>(term);
    window->query1.Close();
    state.ResumeTiming();
    window->planner.DersKoduEkle(1);
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstPickOpensTheCatalogue)->Arg(4000)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
