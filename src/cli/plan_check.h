#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace kiremo::cli {

// kiremo-cli plan check PLAN.dkf [--json]: the plan's committed sections
// against the catalogue now. 0 when nothing changed, 1 when a section changed
// or vanished, 2 when the file or the catalogue cannot be read.
int CheckPlanCommand(Context& context, const std::vector<std::string>& words);

}  // namespace kiremo::cli
