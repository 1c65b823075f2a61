#include <gtest/gtest.h>

#include "text/errors.h"
#include "planner/markers.h"
#include "planner_test_support.h"
#include "text/program.h"

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
  view.Caption().SetText("plan - /tmp/a.dkf");
  view.Chk(3).SetChecked(true);
  view.ComboBox31().ShowResults(4);

  planner.Sifirla();

  EXPECT_EQ(view.Caption().Text(), ProgramTitle());
  for (int row = 1; row <= 10; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(Departments(row).Text(), W(kSecin));
    EXPECT_EQ(Departments(row).Count(), 2);
    EXPECT_EQ(Codes(row).Count(), 0);
    EXPECT_EQ(Sections(row).Count(), 0);
    EXPECT_EQ(Teachers(row).Count(), 0);
    EXPECT_FALSE(Ekle(row));
    EXPECT_EQ(view.Shape(row).Fill(), ui::kWhite);
    EXPECT_EQ(planner.Dersler[row].CRN, "");
  }
  ui::MemoryGrid headers;
  for (int column = 0; column <= 5; ++column) {
    for (int row = 0; row <= 14; ++row) {
      if (column == 0 || row == 0) {
        EXPECT_EQ(Text(column, row), headers.CellText(column, row));
      } else {
        EXPECT_EQ(Cell(column, row), 0);
        EXPECT_EQ(Text(column, row), "");
        EXPECT_EQ(Colour(column, row), ui::kWhite);
      }
    }
  }
  for (int day = 1; day <= 5; ++day) EXPECT_FALSE(view.Chk(day).Checked());
  EXPECT_EQ(view.ComboBox31().Count(), 0);
  EXPECT_EQ(view.StatusBar().Text(), "");
  EXPECT_EQ(planner.SeciliSatir, 1);  // the remembered selection survives
  EXPECT_EQ(planner.SeciliSutun, 1);
}

TEST_F(ResetTest, HooksRunInTheirPlaces) {
  std::vector<std::string> calls;
  planner.SetResetHooks({
      .clear_connection_error_shown =
          [&] { calls.push_back("connection, selected " + std::to_string(Departments(1).ItemIndex())); },
      .clear_candidates = [&] { calls.push_back("candidates, status '" + view.StatusBar().Text() + "'"); },
      .apply_stored_settings = [&] { calls.push_back("settings, selected " + std::to_string(Departments(10).ItemIndex())); },
  });
  view.StatusBar().SetText("x");
  planner.Sifirla();
  EXPECT_EQ(calls, (std::vector<std::string>{"connection, selected -1", "candidates, status ''",
                                             "settings, selected 0"}));
}

TEST_F(ResetTest, MissingDepartmentListEndsTheResetAtTheDepartments) {
  Commit(1, "ELK", "ELK 101", "100");
  view.Chk(2).SetChecked(true);
  std::vector<std::string> calls;
  planner.SetResetHooks({
      .clear_connection_error_shown = [&] { calls.push_back("connection"); },
      .clear_candidates = [&] { calls.push_back("candidates"); },
      .apply_stored_settings = [&] { calls.push_back("settings"); },
  });
  store.RemoveDepartmentList();
  EXPECT_THROW(planner.Sifirla(), IoError);
  EXPECT_EQ(calls, std::vector<std::string>{"connection"});
  EXPECT_EQ(planner.Dersler[1].CRN, "");
  EXPECT_EQ(Cell(1, 1), 0);
  EXPECT_EQ(Departments(1).Count(), 0);
  EXPECT_TRUE(view.Chk(2).Checked());  // later steps did not run
}

}  // namespace
}  // namespace kiremo::planner::testing
