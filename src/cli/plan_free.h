#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace kiremo::cli {

// kiremo-cli plan free A.dkf [B.dkf ...] [--json]: the hours, Monday to
// Friday, 08:30-22:29, in which every plan given is free, as runs of hour
// rows day by day. No catalogue is needed.
int FreeHoursCommand(Context& context, const std::vector<std::string>& words);

}  // namespace kiremo::cli
