// Huge choices of courses: the search's exact total past the limit against
// a plain walk that visits every timetable to count it, in the same run, and
// the first million listed by both (the walk's order is the order the
// alternatives were always listed in).
//
// Generated terms of 8 courses of 30 sections and 10 of 25, in two shapes:
// sections at hours of their own like the demo term's, and sections in the
// two-hour blocks of a block timetable. Counters per term:
//   total        the search's total; walk_total the walk's (they must agree)
//   same_list    1 when the search listed exactly the walk's first million
//   search_s     wall seconds of the search on every core (listing, counting)
//   walk_s       wall seconds of the walk
//   ratio        walk_s / search_s
//   cpu_ratio    the walk's processor time over the search's on one thread,
//                steadier than wall time on a busy machine
//
//   huge_term_bench                            run the benchmarks
//   huge_term_bench --write-catalogue FOLDER   write FOLDER/DataBase with the
//       same kind of terms for kiremo-cli, courses "<department> 101" on:
//       SEK 8x30, ONY 10x25 and KRK 10x40 at free hours, PZS 10x40 and
//       PZA 10x60 of a Monday and a Tuesday hour (no timetable at all)
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

#include "generator/clash_masks.h"
#include "generator/combination_search.h"
#include "generator/generated_catalogue.h"
#include "generator/generated_term.h"

namespace kiremo::generator {
namespace {

using testing::GeneratedTerm;
using testing::TermShape;

// Depth first over one word of shared cells per section: the first `limit`
// timetables are kept as positions, every one is counted.
class PlainWalk {
 public:
  PlainWalk(const std::vector<TTreeDers>& candidates, int limit) : limit_(limit) {
    const auto levels = GroupLevels(candidates);
    const ClashMasks masks(candidates, levels);
    if (masks.words != 1) throw std::logic_error("the plain walk handles one word of cells");
    for (const auto& level : levels) {
      auto& level_masks = masks_.emplace_back();
      for (const int c : level) level_masks.push_back(*masks.Of(c));
    }
    path_.resize(masks_.size());
  }

  std::int64_t Run() {
    count_ = 0;
    kept_.clear();
    Visit(0, 0);
    return count_;
  }
  // Timetable k of those kept, position of `level`.
  int Position(std::int64_t k, std::size_t level) const { return kept_[k * masks_.size() + level]; }

 private:
  void Visit(std::size_t level, std::uint64_t occupied) {
    const std::vector<std::uint64_t>& masks = masks_[level];
    if (level + 1 == masks_.size()) {
      if (count_ >= limit_) {
        std::int64_t fits = 0;
        for (const std::uint64_t mask : masks) fits += (mask & occupied) == 0;
        count_ += fits;
        return;
      }
      for (std::size_t k = 0; k < masks.size(); ++k) {
        if (masks[k] & occupied) continue;
        path_[level] = static_cast<int>(k);
        if (count_++ < limit_) kept_.insert(kept_.end(), path_.begin(), path_.end());
      }
      return;
    }
    for (std::size_t k = 0; k < masks.size(); ++k) {
      if (masks[k] & occupied) continue;
      path_[level] = static_cast<int>(k);
      Visit(level + 1, occupied | masks[k]);
    }
  }

  std::int64_t limit_;
  std::vector<std::vector<std::uint64_t>> masks_;
  std::vector<int> path_;
  std::vector<int> kept_;
  std::int64_t count_ = 0;
};

double Wall(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

bool SameList(const Alternatives& listed, const PlainWalk& walk, std::int64_t walked) {
  if (listed.Count() != std::min<std::int64_t>(walked, kResultLimit)) return false;
  for (int k = 0; k < listed.Count(); ++k) {
    for (int level = 0; level < listed.Levels(); ++level) {
      if (listed.Position(k, level) != walk.Position(k, static_cast<std::size_t>(level))) return false;
    }
  }
  return true;
}

void BM_HugeTerm(benchmark::State& state, TermShape shape, int courses, int sections) {
  const std::vector<TTreeDers> candidates = GeneratedTerm(29, courses, sections, shape);
  PlainWalk walk(candidates, kResultLimit);
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    const SearchOutcome outcome = SearchCombinations(candidates);
    const double search_s = Wall(start);

    double cpu = ProcessorSeconds();
    const std::int64_t one_thread_total = SearchCombinations(candidates, {.threads = 1}).total;
    const double search_cpu = ProcessorSeconds() - cpu;

    start = std::chrono::steady_clock::now();
    cpu = ProcessorSeconds();
    const std::int64_t walked = walk.Run();
    const double walk_cpu = ProcessorSeconds() - cpu;
    const double walk_s = Wall(start);

    state.counters["total"] = static_cast<double>(outcome.total);
    state.counters["walk_total"] = static_cast<double>(walked);
    state.counters["same_list"] = SameList(outcome.alternatives, walk, walked) && one_thread_total == walked;
    state.counters["search_s"] = search_s;
    state.counters["walk_s"] = walk_s;
    state.counters["ratio"] = walk_s / search_s;
    state.counters["cpu_ratio"] = walk_cpu / search_cpu;
  }
}

BENCHMARK_CAPTURE(BM_HugeTerm, FreeHours_8x30, TermShape::FreeHours, 8, 30)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_HugeTerm, FreeHours_10x25, TermShape::FreeHours, 10, 25)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_HugeTerm, Blocks_8x30, TermShape::Blocks, 8, 30)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_HugeTerm, Blocks_10x25, TermShape::Blocks, 10, 25)->Iterations(1)->Unit(benchmark::kSecond);

void WriteCatalogue(std::string folder) {
  if (folder.back() != '/') folder += '/';
  testing_support::CatalogueFixture store(folder);
  store.Department("SEK", testing::GeneratedSections("SEK", GeneratedTerm(29, 8, 30, TermShape::FreeHours)));
  store.Department("ONY", testing::GeneratedSections("ONY", GeneratedTerm(29, 10, 25, TermShape::FreeHours)));
  store.Department("KRK", testing::GeneratedSections("KRK", GeneratedTerm(29, 10, 40, TermShape::FreeHours)));
  store.Department("PZS", testing::GeneratedSections("PZS", GeneratedTerm(29, 10, 40, TermShape::MondayTuesday)));
  store.Department("PZA", testing::GeneratedSections("PZA", GeneratedTerm(29, 10, 60, TermShape::MondayTuesday)));
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
