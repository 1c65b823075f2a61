#pragma once

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "generator/search_fixture.h"
#include "generator/sort_keys.h"
#include "generator/timetable_metrics.h"
#include "generator/tree_ders.h"

namespace kiremo::generator::testing {

// A seeded choice of courses, one per row (course "C<row>"), each of a few
// sections that meet up to `meetings` times a week for an hour or two in one
// of three buildings, now and then in none.
inline std::vector<TTreeDers> RandomWeek(std::mt19937& random, int rows, int sections, int meetings) {
  static const char* kBuildings[] = {"EEB", "FEB", "MED", ""};
  std::vector<TTreeDers> all;
  int crn = 10000;
  for (int row = 1; row <= rows; ++row) {
    const int count = 1 + static_cast<int>(random() % static_cast<unsigned>(sections));
    for (int s = 0; s < count; ++s) {
      TTreeDers c = Section(row, std::to_string(crn++), {});
      c.CourseCode = "C" + std::to_string(row);
      const int n = 1 + static_cast<int>(random() % static_cast<unsigned>(meetings));
      for (int m = 0; m < n; ++m) {
        const int day = 1 + static_cast<int>(random() % 5);
        const int first = 1 + static_cast<int>(random() % 13);
        const std::string building = kBuildings[random() % 4];
        for (int slot = first; slot <= first + static_cast<int>(random() % 2); ++slot) {
          c.Days.push_back(std::to_string(day));
          c.Slots.push_back(std::to_string(slot));
          c.Buildings.push_back(building);
        }
      }
      all.push_back(std::move(c));
    }
  }
  return Numbered(all);
}

// The metrics of a timetable the long way: a map of the week's cells to
// their buildings, walked day by day.
inline Metrics StraightMetrics(const std::vector<TTreeDers>& candidates, const std::vector<int>& path) {
  std::map<int, std::map<int, std::string>> week;  // day -> hour -> building
  for (const int c : path) {
    const TTreeDers& section = candidates[c];
    for (std::size_t k = 0; k < section.Days.size(); ++k) {
      week[std::stoi(section.Days[k])][std::stoi(section.Slots[k]) + 7] =
          k < section.Buildings.size() ? section.Buildings[k] : "";
    }
  }
  Metrics m;
  for (const auto& [day, hours] : week) {
    ++m.days;
    const int first = hours.begin()->first, last = hours.rbegin()->first;
    m.gaps += last - first + 1 - static_cast<int>(hours.size());
    m.first_hour = m.first_hour < 0 ? first : std::min(m.first_hour, first);
    m.last_hour = std::max(m.last_hour, last);
    // No free hour at 11:30, 12:30 or 13:30.
    if (hours.count(11) && hours.count(12) && hours.count(13)) ++m.lunch;
    int run = 0, previous_hour = -2;
    for (const auto& entry : hours) {
      run = entry.first == previous_hour + 1 ? run + 1 : 1;
      previous_hour = entry.first;
      m.streak = std::max(m.streak, run);
    }
    std::string previous;
    for (const auto& [hour, building] : hours) {
      if (building.empty()) continue;
      if (!previous.empty() && building != previous) ++m.walks;
      previous = building;
    }
  }
  return m;
}

// The keys' values of a timetable in order, smaller first, straight from
// their definitions.
inline std::vector<int> StraightKey(const Metrics& m, const SortKeys& keys) {
  std::vector<int> values;
  for (const SortKey key : keys) {
    switch (key) {
      case SortKey::Days: values.push_back(m.days); break;
      case SortKey::Gaps: values.push_back(m.gaps); break;
      case SortKey::Late: values.push_back(m.first_hour < 0 ? -100 : -m.first_hour); break;
      case SortKey::Early: values.push_back(m.last_hour); break;
      case SortKey::Walks: values.push_back(m.walks); break;
      case SortKey::Lunch: values.push_back(m.lunch); break;
      case SortKey::Streak: values.push_back(m.streak); break;
      case SortKey::Friends: values.push_back(-m.shared * 100 - m.common_free); break;
    }
  }
  return values;
}

inline std::vector<std::vector<int>> Paths(const Alternatives& found) {
  std::vector<std::vector<int>> paths;
  for (int k = 0; k < found.Count(); ++k) {
    std::vector<int> path;
    for (int level = 0; level < found.Levels(); ++level) path.push_back(found.Candidate(k, level));
    paths.push_back(path);
  }
  return paths;
}

}  // namespace kiremo::generator::testing
