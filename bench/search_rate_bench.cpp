// The search's rate against a tight bitmask search written here as the
// floor, the cost of forward checking, and sorting a million alternatives.
//
// The tight search knows only what the clash test needs: one word of shared
// cells per section, depth first, each timetable stored as one byte per
// course. The real search also counts and paces its progress, filters
// duplicates, cuts hopeless branches and keeps its timetables compactly.
#include <benchmark/benchmark.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "generator/clash_masks.h"
#include "generator/combination_search.h"
#include "generator/result_order.h"
#include "generator/sort_keys.h"
#include "generator/timetable_metrics.h"

namespace kiremo::generator {
namespace {

TTreeDers Candidate(int row, int crn, const std::vector<std::pair<int, int>>& cells, const std::string& building) {
  TTreeDers c;
  c.Row = row;
  c.SectionCombo = 3 * row;
  c.CRN = std::to_string(crn);
  for (const auto& [day, slot] : cells) {
    c.Days.push_back(std::to_string(day));
    c.Slots.push_back(std::to_string(slot));
    c.Buildings.push_back(building);
  }
  return c;
}

std::vector<TTreeDers> Numbered(std::vector<TTreeDers> all) {
  for (std::size_t k = 0; k < all.size(); ++k) all[k].Index = static_cast<int>(k);
  return all;
}

// Rows of ten sections, all of a row in one hour of its own: 10^rows
// timetables, nothing clashes.
std::vector<TTreeDers> SeparateHours(int rows) {
  std::vector<TTreeDers> all;
  for (int row = 1; row <= rows; ++row) {
    for (int s = 0; s < 10; ++s) {
      all.push_back(Candidate(row, 10000 + row * 100 + s, {{1 + (row - 1) % 5, 1 + (row - 1) / 5}}, "EEB"));
    }
  }
  return Numbered(all);
}

// Seven courses of eight to twelve sections, each meeting twice a week for
// one or two hours at seeded places in seeded buildings: about a million
// timetables out of some twenty million combinations.
std::vector<TTreeDers> SeededWeek(unsigned seed, int rows) {
  std::mt19937 random(seed);
  static const char* kBuildings[] = {"EEB", "FEB", "MED", "INB"};
  std::vector<TTreeDers> all;
  for (int row = 1; row <= rows; ++row) {
    const int sections = 8 + static_cast<int>(random() % 5);
    for (int s = 0; s < sections; ++s) {
      std::vector<std::pair<int, int>> cells;
      const int first_day = 1 + static_cast<int>(random() % 5);
      for (const int day : {first_day, 1 + (first_day + static_cast<int>(random() % 4)) % 5}) {
        const int slot = 1 + static_cast<int>(random() % 13);
        cells.push_back({day, slot});
        if (random() % 2) cells.push_back({day, slot + 1});
      }
      all.push_back(Candidate(row, 10000 + row * 100 + s, cells, kBuildings[random() % 4]));
    }
  }
  return Numbered(all);
}

class TightSearch {
 public:
  explicit TightSearch(const std::vector<TTreeDers>& candidates) {
    const auto levels = GroupLevels(candidates);
    const ClashMasks masks(candidates, levels);
    if (masks.words != 1) throw std::logic_error("the tight search handles one word of cells");
    for (const auto& level : levels) {
      auto& level_masks = masks_.emplace_back();
      for (const int c : level) level_masks.push_back(*masks.Of(c));
    }
    path_.resize(masks_.size());
  }

  std::size_t Run() {
    stored_.clear();
    Visit(0, 0);
    return stored_.size() / masks_.size();
  }

 private:
  void Visit(std::size_t level, std::uint64_t occupied) {
    const std::vector<std::uint64_t>& masks = masks_[level];
    for (std::size_t k = 0; k < masks.size(); ++k) {
      if (masks[k] & occupied) continue;
      path_[level] = static_cast<std::uint8_t>(k);
      if (level + 1 == masks_.size()) {
        stored_.insert(stored_.end(), path_.begin(), path_.end());
      } else {
        Visit(level + 1, occupied | masks[k]);
      }
    }
  }

  std::vector<std::vector<std::uint64_t>> masks_;
  std::vector<std::uint8_t> path_;
  std::vector<std::uint8_t> stored_;
};

void RunTight(benchmark::State& state, const std::vector<TTreeDers>& candidates) {
  TightSearch search(candidates);
  std::size_t found = 0;
  for (auto _ : state) found = search.Run();
  state.counters["timetables"] = static_cast<double>(found);
  state.counters["rate"] =
      benchmark::Counter(static_cast<double>(found), benchmark::Counter::kIsIterationInvariantRate);
}

void RunSearch(benchmark::State& state, const std::vector<TTreeDers>& candidates, bool prune) {
  std::int64_t found = 0;
  for (auto _ : state) found = SearchCombinations(candidates, {.prune = prune}).total;
  state.counters["timetables"] = static_cast<double>(found);
  state.counters["rate"] =
      benchmark::Counter(static_cast<double>(found), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Tight_SeparateHours(benchmark::State& state) { RunTight(state, SeparateHours(6)); }
void BM_Search_SeparateHours(benchmark::State& state) { RunSearch(state, SeparateHours(6), true); }
void BM_SearchUnpruned_SeparateHours(benchmark::State& state) { RunSearch(state, SeparateHours(6), false); }
void BM_Tight_SeededWeek(benchmark::State& state) { RunTight(state, SeededWeek(7, 8)); }
void BM_Search_SeededWeek(benchmark::State& state) { RunSearch(state, SeededWeek(7, 8), true); }
void BM_SearchUnpruned_SeededWeek(benchmark::State& state) { RunSearch(state, SeededWeek(7, 8), false); }
BENCHMARK(BM_Tight_SeparateHours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_SeparateHours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchUnpruned_SeparateHours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tight_SeededWeek)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_SeededWeek)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchUnpruned_SeededWeek)->Unit(benchmark::kMillisecond);

// A million alternatives of the seeded week, put in order by one key.
void BM_Sort_Million(benchmark::State& state) {
  const SortKey key = static_cast<SortKey>(state.range(0));
  const std::vector<TTreeDers> candidates = SeededWeek(7, 8);
  const SearchOutcome outcome = SearchCombinations(candidates);
  const MetricsTable metrics(candidates);
  std::size_t sorted = 0;
  for (auto _ : state) sorted = OrderBy(outcome.alternatives, metrics, {key}).size();
  state.SetLabel(std::string(KeyWord(key)));
  state.counters["alternatives"] = static_cast<double>(sorted);
}
BENCHMARK(BM_Sort_Million)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kiremo::generator

BENCHMARK_MAIN();
