#pragma once

#include <vector>

#include "generator/timetable_metrics.h"
#include "generator/tree_ders.h"
#include "planner/plan_snapshot.h"

namespace kiremo::generator {

class Generator;

// A timetable as a value: its sections in course-row order, each with the
// cells it covers as the search's candidates hold them. A saved plan and an
// alternative of the result list become the same kind of value, measured by
// the ranking's own code.
using Timetable = std::vector<TTreeDers>;

// The plan's committed rows in row order, with the cells loading paints and
// those outside the grid body that painting skips (a section's candidate
// has them too).
Timetable TimetableOfPlan(const planner::PlanSnapshot& plan);

// List item k (1..ResultCount) of the last generation; empty for any other
// item, or once a reset has emptied the candidates.
Timetable TimetableOfItem(const Generator& generator, int item);

// The ranking's metrics of the timetable, walks, lunch and streak included.
Metrics MetricsOf(const Timetable& timetable);

// Per weekday the hours with a class, as the ranking masks them.
MetricsTable::DayHours HoursOf(const Timetable& timetable);

}  // namespace kiremo::generator
