#pragma once

#include <cstdint>
#include <vector>

#include "generator/alternatives.h"
#include "generator/search_observers.h"
#include "generator/tree_ders.h"

namespace kiremo::generator {

// No search keeps more timetables than this.
inline constexpr int kResultLimit = 1'000'000;

struct SearchOptions {
  int limit = kResultLimit;
  SearchTrace* trace = nullptr;
  SearchMonitor* monitor = nullptr;
};

enum class SearchEnd {
  Complete,      // every timetable was found
  LimitReached,  // `limit` were kept and at least one more exists
  Stopped,       // the monitor stopped it
};

struct SearchOutcome {
  Alternatives alternatives;
  SearchEnd end = SearchEnd::Complete;
  std::int64_t nodes = 0;
};

// Every clash-free timetable that takes one candidate from each course row.
// A level is one SectionCombo, in the order of its first candidate; the
// timetables come depth first, by the position of the first level's section,
// then the second's, and so on. Two sections clash when they share a
// (day, slot) cell; a section whose own cells repeat one clashes with every
// section below it. A timetable all of whose CRNs occur in an earlier kept
// one is left out.
SearchOutcome SearchCombinations(const std::vector<TTreeDers>& candidates, const SearchOptions& options = {});

}  // namespace kiremo::generator
