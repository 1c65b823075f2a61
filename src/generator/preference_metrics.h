#pragma once

#include <string>
#include <vector>

#include "generator/timetable.h"
#include "generator/timetable_metrics.h"
#include "generator/tree_ders.h"
#include "planner/plan_snapshot.h"

// What students weigh beyond the ranking's metrics: a lunch break, no long
// run of classes, and friends. Over the ranking's masks of hours
// (MetricsTable::DayHours: per weekday, bit h for the hour starting at h:30).
namespace kiremo::generator {

// Days with classes but no free hour between 11:30 and 14:29.
int LunchlessDays(const MetricsTable::DayHours& hours);

// The longest run of consecutive class hours in any day; 0 without classes.
int LongestStreak(const MetricsTable::DayHours& hours);

// Friends' plans as the ranking weighs them.
struct FriendWeeks {
  MetricsTable::DayHours busy{};  // the hours in which some friend has a class
  std::vector<std::string> crns;  // every friend's committed CRNs, sorted, each once
};

FriendWeeks FriendWeeksOf(const std::vector<planner::PlanSnapshot>& plans);

// Whether the section's CRN is in a friend's plan.
bool SharedWithFriends(const TTreeDers& section, const FriendWeeks& friends);

// The timetable's sections whose CRN is in a friend's plan.
int SharedSections(const Timetable& timetable, const FriendWeeks& friends);

// The hours 08:30-17:29, Monday to Friday, in which the timetable and every
// friend are free.
int CommonFreeHours(const MetricsTable::DayHours& hours, const FriendWeeks& friends);
// The same against the hours in which some friend has a class.
int CommonFreeHours(const MetricsTable::DayHours& hours, const MetricsTable::DayHours& friends_busy);

// The candidates' table for a ranking, weighing them against the friends
// when there are any.
MetricsTable RankingTable(const std::vector<TTreeDers>& candidates, const FriendWeeks* friends);

}  // namespace kiremo::generator
