#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "cli/args.h"
#include "planner/friends.h"

// kiremo-cli plan show --friend F.dkf (repeatable): the classes the shown
// plan has in common with friends' plans.
namespace kiremo::cli {

// The plans named by --friend, in order, read as any plan is: a
// FileCommandError with the same words for one that cannot be read.
std::vector<planner::Friend> ReadFriends(const Args& args);

// A line per class in common ("Ortak ders 2. 21001 ELK 101 — Ayşe ile aynı
// şube", "... — Ayşe: 21563"), or one saying there is none.
void PrintClassesInCommon(std::ostream& out, const std::vector<planner::ClassInCommon>& shared);

// [{"row", "course", "crn", "friend", "friend_crn", "same_section"}...]
nlohmann::json ClassesInCommonJson(const std::vector<planner::ClassInCommon>& shared);

}  // namespace kiremo::cli
