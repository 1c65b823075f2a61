#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/timetable_metrics.h"

namespace kiremo::generator {

// The orders a student may list timetables in, best first.
enum class SortKey {
  Days,    // fewest days
  Gaps,    // fewest empty hours between classes
  Late,    // latest first class
  Early,   // earliest last class
  Walks,   // fewest changes of building
  Lunch,   // fewest days with classes but no free hour between 11:30 and 14:29
  Streak,  // the shortest longest run of consecutive class hours
  // The most sections shared with the friends' plans, then the most hours
  // 08:30-17:29 in which everyone is free.
  Friends,
};

// Keys compared in order; none is the search order.
using SortKeys = std::vector<SortKey>;

// The command-line words of the keys: "days", "gaps", "late", "early", "walks",
// "lunch", "streak", "friends".
std::string_view KeyWord(SortKey key);
// "days, gaps, late, early, walks, lunch, streak, friends".
std::string KeyWords();
// "days,gaps" as keys, a repeated key once; nothing when a word is no key.
std::optional<SortKeys> ParseSortKeys(std::string_view words);

bool NeedsWalks(const SortKeys& keys);
// Some key looks at more than the days and the walks.
bool NeedsSpan(const SortKeys& keys);
// A key weighs the timetable's sections against the friends' plans.
bool NeedsFriends(const SortKeys& keys);
// A key asks for something AddPreferences measures.
bool NeedsPreferences(const SortKeys& keys);

// Measures what the keys ask for beyond the ranking's metrics: the lunch,
// the streak and, against the table's friends, the shared sections and the
// common free hours. `path` holds one candidate per level; it is read only
// for the friends key.
void AddPreferences(Metrics& metrics, const MetricsTable& table, const int* path, int levels,
                    const MetricsTable::DayHours& hours, const SortKeys& keys);
// Every preference, for a timetable shown with its metrics; the friends'
// only when the table has friends.
void AddAllPreferences(Metrics& metrics, const MetricsTable& table, const int* path, int levels,
                       const MetricsTable::DayHours& hours);

// A key's value for a timetable: smaller is better, at most kMaxKeyValue.
inline constexpr int kMaxKeyValue = 4095;
int KeyValue(const Metrics& metrics, SortKey key);

// The keys' values packed into one number that compares as the keys do.
std::uint64_t Rank(const Metrics& metrics, const SortKeys& keys);

// Whether a key's value can only stay or grow as sections are added to a
// timetable, and is cheap to take on a part of one: then a part bounds
// every timetable that completes it. Other keys are known only at the end.
bool KeyGrows(SortKey key);
// The smallest rank any completion of a part can have: the growing keys
// up to the first one that is not, at their values for the part's hours;
// nothing from that key on.
std::uint64_t RankFloor(const MetricsTable::DayHours& part, const SortKeys& keys);
// Whether RankFloor can ever be above nothing: the first key grows.
bool KeysBound(const SortKeys& keys);

// The window's "Sırala" choices, in the order it lists them: the first is
// the search order.
struct SortChoice {
  std::string_view text;     // Windows-1254
  std::string_view setting;  // its value in config.ini
  SortKeys keys;
};
const std::vector<SortChoice>& SortChoices();

}  // namespace kiremo::generator
