#pragma once

#include <string>

#include "planner/friends.h"

namespace kiremo::files {

// A friend's schedule file, read as any plan is (ReadPlanFile): one that
// cannot be read or holds no plan is refused with the same words, and
// nothing is changed.
planner::Friend ReadFriendFile(const std::string& path);

// The name a friend gets from the file: its name without ".dkf" (any case),
// in Windows-1254.
std::string FriendNameOf(const std::string& path);

}  // namespace kiremo::files
