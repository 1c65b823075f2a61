#pragma once

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "generator/search_fixture.h"
#include "generator/tree_ders.h"

namespace kiremo::generator::testing {

// How the sections of a generated term meet.
enum class TermShape {
  // Like the demo term's: one to three meetings on different days, each of
  // one to three hours starting at any half past inside 09:30-18:29, a later
  // meeting often at another hour.
  FreeHours,
  // In the two-hour blocks of a block timetable (08:30, 10:30, 12:30, 14:30,
  // 16:30): two meetings on different days, the second often in another
  // block.
  Blocks,
  // One Monday hour and one Tuesday hour each, both inside 09:30-18:29:
  // ten such courses never fit, for they need ten Monday hours of nine.
  MondayTuesday,
};

// A seeded choice of `courses` large courses of `sections` sections each,
// one per row (course "C<row>"), in three buildings.
inline std::vector<TTreeDers> GeneratedTerm(unsigned seed, int courses, int sections, TermShape shape) {
  static const char* kBuildings[] = {"EEB", "FEB", "MED"};
  std::mt19937 random(seed);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  // 1, 2, 3 ... with the given percentages.
  auto share = [&](std::initializer_list<int> percents) {
    int roll = below(100), count = 1;
    for (const int p : percents) {
      if (roll < p) return count;
      roll -= p;
      ++count;
    }
    return 1;
  };
  std::vector<TTreeDers> all;
  int crn = 10000;
  for (int row = 1; row <= courses; ++row) {
    for (int s = 0; s < sections; ++s) {
      TTreeDers c = Section(row, std::to_string(crn++), {});
      c.CourseCode = "C" + std::to_string(row);
      if (shape == TermShape::MondayTuesday) {
        for (int day = 1; day <= 2; ++day) {
          c.Days.push_back(std::to_string(day));
          c.Slots.push_back(std::to_string(2 + below(9)));
          c.Buildings.push_back(kBuildings[below(3)]);
        }
        all.push_back(std::move(c));
        continue;
      }
      const int meetings = shape == TermShape::Blocks ? 2 : share({30, 55, 15});
      unsigned days = 0;
      while (static_cast<int>(__builtin_popcount(days)) < meetings) days |= 1u << below(5);
      int hours = shape == TermShape::Blocks ? 2 : share({20, 50, 30});
      int start = shape == TermShape::Blocks ? 8 + 2 * below(5) : 9 + below(10 - hours);
      for (int day = 1; day <= 5; ++day) {
        if (!(days >> (day - 1) & 1)) continue;
        if (below(100) < (shape == TermShape::Blocks ? 50 : 40)) {
          if (shape == TermShape::FreeHours) hours = share({20, 50, 30});
          start = shape == TermShape::Blocks ? 8 + 2 * below(5) : 9 + below(10 - hours);
        }
        const std::string building = kBuildings[below(3)];
        for (int hour = start; hour < start + hours; ++hour) {
          c.Days.push_back(std::to_string(day));
          c.Slots.push_back(std::to_string(hour - 7));
          c.Buildings.push_back(building);
        }
      }
      all.push_back(std::move(c));
    }
  }
  return Numbered(all);
}

}  // namespace kiremo::generator::testing
