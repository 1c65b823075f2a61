#include "cli/plan_friends.h"

#include "cli/output.h"
#include "files/friend_file.h"
#include "text/cp1254.h"

namespace kiremo::cli {

std::vector<planner::Friend> ReadFriends(const Args& args) {
  std::vector<planner::Friend> friends;
  for (const std::string& path : args.Values("--friend")) friends.push_back(files::ReadFriendFile(path));
  return friends;
}

void PrintClassesInCommon(std::ostream& out, const std::vector<planner::ClassInCommon>& shared) {
  if (shared.empty()) PrintLine(out, "Arkadaşlarla ortak ders yok."_w);
  for (const planner::ClassInCommon& common : shared) {
    PrintLine(out, "Ortak ders " + std::to_string(common.row) + ". " + common.crn + " " + common.course +
                       std::string(" — "_w) + planner::InCommonText(common));
  }
}

nlohmann::json ClassesInCommonJson(const std::vector<planner::ClassInCommon>& shared) {
  nlohmann::json list = nlohmann::json::array();
  for (const planner::ClassInCommon& common : shared) {
    list.push_back({{"row", common.row},
                    {"course", JsonText(common.course)},
                    {"crn", JsonText(common.crn)},
                    {"friend", JsonText(common.friend_name)},
                    {"friend_crn", JsonText(common.friend_crn)},
                    {"same_section", common.SameSection()}});
  }
  return list;
}

}  // namespace kiremo::cli
