#include "cli/constraint_options.h"

#include <algorithm>
#include <optional>

#include "generator/row_filters.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::cli {

namespace {

[[noreturn]] void Refuse(const std::string& why) { throw UsageError(why); }

std::string Utf8(const std::string& cp1254) { return Cp1254ToUtf8(cp1254); }

// A whole number in [low, high], or nothing.
std::optional<int> NumberIn(const std::string& text, int low, int high) {
  const bool digits = !text.empty() && text.size() <= 2 &&
                      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits) return std::nullopt;
  const int number = StrToInt(text);
  if (number < low || number > high) return std::nullopt;
  return number;
}

void ParseLock(const std::string& word, const std::vector<std::string>& courses, ConstraintOptions& options) {
  const std::string lock = Utf8ToCp1254(word);
  const auto equals = lock.rfind('=');
  const std::string course = equals == std::string::npos ? std::string() : Trim(lock.substr(0, equals));
  const std::string crn = equals == std::string::npos ? std::string() : Trim(lock.substr(equals + 1));
  if (course.empty() || crn.empty()) Refuse("--lock \"DERS=CRN\" biçiminde verilmeli, örneğin \"MAT 103=21345\"");
  if (std::find(courses.begin(), courses.end(), course) == courses.end())
    Refuse("--lock: " + Utf8(course) + " seçilen dersler (--course) arasında yok");
  for (const auto& [other, other_crn] : options.locks) {
    if (other == course && other_crn != crn) Refuse("--lock: " + Utf8(course) + " için birden çok şube sabitlenmiş");
  }
  options.locks.emplace_back(course, crn);
}

void ParseBusy(const std::string& word, ConstraintOptions& options) {
  const std::string how =
      "--busy GÜN:SAAT[-SAAT] biçiminde verilmeli (gün 1-5, saat bir ders saatinin başlangıcı 8-21), örneğin 1:12-13";
  for (const std::string& entry : Explode(word, ",")) {
    const auto colon = entry.find(':');
    if (colon == std::string::npos) Refuse(how + ": " + entry);
    const std::string hours = entry.substr(colon + 1);
    const auto dash = hours.find('-');
    const auto day = NumberIn(entry.substr(0, colon), 1, planner::kDays);
    const auto first = NumberIn(hours.substr(0, dash), planner::kFirstHour, planner::HourOfSlot(planner::kSlots));
    const auto last = dash == std::string::npos
                          ? first
                          : NumberIn(hours.substr(dash + 1), planner::kFirstHour, planner::HourOfSlot(planner::kSlots));
    if (!day || !first || !last || *last < *first) Refuse(how + ": " + entry);
    for (int hour = *first; hour <= *last; ++hour) options.busy[*day - 1][planner::SlotOfHour(hour) - 1] = true;
  }
}

}  // namespace

ConstraintOptions ParseConstraintOptions(const Args& args, const std::vector<std::string>& courses) {
  ConstraintOptions options;
  for (const std::string& lock : args.Values("--lock")) ParseLock(lock, courses, options);
  for (const std::string& list : args.Values("--exclude")) {
    for (const std::string& crn : Explode(Utf8ToCp1254(list), ",")) {
      const std::string trimmed = Trim(crn);
      const bool control = std::any_of(trimmed.begin(), trimmed.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
      if (trimmed.empty() || control) Refuse("--exclude virgülle ayrılmış CRN'ler alır, örneğin 21345,21346");
      options.excluded.insert(trimmed);
    }
  }
  for (const auto& [course, crn] : options.locks) {
    if (options.excluded.contains(crn)) Refuse("--lock ile --exclude aynı şubeyi veriyor: " + Utf8(crn));
  }
  for (const std::string& busy : args.Values("--busy")) ParseBusy(busy, options);
  return options;
}

planner::Constraints ConstraintsOfRows(const ConstraintOptions& options, const std::vector<std::string>& courses,
                                       catalogue::CatalogueQuery& query1) {
  planner::Constraints constraints;
  for (const auto& [course, crn] : options.locks) {
    if (!generator::IsSectionOf(query1, course, crn)) {
      Refuse("--lock: " + Utf8(crn) + ", " + Utf8(course) + " dersinin şubelerinden biri değil");
    }
    const auto row = std::find(courses.begin(), courses.end(), course) - courses.begin();
    constraints.locked[row] = crn;
  }
  constraints.excluded = options.excluded;
  constraints.busy = options.busy;
  return constraints;
}

}  // namespace kiremo::cli
