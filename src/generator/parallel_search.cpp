#include "generator/parallel_search.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "generator/part_sinks.h"
#include "generator/ranked_keep.h"
#include "generator/subtree_walk.h"

namespace kiremo::generator {

namespace {

// Steps of counting that the question whether anything lies below a node
// may take before the walk goes on without an answer.
constexpr std::int64_t kEmptyBudget = 1 << 13;
constexpr auto kPollEvery = std::chrono::milliseconds(10);
constexpr double kFirstSoFar = 0.5;
constexpr double kSoFarEvery = 1.0;
// Parts per thread, so that the threads end close together.
constexpr int kPartsPerThread = 64;

int ThreadCount(int wanted) {
  if (wanted > 0) return wanted;
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 16u));
}

// What became of a part.
struct Part {
  bool done = false;
  std::int64_t count = 0;  // done: all of its timetables; otherwise those met so far
  Alternatives list;       // unranked: its first timetables in order
};

// Per part, the timetables of the finished parts before it (a Fenwick tree).
class PartSums {
 public:
  explicit PartSums(int parts) : tree_(static_cast<std::size_t>(parts) + 1, 0) {}
  void Add(int part, std::int64_t count) {
    for (std::size_t at = static_cast<std::size_t>(part) + 1; at < tree_.size(); at += at & (~at + 1))
      tree_[at] += count;
  }
  std::int64_t Before(int part) const {
    std::int64_t sum = 0;
    for (std::size_t at = static_cast<std::size_t>(part); at > 0; at -= at & (~at + 1)) sum += tree_[at];
    return sum;
  }

 private:
  std::vector<std::int64_t> tree_;
};

class Engine {
 public:
  Engine(const SearchSpace& space, const TimetableCounter& counter, const SearchOptions& options)
      : space_(space), counter_(counter), options_(options), start_(std::chrono::steady_clock::now()) {
    std::int64_t split_nodes = 0;
    const int threads = ThreadCount(options.threads);
    items_ = SplitIntoItems(space, threads * kPartsPerThread, split_nodes);
    nodes_ = split_nodes;
    threads_ = std::max(1, std::min(threads, items_.Count()));
    parts_.resize(static_cast<std::size_t>(items_.Count()));
    sums_ = std::make_unique<PartSums>(items_.Count());
    for (int t = 0; t < threads_ && space.ranked; ++t)
      keeps_.push_back(std::make_unique<RankedKeep>(space.candidate_levels, options.limit));
  }

  SearchOutcome Run() {
    std::vector<std::thread> threads;
    for (int t = 0; t < threads_; ++t) threads.emplace_back([this, t] { Work(t); });
    Coordinate();
    for (std::thread& thread : threads) thread.join();
    SearchOutcome outcome = space_.ranked ? AssembleRanked() : AssembleListed();
    outcome.end = stop_ && !AllDone()                            ? SearchEnd::Stopped
                  : outcome.total > outcome.alternatives.Count() ? SearchEnd::LimitReached
                                                                 : SearchEnd::Complete;
    outcome.nodes = nodes_.load();
    return outcome;
  }

 private:
  struct Worker {
    explicit Worker(Engine& engine)
        : count(engine.counter_, &engine.stop_),
          list_walk(engine.space_, engine.stop_, engine.nodes_, Empty(engine)),
          rank_walk(engine.space_, engine.stop_, engine.nodes_, Empty(engine)),
          path(engine.space_.levels.size()) {}

    // Nothing below a path when its count, within a small budget, is 0.
    std::function<bool(const int*, int)> Empty(const Engine& engine) {
      return [this, &engine](const int* positions, int depth) {
        for (int level = 0; level < depth; ++level)
          path[level] = (*engine.space_.levels[level].members)[positions[level]];
        return count.Below(path.data(), depth, kEmptyBudget) == std::optional<std::uint64_t>(0);
      };
    }
    CountRun count;
    SubtreeWalk<ListSink> list_walk;
    SubtreeWalk<RankSink> rank_walk;
    std::vector<int> path;
  };

  void Work(int t) {
    Worker worker(*this);
    for (int item = next_item_++; item < items_.Count() && !stop_; item = next_item_++) {
      if (space_.ranked) {
        RankPart(item, worker, *keeps_[t]);
      } else {
        ListPart(item, worker);
      }
    }
    const std::lock_guard lock(mutex_);
    ++finished_threads_;
    wake_.notify_all();
  }

  // The part's timetables by counting; nothing when stopped first.
  std::optional<std::int64_t> CountPart(int item, Worker& worker) {
    const int* prefix = items_.Of(item);
    for (int level = 0; level < items_.depth; ++level)
      worker.path[level] = (*space_.levels[level].members)[prefix[level]];
    const std::optional<std::uint64_t> count = worker.count.Below(worker.path.data(), items_.depth);
    if (!count) return std::nullopt;
    return static_cast<std::int64_t>(std::min<std::uint64_t>(*count, INT64_MAX));
  }

