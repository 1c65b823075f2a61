#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "generator/tree_ders.h"
#include "planner/cell_runs.h"

namespace kiremo::generator {

// What a student weighs in a timetable, over the cells its sections cover
// (the cells of the clash test; a day is Monday..Friday). A cell of slot s
// is the hour starting at (s + 7):30.
struct Metrics {
  int days = 0;         // weekdays with at least one class
  int gaps = 0;         // per day the empty hours between its first and last class, summed
  int first_hour = -1;  // the earliest class of the week starts at first_hour:30; -1 without classes
  int last_hour = -1;   // the latest class of the week ends at (last_hour + 1):29; -1 without classes
  int walks = 0;        // per day, in hour order, changes of building from one class to the next, summed
  // Measured only where asked for (AddPreferences in sort_keys.h):
  int lunch = 0;        // days with classes but no free hour between 11:30 and 14:29
  int streak = 0;       // the longest run of consecutive class hours in any day
  int shared = 0;       // with friends: sections whose CRN is in a friend's plan
  int common_free = 0;  // with friends: hours 08:30-17:29, Monday to Friday, where all are free
  friend bool operator==(const Metrics&, const Metrics&) = default;
};

using planner::ClockText;
// "09:30" and "15:29"; empty without classes.
std::string StartText(const Metrics& metrics);
std::string EndText(const Metrics& metrics);

// The candidates' cells, ready to measure any timetable of them quickly: per
// weekday a mask of hours, and the building of every cell. A class whose
// building entry is empty or missing is left out of the walks (it neither
// starts nor ends one). Hours outside 0..63 count as the nearest of them.
class MetricsTable {
 public:
  MetricsTable() = default;
  explicit MetricsTable(const std::vector<TTreeDers>& candidates);

  // The timetable given as one candidate per level. Without walks when they
  // are not needed (they cost the most).
  Metrics Of(const int* path, int levels, bool with_walks = true) const;

  // The same in steps, for a search that builds timetables a section at a
  // time: per weekday a mask of the hours with a class (bit h: the hour
  // starting at h:30), ORed over the sections.
  using DayHours = std::array<std::uint64_t, 5>;
  const DayHours& HoursOf(int candidate) const { return shapes_[candidate].hours; }
  // The hours of a timetable given as one candidate per level.
  DayHours HoursOf(const int* path, int levels) const;
  // Everything but the walks; only the days unless `span` (first and last
  // hours, gaps) is asked for too. Inline: a ranked search asks for it once
  // per timetable.
  static Metrics FromHours(const DayHours& hours, bool span = true);
  int Walks(const int* path, int levels, const DayHours& hours) const;

  // Friends to weigh the timetables against: per candidate whether a friend
  // has its CRN, and the hours in which some friend has a class.
  void WithFriends(std::vector<char> shared, const DayHours& busy);
  bool HasFriends() const { return has_friends_; }
  int Shared(const int* path, int levels) const;
  const DayHours& FriendsBusy() const { return friends_busy_; }

 private:
  static constexpr int kHours = 64;
  struct Cell {
    std::int16_t at = 0;        // day index * kHours + hour
    std::int16_t building = 0;  // -1 when unknown
  };
  struct Shape {
    DayHours hours{};  // Monday..Friday
    std::vector<Cell> cells;
  };

  // Without the processor's own instruction, which a portable build may not use.
  static int Ones(std::uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
  }

  std::vector<Shape> shapes_;  // per candidate
  bool has_friends_ = false;
  std::vector<char> shared_;  // per candidate
  DayHours friends_busy_{};
};

inline Metrics MetricsTable::FromHours(const DayHours& hours, bool span) {
  Metrics metrics;
  if (!span) {
    for (const std::uint64_t day : hours) metrics.days += static_cast<int>(day != 0);
    return metrics;
  }
  // Without branches on the days, which vary from one timetable to the next.
  int first = kHours, last = -1;
  for (const std::uint64_t day : hours) {
    const bool busy = day != 0;
    const int low = busy ? std::countr_zero(day) : kHours;
    const int high = busy ? kHours - 1 - std::countl_zero(day) : -1;
    metrics.days += static_cast<int>(busy);
    metrics.gaps += busy ? high - low + 1 - Ones(day) : 0;
    first = std::min(first, low);
    last = std::max(last, high);
  }
  if (last >= 0) {
    metrics.first_hour = first;
    metrics.last_hour = last;
  }
  return metrics;
}

}  // namespace kiremo::generator
