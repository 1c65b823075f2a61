#pragma once

#include <cstdint>
#include <vector>

#include "generator/clash_masks.h"
#include "generator/preference_metrics.h"
#include "generator/sort_keys.h"
#include "generator/timetable_metrics.h"
#include "generator/tree_ders.h"

namespace kiremo::generator {

// What every thread of a search reads and none writes: the course rows as
// levels of clash masks, and what the keys need to rank a timetable.
struct SearchSpace {
  // `friends` (or null) for the friends key.
  SearchSpace(const std::vector<TTreeDers>& candidates, const SortKeys& keys, const FriendWeeks* friends = nullptr);

  // One course row: its sections' masks side by side.
  struct Level {
    const std::vector<int>* members = nullptr;  // positions in the candidate list
    std::vector<std::uint64_t> masks;           // `words` per section
    std::vector<char> self_clash;               // per section
    int Size() const { return static_cast<int>(self_clash.size()); }
  };

  std::vector<std::vector<int>> candidate_levels;
  ClashMasks clash;
  std::size_t words;
  std::vector<Level> levels;
  SortKeys keys;
  MetricsTable metrics;  // only when ranked
  bool ranked;
  bool walks;        // the keys ask for the walks
  bool span;         // the keys ask for the first and last hours or the gaps
  bool preferences;  // the keys ask for the lunch, the streak or the friends
  bool friends;      // the keys weigh the sections against the friends'
  bool bound;        // the first key bounds the completions of a part

  int Last() const { return static_cast<int>(levels.size()) - 1; }
  const std::uint64_t* Mask(int level, int position) const {
    return levels[level].masks.data() + static_cast<std::size_t>(position) * words;
  }
  bool Clashes(int level, int position, const std::uint64_t* occupied) const {
    const std::uint64_t* mask = Mask(level, position);
    for (std::size_t w = 0; w < words; ++w) {
      if (mask[w] & occupied[w]) return true;
    }
    return false;
  }
  // Whether the level has a section that fits the occupied cells and can
  // have sections below it.
  bool LevelFits(int level, const std::uint64_t* occupied) const;
};

// A part of the tree that one thread walks at a time: the sections of the
// first `depth` levels, as positions within them. Parts come in the order
// the walk meets them.
struct SearchItems {
  int depth = 0;
  std::vector<int> positions;  // `depth` per part
  int Count() const { return depth == 0 ? 1 : static_cast<int>(positions.size()) / depth; }
  const int* Of(int item) const { return positions.data() + static_cast<std::size_t>(item) * depth; }
};

// At least `wanted` parts when the tree has that many above its last two
// levels; the parts that cannot lead to a timetable (a clash, a later level
// left without a section) are left out. `nodes` counts the sections tried.
SearchItems SplitIntoItems(const SearchSpace& space, int wanted, std::int64_t& nodes);

}  // namespace kiremo::generator
