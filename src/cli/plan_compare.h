#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace kiremo::cli {

// kiremo-cli plan compare A.dkf B.dkf [--json]: both plans' measures and
// their differences, in the words of the window's comparison. 0 when
// compared, 2 when a plan cannot be read; no catalogue is needed.
int ComparePlansCommand(Context& context, const std::vector<std::string>& words);

}  // namespace kiremo::cli
