#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "generator/search_space.h"

namespace kiremo::generator {

// How a walk of one part ended.
enum class WalkEnd {
  Finished,  // every timetable below the part was met
  Full,      // the sink took no more
  Stopped,   // the search was stopped
};

// Walks the timetables below one part of the tree depth first, with the
// same forward checking as the whole search, and hands each to a sink.
// After long without a timetable it asks, on entering a node, whether
// anything lies below it at all (counting is far quicker than walking
// where nothing fits), and leaves it out when nothing does. The sink:
//   bool Take(const int* positions, std::uint64_t rank)   false: full
//   bool Beaten(std::uint64_t floor)   no completion ranked `floor` or
//                                      worse can be kept any more
//   void Refresh()                     now and then, between steps
// Ranks and floors are asked for only when the space is ranked.
template <class Sink>
class SubtreeWalk {
 public:
  // Whether no timetable lies below a path through the first `depth`
  // levels, given as positions; false when it cannot tell quickly.
  using Empty = std::function<bool(const int* positions, int depth)>;

  SubtreeWalk(const SearchSpace& space, const std::atomic<bool>& stop, std::atomic<std::int64_t>& nodes,
              Empty empty = {})
      : space_(space),
        empty_(std::move(empty)),
        stop_(stop),
        shared_nodes_(nodes),
        last_(space.Last()),
        occupancy_((space.levels.size() + 1) * space.words, 0),
        positions_(space.levels.size()),
        path_(space.levels.size()),
        support_(space.levels.size(), 0),
        hours_(space.levels.size() + 1) {}

  // The timetables below the part.
  WalkEnd Walk(const int* prefix, int depth, Sink& sink) {
    sink_ = &sink;
    found_ = 0;
    pruned_by_rank_ = false;
    quiet_ = 0;
    end_ = WalkEnd::Finished;
    std::fill(occupancy_.begin(), occupancy_.end(), 0);
    for (int level = 0; level < depth; ++level) {
      positions_[level] = prefix[level];
      const std::uint64_t* mask = space_.Mask(level, prefix[level]);
      for (std::size_t w = 0; w < space_.words; ++w)
        occupancy_[(level + 1) * space_.words + w] = occupancy_[level * space_.words + w] | mask[w];
      if (space_.ranked) AddHours(level, (*space_.levels[level].members)[prefix[level]]);
    }
    if (depth > last_) return end_;
    const std::uint64_t* occupied = occupancy_.data() + depth * space_.words;
    // The clash test unrolled for the usual one or two words of shared cells.
    if (space_.words == 1) {
      Visit<1>(depth, occupied);
    } else if (space_.words == 2) {
      Visit<2>(depth, occupied);
    } else {
      Visit<0>(depth, occupied);
    }
    Flush();
    return end_;
  }

  // Timetables met by the last walk, taken or not.
  std::int64_t Found() const { return found_; }
  // The last walk left out a subtree by its rank floor: Found() is short.
  bool PrunedByRank() const { return pruned_by_rank_; }

 private:
  static constexpr std::int64_t kPollEvery = 4096;
  // Sections tried without a timetable (or since the last question) before
  // the walk asks whether anything lies below the next node.
  static constexpr std::int64_t kQuietBeforeAsking = 1 << 14;

  bool Step() {
    ++steps_;
    ++quiet_;
    if (steps_ < kPollEvery) return true;
    Flush();
    sink_->Refresh();
    if (stop_.load(std::memory_order_relaxed)) end_ = WalkEnd::Stopped;
    return end_ == WalkEnd::Finished;
  }

  // Long without a timetable: whether nothing lies below the node at `level`.
  bool NothingBelow(int level) {
    if (!empty_ || quiet_ < kQuietBeforeAsking || level + 2 > last_) return false;
    quiet_ = 0;
    return empty_(positions_.data(), level);
  }

  void Flush() {
    shared_nodes_.fetch_add(steps_, std::memory_order_relaxed);
    steps_ = 0;
  }

  template <std::size_t W>
  std::size_t Words() const {
    return W == 0 ? space_.words : W;
  }

  template <std::size_t W>
  bool Clashes(const std::uint64_t* mask, const std::uint64_t* occupied) const {
    for (std::size_t w = 0; w < Words<W>(); ++w) {
      if (mask[w] & occupied[w]) return true;
    }
    return false;
  }

