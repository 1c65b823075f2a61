#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "generator/clash_masks.h"
#include "generator/tree_ders.h"

namespace kiremo::generator {

// Counts clash-free timetables without visiting them one by one.
//
// Within a course, sections with the same cells are counted once with their
// number as weight. Each course keeps, per section, the sections of every
// later course that fit with it, so the sections still open below a choice
// are a few words ANDed together and the last course is counted by a
// population count of those words: the walk stops one course early.
//
// Where the last courses touch few distinct cells that earlier ones touch
// too (cells that the same sections of the last courses cover act as one),
// the count below a path depends on which of those cells the path takes:
// a table over every set of them (the clash-free picks of the last courses,
// summed over the subsets of each set) answers a whole subtree with one
// lookup, and only the first courses are walked. Where they touch too many,
// the subtrees below a level are remembered by the cells taken, as long as
// they repeat often enough; the rest is walked.
class TimetableCounter {
 public:
  // Over the `chosen` levels (ascending positions in `levels`), under the
  // search's clash test: a section that clashes with itself fits only on the
  // last of them.
  TimetableCounter(const std::vector<TTreeDers>& candidates, const std::vector<std::vector<int>>& levels,
                   const ClashMasks& masks, const std::vector<int>& chosen);

  // The counts are the search's totals: false when the duplicate filter
  // would leave out timetables that counting cannot tell apart (one CRN in
  // two courses, or one CRN twice in a course with different hours).
  bool Exact() const { return exact_; }
  int Levels() const { return static_cast<int>(levels_.size()); }
  // The first level that the table of the last courses answers for; -1
  // without one.
  int TableFrom() const { return tail_.split; }

 private:
  friend class CountRun;
  friend class CountSteps;
  friend class TailPicks;

  struct Level {
    int sections = 0;                    // distinct masks
    std::size_t avail_words = 0;         // words of a set of its sections
    std::size_t avail_at = 0;            // offset of its set among all levels' sets
    std::vector<std::uint64_t> masks;    // `words_` per section
    std::vector<std::uint64_t> weights;  // per section
    std::vector<std::uint64_t> planes;   // per weight bit, a set of the sections with it
    std::size_t weight_bits = 0;
    bool unweighted = true;
    std::vector<std::uint64_t> fits;  // per section, the sets of every later level that fit it
    std::size_t fits_stride = 0;
    // Classes of the cells the levels from here on touch; empty: none kept.
    std::vector<std::uint64_t> class_of_byte;  // per byte of an occupancy, 256 class sets
  };

  // The table of the last courses, from level `split` on.
  struct Tail {
    int split = -1;  // none
    int bits = 0;
    std::vector<std::uint64_t> class_of_byte;  // per byte of an occupancy, 256 class sets
    std::vector<std::uint64_t> classes;        // per section of the tail's levels, its class set
    std::vector<std::size_t> classes_at;       // per level from `split` on, where its sections begin
    std::vector<std::uint32_t> counts;         // per class set, the picks that fit it
  };

  void AddLevel(const std::vector<TTreeDers>& candidates, const std::vector<int>& members, const ClashMasks& masks,
                bool last);
  void LinkLevels();
  void ClassifyCells(int from);
  // The table the walk would gain most from, if any; built later.
  void PlanTail();
  std::optional<Tail> ClassifyTail(int split) const;
  double PathsEstimate(int from, int to) const;
  // Builds the planned table once, on whichever thread counts first; false
  // when it was stopped (the walk then goes on to the end).
  void EnsureTail(const std::atomic<bool>* stop) const;
  bool BuildTail(const std::atomic<bool>* stop) const;

  std::size_t words_ = 1;
  std::size_t avail_words_ = 0;     // all levels' sets together
  bool single_words_ = true;        // every level's set is one word
  std::vector<char> tabled_below_;  // per level, some later level keeps a table
  mutable Tail tail_;               // its counts are built once, by EnsureTail
  mutable std::once_flag tail_once_;
  mutable std::atomic<bool> tail_ready_{false};
  std::vector<Level> levels_;
  // Per candidate: its section within its level; -1 when it adds nothing
  // (a later copy of a CRN in its course, a section clashing with itself
  // above the last level) or its level is not chosen.
  std::vector<int> section_of_;
  std::vector<int> level_of_;  // per candidate: its position in `chosen`, or -1
  bool exact_ = true;
};

// One thread's counting over a counter, with its own tables; later counts
// reuse what earlier ones remembered.
class CountRun {
 public:
  // Stops when `stop` turns true or after `budget` steps (negative: none).
  CountRun(const TimetableCounter& counter, const std::atomic<bool>* stop = nullptr, std::int64_t budget = -1);
  ~CountRun();
  CountRun(const CountRun&) = delete;
  CountRun& operator=(const CountRun&) = delete;

  // Every timetable of the chosen levels; nothing when stopped first.
  std::optional<std::uint64_t> All();
  // The timetables below a path through the first `depth` levels, given
  // as its candidates: 0 when the path clashes or holds a dropped copy.
  // Nothing when stopped first, or when it takes more than `budget` steps
  // (negative: no more than the run's own budget).
  std::optional<std::uint64_t> Below(const int* path, int depth, std::int64_t budget = -1);
  // Steps taken so far, over all counts.
  std::int64_t Steps() const { return steps_; }
  // Some count passed 2^64 - 1 and was held there.
  bool Saturated() const { return saturated_; }

 private:
  friend class CountSteps;
  struct Memo;
  template <bool kPopcnt>
  struct Kernel;

  std::optional<std::uint64_t> From(int depth, const std::uint64_t* occupied);
  bool Poll();

  const TimetableCounter& counter_;
  const std::atomic<bool>* stop_;
  std::int64_t budget_;
  std::int64_t steps_ = 0;
  std::int64_t next_poll_ = 0;
  bool stopped_ = false;
  bool saturated_ = false;
  bool popcnt_ = false;
  std::size_t room_ = 0;                 // subtrees that may still be remembered
  std::vector<std::uint64_t> occupied_;  // per depth, `words` words
  std::vector<std::uint64_t> avail_;     // per depth, every level's set
  std::vector<std::uint64_t> scratch_;   // one level's set
  std::vector<std::unique_ptr<Memo>> memos_;
};

}  // namespace kiremo::generator
