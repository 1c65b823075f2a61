#include "generator/preference_metrics.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace kiremo::generator {

namespace {

constexpr std::uint64_t HoursFrom(int first, int last) {
  return ((std::uint64_t{1} << (last + 1)) - 1) & ~((std::uint64_t{1} << first) - 1);
}

constexpr std::uint64_t kLunchHours = HoursFrom(11, 13);  // 11:30-14:29
constexpr std::uint64_t kDayHours = HoursFrom(8, 16);     // 08:30-17:29

}  // namespace

int LunchlessDays(const MetricsTable::DayHours& hours) {
  int days = 0;
  for (const std::uint64_t day : hours) days += static_cast<int>(day != 0 && (day & kLunchHours) == kLunchHours);
  return days;
}

int LongestStreak(const MetricsTable::DayHours& hours) {
  int longest = 0;
  for (std::uint64_t day : hours) {
    // Each step keeps the hours that still have a class before them.
    for (int run = 0; day != 0; ++run, day &= day << 1) longest = std::max(longest, run + 1);
  }
  return longest;
}

FriendWeeks FriendWeeksOf(const std::vector<planner::PlanSnapshot>& plans) {
  FriendWeeks friends;
  for (const planner::PlanSnapshot& plan : plans) {
    const Timetable timetable = TimetableOfPlan(plan);
    const MetricsTable::DayHours hours = HoursOf(timetable);
    for (int d = 0; d < 5; ++d) friends.busy[d] |= hours[d];
    for (const TTreeDers& section : timetable) friends.crns.push_back(section.CRN);
  }
  std::sort(friends.crns.begin(), friends.crns.end());
  friends.crns.erase(std::unique(friends.crns.begin(), friends.crns.end()), friends.crns.end());
  return friends;
}

bool SharedWithFriends(const TTreeDers& section, const FriendWeeks& friends) {
  return std::binary_search(friends.crns.begin(), friends.crns.end(), section.CRN);
}

int SharedSections(const Timetable& timetable, const FriendWeeks& friends) {
  return static_cast<int>(std::count_if(timetable.begin(), timetable.end(),
                                        [&](const TTreeDers& section) { return SharedWithFriends(section, friends); }));
}

int CommonFreeHours(const MetricsTable::DayHours& hours, const FriendWeeks& friends) {
  return CommonFreeHours(hours, friends.busy);
}

int CommonFreeHours(const MetricsTable::DayHours& hours, const MetricsTable::DayHours& friends_busy) {
  int free = 0;
  for (int d = 0; d < 5; ++d) free += std::popcount(kDayHours & ~(hours[d] | friends_busy[d]));
  return free;
}

MetricsTable RankingTable(const std::vector<TTreeDers>& candidates, const FriendWeeks* friends) {
  MetricsTable table(candidates);
  if (friends) {
    std::vector<char> shared;
    shared.reserve(candidates.size());
    for (const TTreeDers& c : candidates) shared.push_back(SharedWithFriends(c, *friends) ? 1 : 0);
    table.WithFriends(std::move(shared), friends->busy);
  }
  return table;
}

}  // namespace kiremo::generator
