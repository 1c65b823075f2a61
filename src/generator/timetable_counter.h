#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
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
// Where the courses below a level touch few distinct cells (cells that the
// same sections cover act as one), the count of everything below depends on
// those cells alone: it is remembered per level in a table indexed by them,
// and every later subtree with the same cells taken is answered by one
// lookup. A level whose cells are too many, or whose table is seldom hit,
// is walked.
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
  std::size_t Words() const { return words_; }

 private:
  friend class CountRun;
  friend class CountSteps;

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

  void AddLevel(const std::vector<TTreeDers>& candidates, const std::vector<int>& members, const ClashMasks& masks,
                bool last);
  void LinkLevels();
  void ClassifyCells(int from);

  std::size_t words_ = 1;
  std::size_t avail_words_ = 0;     // all levels' sets together
  bool single_words_ = true;        // every level's set is one word
  std::vector<char> tabled_below_;  // per level, some later level keeps a table
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
  std::optional<std::uint64_t> Below(const int* path, int depth);
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
