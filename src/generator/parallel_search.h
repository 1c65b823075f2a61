#pragma once

#include "generator/combination_search.h"
#include "generator/search_space.h"
#include "generator/timetable_counter.h"

namespace kiremo::generator {

// The search on several threads, for candidates whose duplicate filter has
// nothing to do (no CRN belongs to two candidates), so that `counter` is
// exact. The tree is cut into parts in the walk's order; each thread takes
// the next part and walks it, the parts' timetables are put together in
// their order, and what lies past the limit is counted rather than walked:
// unranked, a part that holds no more wanted timetables is only counted;
// ranked, a subtree that cannot enter the best is left out by its rank
// floor and its part counted. The thread that calls it polls the monitor
// and shows the results so far; no thread else touches either.
SearchOutcome ParallelSearch(const SearchSpace& space, const TimetableCounter& counter, const SearchOptions& options);

}  // namespace kiremo::generator
