#include "files/calendar_term.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace kiremo::files {

namespace {

std::optional<int> Digits(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::chrono::year_month_day Ymd(const TermDate& date) {
  return std::chrono::year_month_day{std::chrono::year{date.year},
                                     std::chrono::month{static_cast<unsigned>(date.month)},
                                     std::chrono::day{static_cast<unsigned>(date.day)}};
}

}  // namespace

std::optional<TermDate> ParseTermDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = Digits(text.substr(0, 4));
  const auto month = Digits(text.substr(5, 2));
  const auto day = Digits(text.substr(8, 2));
  if (!year || !month || !day || *year < 1900 || *year > 2999) return std::nullopt;
  const TermDate date{*year, *month, *day};
  if (!Ymd(date).ok()) return std::nullopt;
  return date;
}

std::string FormatTermDate(const TermDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::optional<int> ParseWeeks(std::string_view text) {
  // More than three digits is never a valid count, and cannot overflow.
  if (text.size() > 3) return std::nullopt;
  const auto weeks = Digits(text);
  if (!weeks || !ValidWeeks(*weeks)) return std::nullopt;
  return weeks;
}

TermDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

TermDate FirstWeekdayFrom(const TermDate& from, int day) {
  const std::chrono::sys_days start{Ymd(from)};
  const int today = static_cast<int>(std::chrono::weekday{start}.iso_encoding());
  const std::chrono::year_month_day found{start + std::chrono::days{(day - today + 7) % 7}};
  return {static_cast<int>(found.year()), static_cast<int>(static_cast<unsigned>(found.month())),
          static_cast<int>(static_cast<unsigned>(found.day()))};
}

}  // namespace kiremo::files
