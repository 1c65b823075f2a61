#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace kiremo::cli {

// kiremo-cli plan export PLAN.dkf OUT: a calendar when OUT ends in ".ics"
// (--term-start YYYY-MM-DD, --weeks N, default 14), a workbook otherwise.
// A bad date or week count is a usage error, found before the plan is read.
int ExportPlan(Context& context, const std::vector<std::string>& words);

}  // namespace kiremo::cli
