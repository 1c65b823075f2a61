#include "generator/candidate_filters.h"

#include <gtest/gtest.h>

#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::generator {
namespace {

using testing_support::Section;

std::string W(std::string_view cp1254) { return std::string(cp1254); }

class Filters : public ::testing::Test {
 protected:
  Filters() : catalogue(folder.Path()), query1(catalogue.ConnectionString()) {}

  // One course "MAT 101E" with the given sections, and another course of the
  // same table that no course-restricted filter may list.
  void Sections(std::vector<catalogue::SectionValues> sections) {
    sections.push_back(Section("99999", "MAT 102E", "Ali Veli", "Pazartesi", "1030/1229"));
    catalogue.Department("MAT", sections);
  }

  CrnList Hours(int first, int end, std::string_view department = {}) {
    return SaatiUygunVeAlinabilecekDersBul(query1, edit2, "MAT 101E", first, end, department);
  }
  CrnList Days(const std::vector<std::string>& free) { return GunuUygunDersBul(query1, "MAT 101E", free); }

  testing_support::TempFolder folder;
  testing_support::CatalogueFixture catalogue;
  catalogue::CatalogueQuery query1;
  std::string edit2 = "MKB,ISB,MMB,GDB";
};

TEST_F(Filters, MarkerCodesAskNothingButTheTeacherFilterStillQueries) {
  catalogue::CatalogueQuery unconnected;  // any statement would fail
  for (const std::string_view marker : {"Seçin"_w, "Boş"_w}) {
    EXPECT_TRUE(GunuUygunDersBul(unconnected, marker, {"1"}).empty());
    EXPECT_TRUE(SaatiUygunVeAlinabilecekDersBul(unconnected, edit2, marker, 9, 19, {}).empty());
    EXPECT_THROW(HocasiUygunDersBul(unconnected, marker, "Ali Veli"), DatabaseError);
  }
}

TEST_F(Filters, DayFilterDropsSectionsOnFreeDaysAndStopsAtBo) {
  Sections({Section("1", "MAT 101E", "A", "Pazartesi|Cuma", "0930/1129|0930/1129"),
            Section("2", "MAT 101E", "A", W("Salı"_w), "0930/1129"),
            Section("3", "MAT 101E", "A", W("Pazartesi|Boş"_w), "0930/1129|/"),
            Section("4", "MAT 101E", "A", W("Salı||Perşembe"_w), "0930/1129||0930/1129"),
            Section("5", "MAT 101E", "A", W("çarşamba"_w), "0930/1129"), Section("6", "MAT 101E", "A", W("bOş"_w), "/"),
            Section("7", "MAT 101E", "A", W("Salı"_w), "0930/1129")});
  EXPECT_EQ(Days({"5"}), (CrnList{"2", "3", "4", "5"}));  // 7 comes after the "BO" section
  EXPECT_EQ(Days({"1"}), (CrnList{"2", "4", "5"}));
  // "ça" stays lower-case under ASCII rules: no Wednesday.
  EXPECT_EQ(Days({"3"}), (CrnList{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(Days({"2", "4"}), (CrnList{"1", "3", "5"}));
}

TEST_F(Filters, HourWindowIsClosedAtTheStartAndOpenAtTheEnd) {
  struct Case {
    const char* saat;
    bool passes;
  };
  const Case cases[] = {{"0930/1129", true},           {"0830/0929", false},  {"1730/1829", true},
                        {"1830/1929", false},          {"0930/1129|/", true}, {"0930/1129||1030/1229", true},
                        {"0930/1129|1830/1929", false}};
  std::vector<catalogue::SectionValues> sections;
  CrnList expected;
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    sections.push_back(Section(std::to_string(k), "MAT 101E", "A", "Pazartesi", cases[k].saat, "EEB"));
    if (cases[k].passes) expected.push_back(std::to_string(k));
  }
  Sections(sections);
  EXPECT_EQ(Hours(9, 19), expected);
}

TEST_F(Filters, HourFilterStopsAtATimelessSectionEvenWhenItsBuildingBlocksIt) {
  Sections(
      {Section("1", "MAT 101E", "A", "Pazartesi", "0930/1129"), Section("2", "MAT 101E", "A", W("Salı"_w), "", "EEB"),
       Section("3", "MAT 101E", "A", W("Boş"_w), "/", "MMB"), Section("4", "MAT 101E", "A", W("Salı"_w), "0930/1129")});
  EXPECT_EQ(Hours(9, 19), CrnList{"1"});  // an empty saat is never listed either
}

TEST_F(Filters, UnwantedBuildingsAreSubstringsOfTheUpperCasedList) {
  Sections({Section("1", "MAT 101E", "A", "Pazartesi|Salı", "0930/1129|0930/1129", "EEB|MMB"),
            Section("2", "MAT 101E", "A", "Pazartesi", "0930/1129", "MK"),
            Section("3", "MAT 101E", "A", "Pazartesi", "0930/1129", ""),
            Section("4", "MAT 101E", "A", "Pazartesi", "0930/1129", "mmb"),
            Section("5", "MAT 101E", "A", "Pazartesi", "0930/1129", "EEB")});
  EXPECT_EQ(Hours(9, 19), (CrnList{"3", "4", "5"}));
  edit2 = "mmb,eeb";
  EXPECT_EQ(Hours(9, 19), (CrnList{"2", "3", "4"}));
}

TEST_F(Filters, DepartmentTestIsASubstringOrExactlyTum) {
  Sections({Section("1", "MAT 101E", "A", "Pazartesi", "0930/1129", "EEB", "D1", "ELKE"),
            Section("2", "MAT 101E", "A", "Pazartesi", "0930/1129", "EEB", "D1", W("TÜM"_w)),
            Section("3", "MAT 101E", "A", "Pazartesi", "0930/1129", "EEB", "D1", W("tüm"_w)),
            Section("4", "MAT 101E", "A", "Pazartesi", "0930/1129", "EEB", "D1", "MAK, INS")});
  EXPECT_EQ(Hours(9, 19, ""), (CrnList{"1", "2", "3", "4"}));
  EXPECT_EQ(Hours(9, 19, "elk"), (CrnList{"1", "2"}));
  EXPECT_EQ(Hours(9, 19, "INS"), (CrnList{"2", "4"}));
}

TEST_F(Filters, MalformedHourEntryRaisesUnlessAnEarlierEntryFailed) {
  Sections({Section("1", "MAT 101E", "A", "Pazartesi|Salı", "0830/0929|xx30/1029")});
  EXPECT_TRUE(Hours(9, 19).empty());
  EXPECT_THROW(Hours(8, 19), ConversionError);
}

TEST_F(Filters, TeacherFilterListsTheTeachersSectionsOfTheWholeTable) {
  Sections({Section("1", "MAT 101E", "O'Neil", "Pazartesi", "0930/1129"),
            Section("2", "MAT 101E", W("Ayşe Kaya"_w), "Pazartesi", "0930/1129"),
            Section("3", "MAT 201E", "O'Neil", "Pazartesi", "0930/1129")});
  EXPECT_EQ(HocasiUygunDersBul(query1, "MAT 101E", "O'Neil"), (CrnList{"1", "3"}));
  EXPECT_EQ(HocasiUygunDersBul(query1, "MAT 101E", "Ayşe Kaya"_w), CrnList{"2"});
}

TEST(CombineShared, KeepsTheFirstListsOrderOncePerEqualEntry) {
  EXPECT_EQ(CombineShared({"A", "B", "C"}, {"C", "A", "A"}), (CrnList{"A", "A", "C"}));
  EXPECT_EQ(CombineShared({"A", "a"}, {"a"}), CrnList{"a"});
  EXPECT_TRUE(CombineShared({}, {"A"}).empty());
}

TEST(Entries, DayAndHoursOfAnEntry) {
  EXPECT_EQ(DayOfEntry("Pazartesi"), 1);
  EXPECT_EQ(DayOfEntry("cuma"), 5);
  EXPECT_EQ(DayOfEntry("Çarşamba"_w), 3);
  EXPECT_EQ(DayOfEntry("Boş"_w), 0);
  EXPECT_EQ(DayOfEntry(""), 0);
  EXPECT_EQ(HoursOfEntry("0830/1029").start, 8);
  EXPECT_EQ(HoursOfEntry("0830/1029").end, 10);
  EXPECT_THROW(HoursOfEntry("/"), ConversionError);
}

}  // namespace
}  // namespace kiremo::generator