  void ListPart(int item, Worker& worker) {
    std::int64_t before = 0;
    {
      const std::lock_guard lock(mutex_);
      before = sums_->Before(item);
    }
    const std::int64_t cap = std::max<std::int64_t>(0, options_.limit - before);
    ListSink sink(space_.candidate_levels, static_cast<int>(std::min<std::int64_t>(cap, INT32_MAX)));
    if (cap > 0) {
      const WalkEnd end = worker.list_walk.Walk(items_.Of(item), items_.depth, sink);
      if (end == WalkEnd::Finished) return Settle(item, worker.list_walk.Found(), std::move(sink.list), true);
      if (end == WalkEnd::Stopped) return Settle(item, worker.list_walk.Found(), std::move(sink.list), false);
    }
    // Full, or nothing more to list: what lies past the limit is counted.
    const std::optional<std::int64_t> count = CountPart(item, worker);
    if (!count) return Settle(item, sink.list.Count(), std::move(sink.list), false);
    Settle(item, *count, std::move(sink.list), true);
  }

  void RankPart(int item, Worker& worker, RankedKeep& keep) {
    RankSink sink(keep, bar_, item);
    const WalkEnd end = worker.rank_walk.Walk(items_.Of(item), items_.depth, sink);
    if (end == WalkEnd::Stopped) return Settle(item, worker.rank_walk.Found(), {}, false);
    if (!worker.rank_walk.PrunedByRank()) return Settle(item, worker.rank_walk.Found(), {}, true);
    // Subtrees were left out by their rank floor: the part is counted.
    const std::optional<std::int64_t> count = CountPart(item, worker);
    if (!count) return Settle(item, worker.rank_walk.Found(), {}, false);
    Settle(item, *count, {}, true);
  }

  void Settle(int item, std::int64_t count, Alternatives list, bool done) {
    const std::lock_guard lock(mutex_);
    Part& part = parts_[item];
    part.done = done;
    part.count = count;
    part.list = std::move(list);
    if (done) {
      sums_->Add(item, count);
      settled_ += count;
      ++done_parts_;
    }
  }

  bool AllDone() const { return done_parts_ == items_.Count(); }

  void Coordinate();
  SearchOutcome AssembleListed();
  SearchOutcome AssembleRanked();

  const SearchSpace& space_;
  const TimetableCounter& counter_;
  const SearchOptions& options_;
  std::chrono::steady_clock::time_point start_;
  SearchItems items_;
  int threads_ = 1;
  std::atomic<int> next_item_{0};
  std::atomic<bool> stop_{false};
  std::atomic<std::int64_t> nodes_{0};
  std::vector<std::unique_ptr<RankedKeep>> keeps_;
  SharedBar bar_;
  std::mutex mutex_;  // guards what follows
  std::condition_variable wake_;
  int finished_threads_ = 0;
  std::vector<Part> parts_;
  std::unique_ptr<PartSums> sums_;
  std::int64_t settled_ = 0;
  int done_parts_ = 0;
};

void Engine::Coordinate() {
  if (!options_.monitor && !options_.so_far) return;
  double next_so_far = kFirstSoFar;
  for (;;) {
    std::int64_t settled = 0;
    {
      std::unique_lock lock(mutex_);
      if (wake_.wait_for(lock, kPollEvery, [&] { return finished_threads_ == threads_; })) return;
      settled = settled_;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    if (options_.monitor && options_.monitor->Poll({elapsed.count(), nodes_.load(), settled})) {
      stop_ = true;
      return;
    }
    if (options_.so_far && elapsed.count() >= next_so_far) {
      options_.so_far->Show(space_.ranked ? AssembleRanked() : AssembleListed());
      next_so_far = elapsed.count() + kSoFarEvery;
    }
  }
}

// The parts' lists in order, as long as they follow on from each other.
SearchOutcome Engine::AssembleListed() {
  SearchOutcome outcome;
  outcome.alternatives = Alternatives(space_.candidate_levels);
  const std::lock_guard lock(mutex_);
  bool following = true;
  for (const Part& part : parts_) {
    outcome.total += part.count;
    for (int k = 0; following && k < part.list.Count() && outcome.alternatives.Count() < options_.limit; ++k)
      outcome.alternatives.AddFrom(part.list, k);
    following = following && part.done && part.list.Count() == part.count;
  }
  return outcome;
}

SearchOutcome Engine::AssembleRanked() {
  std::vector<std::unique_lock<std::mutex>> locks;
  std::vector<const RankedKeep*> keeps;
  for (const auto& keep : keeps_) {
    locks.emplace_back(keep->Lock());
    keeps.push_back(keep.get());
  }
  MergedBest best = MergeBest(space_.candidate_levels, keeps, options_.limit);
  locks.clear();
  if (best.bar) bar_.Lower(*best.bar);
  SearchOutcome outcome;
  outcome.alternatives = std::move(best.alternatives);
  outcome.ranks = std::move(best.ranks);
  const std::lock_guard lock(mutex_);
  for (const Part& part : parts_) outcome.total += part.count;
  return outcome;
}

}  // namespace

SearchOutcome ParallelSearch(const SearchSpace& space, const TimetableCounter& counter, const SearchOptions& options) {
  return Engine(space, counter, options).Run();
}

}  // namespace kiremo::generator
