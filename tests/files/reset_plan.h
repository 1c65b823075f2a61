#pragma once

#include "planner/plan_snapshot.h"
#include "text/cp1254.h"

namespace kiremo::files::test_plans {

// A plan saved right after a reset: every department list on "Seçin".
inline planner::PlanSnapshot ResetPlan() {
  planner::PlanSnapshot plan;
  for (int row = 1; row <= 10; ++row) plan.combos[3 * row - 3] = "Seçin"_w;
  return plan;
}

}  // namespace kiremo::files::test_plans
