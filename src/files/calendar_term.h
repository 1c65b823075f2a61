#pragma once

#include <optional>
#include <string>
#include <string_view>

// The term a calendar covers: its first day and how many weeks it lasts.
namespace kiremo::files {

inline constexpr int kDefaultWeeks = 14;
// A term never lasts a year; a longer count is a typing slip, and calendar
// programs would unfold every one of its weeks.
inline constexpr int kMostWeeks = 52;

struct TermDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  friend bool operator==(const TermDate&, const TermDate&) = default;
};

struct CalendarTerm {
  TermDate first_day;
  int weeks = kDefaultWeeks;
};

// "YYYY-MM-DD" with a day that exists (years 1900..2999); nothing otherwise.
std::optional<TermDate> ParseTermDate(std::string_view text);
std::string FormatTermDate(const TermDate& date);

// A whole number of weeks from 1 to kMostWeeks; nothing otherwise.
std::optional<int> ParseWeeks(std::string_view text);
constexpr bool ValidWeeks(int weeks) { return weeks >= 1 && weeks <= kMostWeeks; }

// Today's date on this computer's clock.
TermDate LocalToday();

// The first day on or after `from` that is weekday `day` (1 Monday .. 7 Sunday).
TermDate FirstWeekdayFrom(const TermDate& from, int day);

}  // namespace kiremo::files
