// The generator's search against the oracle tree, in time and in peak heap
// memory, and the catalogue of the command-line measurement.
//
//   generator_bench                              run the benchmarks
//   generator_bench --write-catalogue FOLDER     write FOLDER/DataBase with
//       the departments BNC (six courses of ten sections in separate hours:
//       10^6 timetables) and GNS (seven such courses: 10^7, cut at 10^6)
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>

#include "generator/combination_search.h"
#include "generator/oracle_tree.h"
#include "support/catalogue_fixture.h"
#include "text/cp1254.h"

// Every heap block is counted, so that a benchmark can report the peak it
// reached above where it began.
namespace {
std::atomic<std::size_t> g_heap_now{0};
std::atomic<std::size_t> g_heap_peak{0};

void* Counted(void* p) {
  if (!p) throw std::bad_alloc();
  const std::size_t now = g_heap_now += malloc_usable_size(p);
  std::size_t peak = g_heap_peak.load();
  while (now > peak && !g_heap_peak.compare_exchange_weak(peak, now)) {
  }
  return p;
}

// The replaced operator new below takes its blocks from malloc, so free is
// the matching release here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void Release(void* p) {
  if (!p) return;
  g_heap_now -= malloc_usable_size(p);
  std::free(p);
}
#pragma GCC diagnostic pop
}  // namespace

void* operator new(std::size_t n) { return Counted(std::malloc(n ? n : 1)); }
void* operator new[](std::size_t n) { return Counted(std::malloc(n ? n : 1)); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace kiremo::generator {
namespace {

class HeapPeak {
 public:
  HeapPeak() : base_(g_heap_now.load()) { g_heap_peak = base_; }
  double Megabytes() const { return static_cast<double>(g_heap_peak.load() - base_) / (1024.0 * 1024.0); }

 private:
  std::size_t base_;
};

TTreeDers Candidate(int row, int crn, const std::vector<std::pair<int, int>>& cells) {
  TTreeDers c;
  c.Row = row;
  c.SectionCombo = 3 * row;
  c.CRN = std::to_string(crn);
  for (const auto& [day, slot] : cells) {
    c.Days.push_back(std::to_string(day));
    c.Slots.push_back(std::to_string(slot));
  }
  return c;
}

// A broad choice: six courses of eight sections, each meeting once for two
// hours at a seeded place, so that about half the combinations clash.
std::vector<TTreeDers> BroadChoice() {
  std::mt19937 random(20240917);
  std::vector<TTreeDers> all;
  for (int row = 1; row <= 6; ++row) {
    for (int s = 0; s < 8; ++s) {
      std::vector<std::pair<int, int>> cells;
      for (int meeting = 0; meeting < 1; ++meeting) {
        const int day = 1 + random() % 5;
        const int slot = 1 + random() % 13;
        cells.push_back({day, slot});
        cells.push_back({day, slot + 1});
      }
      all.push_back(Candidate(row, 10000 + row * 100 + s, cells));
    }
  }
  for (std::size_t k = 0; k < all.size(); ++k) all[k].Index = static_cast<int>(k);
  return all;
}

// Rows of ten sections, all of a row in one hour of its own, so that no two
// rows clash: 10^rows timetables.
std::vector<TTreeDers> SeparateHours(int rows) {
  std::vector<TTreeDers> all;
  for (int row = 1; row <= rows; ++row) {
    for (int s = 0; s < 10; ++s) {
      all.push_back(Candidate(row, 10000 + row * 100 + s, {{1 + (row - 1) % 5, 1 + (row - 1) / 5}}));
    }
  }
  for (std::size_t k = 0; k < all.size(); ++k) all[k].Index = static_cast<int>(k);
  return all;
}

void RunFastSearch(benchmark::State& state, const std::vector<TTreeDers>& candidates) {
  int found = 0;
  double megabytes = 0;
  for (auto _ : state) {
    HeapPeak peak;
    const SearchOutcome outcome = SearchCombinations(candidates);
    found = outcome.alternatives.Count();
    megabytes = peak.Megabytes();
  }
  state.counters["timetables"] = found;
  state.counters["peak_MB"] = megabytes;
}

void BM_FastSearch_BroadChoice(benchmark::State& state) { RunFastSearch(state, BroadChoice()); }
BENCHMARK(BM_FastSearch_BroadChoice)->Unit(benchmark::kMillisecond);

void BM_OracleTree_BroadChoice(benchmark::State& state) {
  const auto candidates = BroadChoice();
  int found = 0;
  double megabytes = 0;
  for (auto _ : state) {
    oracle::Module m;
    m.Candidates = candidates;
    m.CandidateCount = static_cast<int>(candidates.size());
    HeapPeak peak;
    m.FreeTree();
    m.BuildTree();
    m.RemoveDuplicates();
    found = m.ResultCount;
    megabytes = peak.Megabytes();
  }
  state.counters["timetables"] = found;
  state.counters["peak_MB"] = megabytes;
}
BENCHMARK(BM_OracleTree_BroadChoice)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FastSearch_MillionTimetables(benchmark::State& state) { RunFastSearch(state, SeparateHours(6)); }
BENCHMARK(BM_FastSearch_MillionTimetables)->Unit(benchmark::kMillisecond);

// Seven rows: ten million timetables exist, the first million are kept.
void BM_FastSearch_CutAtTheLimit(benchmark::State& state) {
  const auto candidates = SeparateHours(7);
  int found = 0;
  for (auto _ : state) found = SearchCombinations(candidates).alternatives.Count();
  state.counters["timetables"] = found;
}
BENCHMARK(BM_FastSearch_CutAtTheLimit)->Unit(benchmark::kMillisecond);

// The catalogue form of SeparateHours: course c is "<code> 1<c>1", its ten
// sections meet at one hour of its own.
std::vector<catalogue::SectionValues> SeparateHourSections(const std::string& code, int courses) {
  static const std::string_view kDays[] = {"Pazartesi"_w, "Salı"_w, "Çarşamba"_w, "Perşembe"_w, "Cuma"_w};
  std::vector<catalogue::SectionValues> sections;
  for (int course = 1; course <= courses; ++course) {
    for (int s = 0; s < 10; ++s) {
      const int hour = 10 + (course - 1) / 5;
      char saat[16];
      std::snprintf(saat, sizeof saat, "%02d30/%02d29", hour, hour + 1);
      const std::string crn = std::to_string(code == "BNC" ? 20000 + course * 100 + s : 30000 + course * 100 + s);
      sections.push_back(testing_support::Section(crn, code + " 1" + std::to_string(course) + "1",
                                                  "Hoca " + std::to_string(s), std::string(kDays[(course - 1) % 5]),
                                                  saat, "EEB", "D1", std::string("TÜM"_w)));
    }
  }
  return sections;
}

void WriteCatalogue(const std::string& folder) {
  testing_support::CatalogueFixture catalogue(folder.back() == '/' ? folder : folder + "/");
  catalogue.Department("BNC", SeparateHourSections("BNC", 6));
  catalogue.Department("GNS", SeparateHourSections("GNS", 7));
}

}  // namespace
}  // namespace kiremo::generator

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--write-catalogue") {
    kiremo::generator::WriteCatalogue(argv[2]);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
