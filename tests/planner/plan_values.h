#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "planner/grid.h"
#include "planner/plan_snapshot.h"

// Plans as values, written out or drawn at random, for what reads plans
// without a planner.
namespace kiremo::planner::testing {

struct Meeting {
  std::string day;    // "1".."5"
  std::string hours;  // "SS:EE"
  std::string building = "EEB";
};

struct Committed {
  int row = 0;
  std::string course;
  std::string crn;
  std::vector<Meeting> meetings;
};

// A plan with these rows committed, every meeting painted.
inline PlanSnapshot PlanOf(const std::vector<Committed>& rows) {
  PlanSnapshot plan;
  for (const Committed& committed : rows) {
    StoredRow& row = plan.rows[committed.row - 1].emplace();
    row.DersKodu = committed.course;
    row.CRN = committed.crn;
    row.BlokSayisi = static_cast<int>(committed.meetings.size());
    for (const Meeting& m : committed.meetings) row.meetings.push_back({m.building, m.day, m.hours, "D1"});
  }
  return plan;
}

// "08:10" for 8 and 10.
inline std::string Hours(int start, int end) {
  auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
  return two(start) + ":" + two(end);
}

// A seeded plan: up to `rows` committed rows of a few meetings of one to
// three hours, now and then starting before 08:30 or ending after 22:29,
// clashing or not, and now and then a record the grid does not paint (an
// empty CRN, a meeting past BlokSayisi).
inline PlanSnapshot RandomPlan(std::mt19937& random, int rows) {
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  std::vector<Committed> committed;
  for (int row = 1; row <= rows && row <= kRows; ++row) {
    if (below(3) == 0) continue;
    Committed c{row, "C" + std::to_string(below(6)), std::to_string(20000 + below(40)), {}};
    for (int n = 1 + below(3); n > 0; --n) {
      const int start = 7 + below(16);  // 07:30 .. 22:30
      c.meetings.push_back(
          {std::to_string(1 + below(5)), Hours(start, start + 1 + below(3)), below(2) ? "EEB" : "FEB"});
    }
    committed.push_back(c);
  }
  PlanSnapshot plan = PlanOf(committed);
  for (auto& row : plan.rows) {
    if (!row || below(8) != 0) continue;
    if (below(2) == 0) {
      row->CRN.clear();
    } else {
      row->BlokSayisi = std::max(0, row->BlokSayisi - 1);
    }
  }
  return plan;
}

// Whether the plan has a class in the grid cell, straight from its records:
// a committed row with a painted meeting on that day over that hour.
inline bool HasClass(const PlanSnapshot& plan, int day, int slot) {
  const int hour = HourOfSlot(slot);
  for (const auto& row : plan.rows) {
    if (!row || row->CRN.empty()) continue;
    for (int n = 0; n < row->BlokSayisi && n < static_cast<int>(row->meetings.size()); ++n) {
      const StoredMeeting& m = row->meetings[static_cast<std::size_t>(n)];
      if (std::stoi(m.Gun) == day && std::stoi(m.Saat.substr(0, 2)) <= hour && hour < std::stoi(m.Saat.substr(3, 2)))
        return true;
    }
  }
  return false;
}

}  // namespace kiremo::planner::testing