  // Whether the level has a section that fits the occupied cells and can
  // have sections below it; the one found last is tried first.
  template <std::size_t W>
  bool LevelFits(int level, const std::uint64_t* occupied) {
    const SearchSpace::Level& l = space_.levels[level];
    const int n = l.Size();
    for (int k = 0, at = support_[level]; k < n; ++k, at = at + 1 == n ? 0 : at + 1) {
      if ((level == last_ || !l.self_clash[at]) && !Clashes<W>(l.masks.data() + at * Words<W>(), occupied)) {
        support_[level] = at;
        return true;
      }
    }
    return false;
  }

  template <std::size_t W>
  bool LaterLevelsFit(int level, const std::uint64_t* occupied) {
    for (int later = level + 1; later <= last_; ++later) {
      if (!LevelFits<W>(later, occupied)) return false;
    }
    return true;
  }

  // False once the walk must end.
  template <std::size_t W>
  bool Visit(int level, const std::uint64_t* occupied) {
    if (NothingBelow(level)) return true;
    const SearchSpace::Level& l = space_.levels[level];
    std::uint64_t* below = occupancy_.data() + (level + 1) * Words<W>();
    for (int at = 0; at < l.Size(); ++at) {
      if (!Step()) return false;
      const std::uint64_t* mask = l.masks.data() + at * Words<W>();
      if (Clashes<W>(mask, occupied)) continue;
      positions_[level] = at;
      if (level == last_) {
        if (!Found(at)) return false;
        continue;
      }
      if (l.self_clash[at]) continue;
      for (std::size_t w = 0; w < Words<W>(); ++w) below[w] = occupied[w] | mask[w];
      if (!LaterLevelsFit<W>(level, below)) continue;
      if (space_.ranked) {
        AddHours(level, (*l.members)[at]);
        if (space_.bound && sink_->Beaten(RankFloor(hours_[level + 1], space_.keys))) {
          pruned_by_rank_ = true;
          continue;
        }
      }
      if (!Visit<W>(level + 1, below)) return false;
    }
    return true;
  }

  bool Found(int at) {
    ++found_;
    quiet_ = 0;
    std::uint64_t rank = 0;
    if (space_.ranked) {
      AddHours(last_, (*space_.levels[last_].members)[at]);
      Metrics metrics = MetricsTable::FromHours(hours_[last_ + 1], space_.span);
      if (space_.walks || space_.friends) {
        for (int level = 0; level <= last_; ++level) path_[level] = (*space_.levels[level].members)[positions_[level]];
      }
      if (space_.walks) metrics.walks = space_.metrics.Walks(path_.data(), last_ + 1, hours_[last_ + 1]);
      if (space_.preferences) {
        AddPreferences(metrics, space_.metrics, path_.data(), last_ + 1, hours_[last_ + 1], space_.keys);
      }
      rank = Rank(metrics, space_.keys);
    }
    if (sink_->Take(positions_.data(), rank)) return true;
    end_ = WalkEnd::Full;
    return false;
  }

  void AddHours(int level, int candidate) {
    const MetricsTable::DayHours& own = space_.metrics.HoursOf(candidate);
    for (int d = 0; d < 5; ++d) hours_[level + 1][d] = hours_[level][d] | own[d];
  }

  const SearchSpace& space_;
  Empty empty_;
  const std::atomic<bool>& stop_;
  std::atomic<std::int64_t>& shared_nodes_;
  int last_;
  Sink* sink_ = nullptr;
  std::vector<std::uint64_t> occupancy_;       // per level, the cells taken above it
  std::vector<int> positions_;                 // the path, as positions within the levels
  std::vector<int> path_;                      // the path, as candidates (for the walks)
  std::vector<int> support_;                   // per level, the position that fitted last
  std::vector<MetricsTable::DayHours> hours_;  // ranked: per level, the hours taken above it
  std::int64_t steps_ = 0;                     // not yet added to the shared count
  std::int64_t found_ = 0;
  std::int64_t quiet_ = 0;  // sections tried since the last timetable or question
  bool pruned_by_rank_ = false;
  WalkEnd end_ = WalkEnd::Finished;
};

}  // namespace kiremo::generator
