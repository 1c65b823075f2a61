#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "generator/alternatives.h"

namespace kiremo::generator {

// Where a timetable stands among those of a ranked search: by its rank,
// then by the part of the tree it was found in, then by the order its part
// met it. Parts are numbered in the order of the whole walk, so this is
// the order of a single walk's ties.
struct Standing {
  std::uint64_t rank = 0;
  int item = 0;
  friend auto operator<=>(const Standing&, const Standing&) = default;
};

// The worst standing that can still be kept, shared by the threads of a
// search: one that stands here or worse, and was found after the one that
// set it, never enters the best `limit`.
class SharedBar {
 public:
  void Lower(Standing bar);
  std::optional<Standing> Get() const;

 private:
  mutable std::mutex mutex_;
  std::optional<Standing> bar_;
};

// One thread's best timetables of a ranked search: every one offered until
// there are half as many again as `limit`, then the best `limit` of them,
// and so on. Kept in the order found; guarded by Lock() where another
// thread reads it.
class RankedKeep {
 public:
  RankedKeep(const std::vector<std::vector<int>>& levels, int limit);

  void Add(const int* positions, Standing standing);
  // After a cut, the worst standing kept: nothing found later that stands
  // there or worse can win.
  std::optional<Standing> Bar() const { return bar_; }
  std::mutex& Lock() { return mutex_; }

  int Count() const { return kept_.Count(); }
  const Alternatives& Kept() const { return kept_; }
  const std::vector<Standing>& Standings() const { return standings_; }

 private:
  void KeepBest();

  std::mutex mutex_;
  const std::vector<std::vector<int>>& levels_;
  int limit_;
  Alternatives kept_;
  std::vector<Standing> standings_;
  std::optional<Standing> bar_;
};

// The best `limit` of several threads' kept timetables, in the order of a
// single walk, with their ranks.
struct MergedBest {
  Alternatives alternatives;
  std::vector<std::uint64_t> ranks;
  std::optional<Standing> bar;  // the worst kept, when `limit` were kept
};
// The caller holds every keep's lock (or the threads have ended).
MergedBest MergeBest(const std::vector<std::vector<int>>& levels, const std::vector<const RankedKeep*>& keeps,
                     int limit);

}  // namespace kiremo::generator
