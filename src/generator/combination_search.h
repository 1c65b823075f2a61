#pragma once

#include <cstdint>
#include <vector>

#include "generator/alternatives.h"
#include "generator/preference_metrics.h"
#include "generator/search_observers.h"
#include "generator/sort_keys.h"
#include "generator/tree_ders.h"

namespace kiremo::generator {

// No search keeps more timetables than this.
inline constexpr int kResultLimit = 1'000'000;

class SearchSoFar;

struct SearchOptions {
  int limit = kResultLimit;
  // None: the first `limit` timetables found are kept. Otherwise the best
  // `limit` of all of them by these keys.
  SortKeys keys = {};
  // Cut the branches that cannot lead to a timetable (see below); what is
  // found, and its order, are the same either way.
  bool prune = true;
  // A trace sees the whole tree: nothing is pruned while one is attached.
  SearchTrace* trace = nullptr;
  SearchMonitor* monitor = nullptr;
  // Shown the best timetables found so far while a long search goes on.
  SearchSoFar* so_far = nullptr;
  // Threads that walk and count; 0: one per core of the machine.
  int threads = 0;
  // The friends' plans the friends key weighs against; null: none.
  const FriendWeeks* friends = nullptr;
};

enum class SearchEnd {
  Complete,      // every timetable was found (and counted)
  LimitReached,  // more than `limit` exist: `limit` of them were kept, all counted
  Stopped,       // the monitor stopped it
};

struct SearchOutcome {
  Alternatives alternatives;  // the kept timetables, in the order found
  // With keys, the rank of each kept timetable by them (smaller is better).
  std::vector<std::uint64_t> ranks;
  SearchEnd end = SearchEnd::Complete;
  std::int64_t total = 0;  // distinct timetables found, kept or not
  std::int64_t nodes = 0;
  bool hopeless = false;  // the check before the search proved that none exists
};

class SearchSoFar {
 public:
  virtual ~SearchSoFar() = default;
  // What a search would give if it were stopped now: from half a second
  // on, about once a second, on the thread that started the search, while
  // its monitor's box shows. `total` is what was counted or ranked so far.
  virtual void Show(SearchOutcome so_far) = 0;
};

// Every clash-free timetable that takes one candidate from each course row.
// A level is one SectionCombo, in the order of its first candidate; the
// timetables come depth first, by the position of the first level's section,
// then the second's, and so on. Two sections clash when they share a
// (day, slot) cell; a section whose own cells repeat one clashes with every
// section below it. A timetable all of whose CRNs occur in an earlier found
// one is left out.
//
// Branches that cannot lead to a timetable are cut without changing what is
// found: before the search, a quick check whether any timetable exists at all;
// during it, after each section, whether every later course still has a
// section that fits the ones chosen (forward checking).
SearchOutcome SearchCombinations(const std::vector<TTreeDers>& candidates, const SearchOptions& options = {});

}  // namespace kiremo::generator
