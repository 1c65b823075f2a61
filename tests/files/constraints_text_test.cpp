#include "files/constraints_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/cp1254.h"

namespace kiremo::files {
namespace {

using Lines = std::vector<std::string>;

planner::PlanSnapshot PlanWith(const planner::Constraints& constraints) {
  planner::PlanSnapshot plan;
  plan.combos[7] = "MAT 103";  // row 3's course
  plan.constraints = constraints;
  return plan;
}

planner::Constraints Busy(std::initializer_list<std::pair<int, int>> cells) {
  planner::Constraints constraints;
  for (auto [day, slot] : cells) constraints.busy[day - 1][slot - 1] = true;
  return constraints;
}

planner::Constraints WholeDay(int day) {
  planner::Constraints constraints;
  constraints.busy[day - 1].fill(true);
  return constraints;
}

TEST(ConstraintLines, BusyHoursAreRunsOfConsecutiveHourRows) {
  struct Case {
    const char* name;
    planner::Constraints busy;
    std::string_view line;
  };
  const Case cases[] = {
      {"one hour", Busy({{1, 1}}), "Boş tutulan saatler: Pazartesi 08:30-09:29"_w},
      {"a run", Busy({{1, 5}, {1, 6}}), "Boş tutulan saatler: Pazartesi 12:30-14:29"_w},
      {"a gap splits the run", Busy({{3, 2}, {3, 4}, {3, 5}}),
       "Boş tutulan saatler: Çarşamba 09:30-10:29, Çarşamba 11:30-13:29"_w},
      {"days in order, the run stops at the day's end", Busy({{5, 14}, {2, 13}, {2, 14}, {4, 1}}),
       "Boş tutulan saatler: Salı 20:30-22:29, Perşembe 08:30-09:29, Cuma 21:30-22:29"_w},
      {"a whole day", WholeDay(1), "Boş tutulan saatler: Pazartesi 08:30-22:29"_w},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConstraintLines(PlanWith(c.busy)), Lines{std::string(c.line)}) << c.name;
  }
}

TEST(ConstraintLines, LocksComeRowByRowThenExclusionsThenBusyHours) {
  planner::Constraints constraints = Busy({{2, 2}});
  constraints.locked[2] = "12345";
  constraints.locked[9] = "99999";  // row 10 shows no course
  constraints.excluded = {"34567", "23456"};
  const Lines expected = {
      std::string("Sabit şube: 3. satır MAT 103 -> 12345"_w),
      std::string("Sabit şube: 10. satır -> 99999"_w),
      std::string("Hariç tutulan şubeler: 23456, 34567"_w),
      std::string("Boş tutulan saatler: Salı 09:30-10:29"_w),
  };
  EXPECT_EQ(ConstraintLines(PlanWith(constraints)), expected);
}

TEST(ConstraintLines, APlanWithoutConstraintsHasNoLine) { EXPECT_EQ(ConstraintLines(PlanWith({})), Lines{}); }

}  // namespace
}  // namespace kiremo::files
