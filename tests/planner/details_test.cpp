#include <gtest/gtest.h>

#include "planner/markers.h"
#include "planner_test_support.h"

namespace kiremo::planner::testing {
namespace {

class DetailsTest : public TermTest {};

TEST_F(DetailsTest, CommittedCellShowsItsMeeting) {
  Commit(4, "ELK", "ELK 101", "100");
  planner.Grid1SelectCell(1, 2);
  EXPECT_EQ(planner.StatusText(), " CRN : 100  [Devre Teorisi] - Ali Veli - Bina : EEB - Derslik : D101");
  EXPECT_EQ(planner.SeciliSatir(), 2);
  EXPECT_EQ(planner.SeciliSutun(), 1);
}

TEST_F(DetailsTest, EmptyAndPreviewedCellsEmptyTheLine) {
  Commit(4, "ELK", "ELK 101", "100");
  planner.Grid1SelectCell(1, 1);
  planner.Grid1SelectCell(3, 3);
  EXPECT_EQ(planner.StatusText(), "");
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 202");
  PickSection(1, "201");
  planner.SetStatus("x");
  planner.BilgiGoster(1, 5);
  EXPECT_EQ(planner.StatusText(), "");
}

TEST_F(DetailsTest, TwoMeetingsOnOneDayNameOnlyTheSelectedHour) {
  Commit(1, "ELK", "ELK 303", "302");  // Monday 08:30-10:29 in A/1, 10:30-12:29 in B/2
  planner.Grid1SelectCell(1, 3);       // hour 10
  EXPECT_TRUE(planner.StatusText().ends_with("] - Ece Ay - Bina : B - Derslik : 2"));
  planner.Grid1SelectCell(1, 2);  // hour 9
  EXPECT_TRUE(planner.StatusText().ends_with("] - Ece Ay - Bina : A - Derslik : 1"));
}

TEST_F(DetailsTest, RedCellShowsTheCommittedCourseAndKeepsTheButtons) {
  Commit(4, "ELK", "ELK 202", "200");  // Monday 08:30
  PickDepartment(2, "ELK");
  PickCourse(2, "ELK 202");
  PickSection(2, "201");
  ASSERT_TRUE(Ekle(2));
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  PickSection(1, "100");
  ASSERT_EQ(Cell(1, 1), 19);
  ASSERT_FALSE(Ekle(1));
  planner.Grid1SelectCell(1, 1);
  EXPECT_TRUE(planner.StatusText().starts_with(" CRN : 200  ["));
  EXPECT_EQ(Cell(1, 1), 4);  // the preview is gone
  EXPECT_EQ(Cell(1, 2), 0);
  EXPECT_TRUE(Ekle(2));  // but no button changes
  EXPECT_FALSE(Ekle(1));
}

TEST_F(DetailsTest, CourseLookupDropsBlanks) {
  PickDepartment(3, "ELK");
  PickCourse(3, "ELK 101");
  planner.ButtonClick(3);
  planner.BilgiAl(planner.BilgiSatiri(), 1);
  EXPECT_EQ(window.opened, std::vector<std::string>{std::string(kForum) + "viewtopic.php?ders_kodu=ELK101"});
}

TEST_F(DetailsTest, TeacherLookupEncodesTheName) {
  store.Department("MAT", {Section("9", "MAT 101", W("Prof. Dr.  Ayşe      Öz"_w), "Cuma", "0830/0929")});
  Start();
  PickDepartment(1, "MAT");
  PickCourse(1, "MAT 101");
  PickSection(1, "9");
  planner.BilgiAl(1, 0);
  // Double blanks halve, then triple blanks shrink; ş and Ö stay single bytes.
  EXPECT_EQ(window.opened,
            std::vector<std::string>{std::string(kForum) + W("viewtopic.php?ou=Prof%2E%20Dr%2E%20Ayşe%20Öz"_w)});
}

TEST_F(DetailsTest, LookupsThatOpenNothing) {
  PickDepartment(1, "ELK");
  planner.BilgiAl(1, 1);  // course list shows "Seçin"
  planner.BilgiAl(1, 0);  // section list is empty
  PickCourse(1, "ELK 101");
  planner.BilgiAl(1, 0);  // "Seçin"
  PickSection(1, "100");
  planner.BilgiAl(1, 2);  // no such kind
  planner.BilgiAl(0, 1);  // no "Bilgi" pressed yet
  filter.code = "XYZ";
  PickCourse(1, "ELK 101");
  ASSERT_EQ(Sections(1).Text(), W(kYok));
  planner.BilgiAl(1, 0);  // "Yok" has no teacher piece
  EXPECT_TRUE(window.opened.empty());
}

TEST(URLEncodeTest, TheTwentySixCharactersAndNothingElse) {
  const std::string encoded = " \"#$%&+,./:;<=>?@[\\]^`{|}~";
  for (const char c : encoded) {
    char expected[4];
    std::snprintf(expected, sizeof expected, "%%%02X", static_cast<unsigned char>(c));
    EXPECT_EQ(URLEncode(std::string(1, c)), expected) << c;
  }
  for (int byte = 0; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    if (encoded.find(one) == std::string::npos) {
      EXPECT_EQ(URLEncode(one), one) << byte;
    }
  }
  EXPECT_EQ(URLEncode("Prof. Dr. X Y"), "Prof%2E%20Dr%2E%20X%20Y");
  EXPECT_EQ(URLEncode("çğıöşü"_w), W("çğıöşü"_w));
}

}  // namespace
}  // namespace kiremo::planner::testing
