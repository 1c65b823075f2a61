#include "files/friend_file.h"

#include <filesystem>

#include "files/plan_io.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::files {

planner::Friend ReadFriendFile(const std::string& path) { return {FriendNameOf(path), ReadPlanFile(path)}; }

std::string FriendNameOf(const std::string& path) {
  std::string name = std::filesystem::path(path).filename().string();
  if (name.size() > 4 && LowerAscii(name.substr(name.size() - 4)) == ".dkf") name.resize(name.size() - 4);
  return Utf8ToCp1254(name);
}

}  // namespace kiremo::files
