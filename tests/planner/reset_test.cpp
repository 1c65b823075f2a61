#include <gtest/gtest.h>

#include "planner/markers.h"
#include "planner_test_support.h"
#include "text/errors.h"

namespace kiremo::planner::testing {
namespace {

class ResetTest : public TermTest {};

TEST_F(ResetTest, LeavesAnEmptyPlan) {
  Commit(1, "ELK", "ELK 101", "100");
  Commit(7, "ELK", "ELK 202", "201");
  PickDepartment(2, "ELK");
  PickCourse(2, "ELK 101");
  PickSection(2, "102");
  planner.Grid1SelectCell(1, 1);
  planner.SetCaption("plan - /tmp/a.dkf");

  planner.Sifirla();

  EXPECT_EQ(planner.Caption(), kTitle);
  for (int row = 1; row <= 10; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(Departments(row).Text(), W(kSecin));
    EXPECT_EQ(Departments(row).Count(), 2);
    EXPECT_EQ(Codes(row).Count(), 0);
    EXPECT_EQ(Sections(row).Count(), 0);
    EXPECT_EQ(Teachers(row).Count(), 0);
    EXPECT_FALSE(Ekle(row));
    EXPECT_EQ(Swatch(row), kWhite);
    EXPECT_EQ(planner.Ders(row).CRN, "");
  }
  for (int column = 1; column <= 5; ++column) {
    for (int row = 1; row <= 14; ++row) {
      EXPECT_EQ(Cell(column, row), 0);
      EXPECT_EQ(Text(column, row), "");
      EXPECT_EQ(Colour(column, row), kWhite);
    }
  }
  EXPECT_EQ(planner.StatusText(), "");
  EXPECT_EQ(planner.SeciliSatir(), 1);  // the remembered selection survives
  EXPECT_EQ(planner.SeciliSutun(), 1);
}

TEST_F(ResetTest, HooksRunInTheirPlaces) {
  std::vector<std::string> calls;
  planner.SetResetHooks({
      .clear_connection_error_shown =
          [&] { calls.push_back("connection, selected " + std::to_string(Departments(1).index)); },
      .clear_free_days_and_results =
          [&] { calls.push_back("free days, teachers " + std::to_string(Teachers(10).Count())); },
      .clear_candidates = [&] { calls.push_back("candidates, status '" + planner.StatusText() + "'"); },
      .apply_stored_settings = [&] { calls.push_back("settings, selected " + std::to_string(Departments(10).index)); },
  });
  PickDepartment(10, "ELK");
  PickCourse(10, "ELK 101");
  planner.SetStatus("x");
  planner.Sifirla();
  EXPECT_EQ(calls, (std::vector<std::string>{"connection, selected -1", "free days, teachers 0",
                                             "candidates, status ''", "settings, selected 0"}));
}

TEST_F(ResetTest, MissingDepartmentListEndsTheResetAtTheDepartments) {
  Commit(1, "ELK", "ELK 101", "100");
  std::vector<std::string> calls;
  planner.SetResetHooks({
      .clear_connection_error_shown = [&] { calls.push_back("connection"); },
      .clear_free_days_and_results = [&] { calls.push_back("free days"); },
      .clear_candidates = [&] { calls.push_back("candidates"); },
      .apply_stored_settings = [&] { calls.push_back("settings"); },
  });
  store.RemoveDepartmentList();
  EXPECT_THROW(planner.Sifirla(), IoError);
  EXPECT_EQ(calls, std::vector<std::string>{"connection"});
  EXPECT_EQ(planner.Ders(1).CRN, "");
  EXPECT_EQ(Cell(1, 1), 0);
  EXPECT_EQ(Departments(1).Count(), 0);
}

}  // namespace
}  // namespace kiremo::planner::testing
