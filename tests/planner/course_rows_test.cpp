#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/file_system.h"
#include "planner/markers.h"
#include "planner_test_support.h"
#include "text/errors.h"

namespace kiremo::planner::testing {
namespace {

using Texts = std::vector<std::string>;

class CourseRowsTest : public PlannerTest {
 protected:
  void SetUp() override {
    store
        .Department("ELK", {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029"),
                            Section("21002", "ELK 101", "ali veli", "Sali", "0830/1029"),
                            Section("21003", "ELK 101", "---", "Cuma", "1330/1529"),
                            Section("21010", "ELK 202", "Can Er", "Pazartesi", "0830/1029")})
        .Department("BOS")
        .ListedOnly("YOK");
    Start();
  }
};

TEST_F(CourseRowsTest, DepartmentListIsTheFileUnderSecin) {
  EXPECT_EQ(Departments(3).items, (Texts{W(kSecin), "ELK", "BOS", "YOK"}));
  EXPECT_EQ(Departments(3).index, 0);
}

TEST_F(CourseRowsTest, DepartmentListKeepsLinesUnchanged) {
  catalogue::WriteDepartmentList(folder / "DataBase/kodlar.dat", {"ELK ", W("ÇEV"_w), ""});
  planner.BirinciComboBoxDoldur(1);
  EXPECT_EQ(Departments(1).items, (Texts{W(kSecin), "ELK ", W("ÇEV"_w), ""}));
}

TEST_F(CourseRowsTest, MissingDepartmentListRaisesAfterEmptyingTheList) {
  store.RemoveDepartmentList();
  EXPECT_THROW(planner.BirinciComboBoxDoldur(1), IoError);
  EXPECT_EQ(Departments(1).Count(), 0);
}

TEST_F(CourseRowsTest, CourseCodesInCatalogueOrderAndLowerListsEmptied) {
  PickDepartment(2, "ELK");
  PickCourse(2, "ELK 101");
  PickDepartment(2, "ELK");
  EXPECT_EQ(Codes(2).items, (Texts{W(kSecin), "ELK 101", "ELK 202"}));
  EXPECT_EQ(Codes(2).index, 0);
  EXPECT_EQ(Sections(2).Count(), 0);
  EXPECT_EQ(Teachers(2).Count(), 0);
  EXPECT_FALSE(Ekle(2));
}

TEST_F(CourseRowsTest, DepartmentWithoutCoursesShowsBosAndItsSectionStepSendsNothing) {
  PickDepartment(1, "BOS");
  EXPECT_EQ(Codes(1).items, Texts{W(kBos)});
  query1.SetConnectionString("broken");
  planner.AcilanDersEkle(1);
  EXPECT_EQ(Sections(1).Count(), 0);
  EXPECT_EQ(Teachers(1).Count(), 0);
}

TEST_F(CourseRowsTest, SecinDepartmentEmptiesTheRowWithoutAQuery) {
  PickDepartment(1, "ELK");
  planner.SelectDepartment(1, 0);
  query1.SetConnectionString("broken");
  planner.DersKoduEkle(1);
  EXPECT_EQ(Codes(1).Count(), 0);
  EXPECT_TRUE(window.notices.empty());
}

TEST_F(CourseRowsTest, UnreadableDepartmentTableShowsTheBoxAndLeavesBos) {
  PickDepartment(1, "YOK");
  ASSERT_EQ(window.notices.size(), 1u);
  const auto& box = window.notices[0];
  EXPECT_EQ(box.caption, "HATA");
  EXPECT_EQ(box.text, W("Database dosyası silinmiş veya bozulmuş! Programı yeniden yükle. Ders bilgilerini \"Program > "
                        "Veri Al/Güncelle\" ile sunucudan yeniden kurabilirsin."_w));
  EXPECT_EQ(box.icon, Icon::Error);
  EXPECT_EQ(Codes(1).items, Texts{W(kBos)});
}

TEST_F(CourseRowsTest, MissingCatalogueFileShowsTheSameBox) {
  std::filesystem::remove(folder / "DataBase/dbase.dbs");
  query1.Close();
  PickDepartment(1, "ELK");
  ASSERT_EQ(window.notices.size(), 1u);
  EXPECT_EQ(Codes(1).items, Texts{W(kBos)});
}

// A catalogue folder that is no folder holds a catalogue that may be
// sound: the box says what is wrong, not that the catalogue is damaged.
TEST_F(CourseRowsTest, ACatalogueFolderThatIsNoFolderIsSaidAsSuch) {
  query1.Close();
  std::filesystem::rename(folder / "DataBase", folder / "DataBase.saklanan");
  WriteFileAtomically(folder / "DataBase", "x");
  PickDepartment(1, "ELK");
  ASSERT_EQ(window.notices.size(), 1u);
  EXPECT_NE(window.notices[0].text.find(W("DataBase\" bir klasör değil"_w)), std::string::npos)
      << window.notices[0].text;
  EXPECT_EQ(window.notices[0].text.find(W("bozulmuş"_w)), std::string::npos);
}

TEST_F(CourseRowsTest, SectionItemsAndTeachers) {
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  EXPECT_EQ(SectionItems(1), (Texts{W(kSecin), "21001:: Ali Veli :: Pazartesi :: EEB",
                                    "21002:: ali veli :: Sali :: EEB", "21003:: --- :: Cuma :: EEB"}));
  // One teacher whatever the letter case; "---" is nobody.
  EXPECT_EQ(Teachers(1).items, (Texts{W(kSecin), "Ali Veli"}));
  EXPECT_EQ(Sections(1).index, 0);
  EXPECT_EQ(Teachers(1).index, 0);
  EXPECT_FALSE(Ekle(1));
}

TEST_F(CourseRowsTest, FailingSectionQueryLeavesTheListsEmpty) {
  PickDepartment(1, "ELK");
  planner.SelectCourse(1, 1);
  planner.SelectDepartment(1, 3);  // "YOK": no table
  EXPECT_THROW(planner.AcilanDersEkle(1), DatabaseError);
  EXPECT_EQ(Sections(1).Count(), 0);
  EXPECT_EQ(Teachers(1).Count(), 0);
}

// The department filter over one course whose sections name different majors.
class DepartmentFilterTest : public PlannerTest {
 protected:
  void SetUp() override {
    store.Department("ELK", {Section("1", "ELK 101", "A", "Pazartesi", "0830/0929", "EEB", "D1", "ELK,ELKE"),
                             Section("2", "ELK 101", "B", "Pazartesi", "0830/0929", "EEB", "D1", W(kTum)),
                             Section("3", "ELK 101", "C", "Pazartesi", "0830/0929", "EEB", "D1", "MAT"),
                             Section("4", "ELK 101", "D", "Pazartesi", "0830/0929", "EEB", "D1", "MAT ELK "),
                             Section("5", "ELK 101", "E", "Pazartesi", "0830/0929", "EEB", "D1", W("TÜMÜ"_w))});
    Start();
  }
  std::vector<std::string> Crns() {
    std::vector<std::string> crns;
    for (const std::string& item : SectionItems(1)) crns.push_back(item.substr(0, item.find(':')));
    return crns;
  }
};

TEST_F(DepartmentFilterTest, Cases) {
  struct Case {
    std::string edit1;
    bool checked;
    Texts crns;
  } cases[] = {
      {"ELK", true, {W(kSecin), "1", "2", "4"}},
      {"elk", true, {W(kSecin), "1", "2", "4"}},  // upper-cased before the search
      {"ELK ", true, {W(kSecin), "2", "4"}},      // the blank is not trimmed away
      {"", true, {W(kSecin), "2"}},               // nothing matches an empty code
      {"MAK", true, {W(kSecin), "2"}},            // only "TÜM" exactly
      {"MAK", false, {W(kSecin), "1", "2", "3", "4", "5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("Edit1 '" + c.edit1 + "'");
    filter.code = c.edit1;
    filter.on = c.checked;
    PickDepartment(1, "ELK");
    PickCourse(1, "ELK 101");
    EXPECT_EQ(Crns(), c.crns);
  }
}

TEST_F(DepartmentFilterTest, NoSectionLeftShowsYokInBothLists) {
  filter.code = "XYZ";
  store.Refill("ELK", {Section("3", "ELK 101", "C", "Pazartesi", "0830/0929", "EEB", "D1", "MAT")});
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  EXPECT_EQ(SectionItems(1), Texts{W(kYok)});
  EXPECT_EQ(Teachers(1).items, Texts{W(kYok)});
  EXPECT_EQ(Sections(1).index, 0);
  EXPECT_EQ(Teachers(1).index, 0);
}

TEST_F(DepartmentFilterTest, UncheckedCourseWithoutSectionsKeepsSecin) {
  filter.on = false;
  PickDepartment(1, "ELK");
  Texts none{W(kSecin)};
  // A course code that no section carries any more.
  planner.SelectCourse(1, 1);
  store.Refill("ELK", {Section("9", "ELK 999", "Z", "Pazartesi", "0830/0929")});
  planner.AcilanDersEkle(1);
  EXPECT_EQ(SectionItems(1), none);
  EXPECT_EQ(Teachers(1).items, Texts{W(kYok)});
}

TEST_F(PlannerTest, ApostrophesInCodesAndTeachersAreFound) {
  store.Department("ING", {Section("7", "ING 1'01", "O'Neil", "Pazartesi", "0830/0929", "EEB", "D1", W(kTum))});
  Start();
  PickDepartment(1, "ING");
  PickCourse(1, "ING 1'01");
  EXPECT_EQ(SectionItems(1), (Texts{W(kSecin), "7:: O'Neil :: Pazartesi :: EEB"}));
  EXPECT_EQ(Teachers(1).items, (Texts{W(kSecin), "O'Neil"}));
}

TEST_F(PlannerTest, ChoosingTheDepartmentAgainKeepsTheCommittedCourse) {
  store.Department("ELK", {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029")});
  Start();
  Commit(1, "ELK", "ELK 101", "21001");
  PickDepartment(1, "ELK");
  EXPECT_EQ(planner.Ders(1).CRN, "21001");
  EXPECT_EQ(Cell(1, 1), 1);
  EXPECT_EQ(Text(1, 1), "ELK 101");
  EXPECT_EQ(Sections(1).Count(), 0);
}

}  // namespace
}  // namespace kiremo::planner::testing
