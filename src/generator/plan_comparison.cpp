#include "generator/plan_comparison.h"

#include <algorithm>
#include <array>

#include "planner/grid.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

// The course code each grid cell shows: the last section covering it, as
// painting in row order leaves it; nullptr for a free cell.
using WeekCourses = std::array<std::array<const std::string*, planner::kSlots>, planner::kDays>;

WeekCourses CoursesOfWeek(const Timetable& timetable) {
  WeekCourses week{};
  for (const TTreeDers& section : timetable) {
    const std::size_t n = std::min(section.Days.size(), section.Slots.size());
    for (std::size_t k = 0; k < n; ++k) {
      const int day = StrToInt(section.Days[k]);
      const int slot = StrToInt(section.Slots[k]);
      if (planner::InsideGridBody(day, slot)) week[day - 1][slot - 1] = &section.CourseCode;
    }
  }
  return week;
}

int ClassHours(const WeekCourses& week) {
  int hours = 0;
  for (const auto& day : week) {
    hours += static_cast<int>(std::count_if(day.begin(), day.end(), [](const std::string* c) { return c != nullptr; }));
  }
  return hours;
}

// The CRNs of a course in the timetable, in its order.
std::vector<std::string> CrnsOf(const Timetable& timetable, const std::string& course) {
  std::vector<std::string> crns;
  for (const TTreeDers& section : timetable) {
    if (section.CourseCode == course) crns.push_back(section.CRN);
  }
  return crns;
}

bool Takes(const Timetable& timetable, const std::string& course) {
  return std::any_of(timetable.begin(), timetable.end(), [&](const TTreeDers& s) { return s.CourseCode == course; });
}

// The courses of `one` that `other` does not take, each once, in order.
std::vector<std::string> OnlyIn(const Timetable& one, const Timetable& other) {
  std::vector<std::string> only;
  for (const TTreeDers& section : one) {
    const std::string& course = section.CourseCode;
    if (!Takes(other, course) && std::find(only.begin(), only.end(), course) == only.end()) only.push_back(course);
  }
  return only;
}

// Per course both take, the sections that are not in both, paired in order.
std::vector<OtherSection> OtherSections(const Timetable& a, const Timetable& b) {
  std::vector<OtherSection> changes;
  std::vector<std::string> seen;
  for (const TTreeDers& section : a) {
    const std::string& course = section.CourseCode;
    if (!Takes(b, course) || std::find(seen.begin(), seen.end(), course) != seen.end()) continue;
    seen.push_back(course);
    std::vector<std::string> in_a = CrnsOf(a, course), in_b = CrnsOf(b, course);
    auto without = [](std::vector<std::string> crns, const std::vector<std::string>& common) {
      std::erase_if(
          crns, [&](const std::string& crn) { return std::find(common.begin(), common.end(), crn) != common.end(); });
      return crns;
    };
    const std::vector<std::string> only_a = without(in_a, in_b), only_b = without(in_b, in_a);
    for (std::size_t k = 0; k < std::max(only_a.size(), only_b.size()); ++k) {
      changes.push_back(
          {course, k < only_a.size() ? only_a[k] : std::string(), k < only_b.size() ? only_b[k] : std::string()});
    }
  }
  return changes;
}

}  // namespace

Measures MeasuresOf(const Timetable& timetable) { return {MetricsOf(timetable), ClassHours(CoursesOfWeek(timetable))}; }

Comparison Compare(const Timetable& a, const Timetable& b) {
  Comparison comparison{MeasuresOf(a), MeasuresOf(b), OnlyIn(a, b), OnlyIn(b, a), OtherSections(a, b), {}};
  const WeekCourses week_a = CoursesOfWeek(a), week_b = CoursesOfWeek(b);
  for (int day = 1; day <= planner::kDays; ++day) {
    for (int slot = 1; slot <= planner::kSlots; ++slot) {
      const std::string* in_a = week_a[day - 1][slot - 1];
      const std::string* in_b = week_b[day - 1][slot - 1];
      if (!in_a == !in_b) continue;
      comparison.cells.push_back({day, slot, in_a ? *in_a : std::string(), in_b ? *in_b : std::string()});
    }
  }
  return comparison;
}

}  // namespace kiremo::generator
