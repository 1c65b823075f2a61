#include "planner/meetings.h"

#include <gtest/gtest.h>

#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::planner {
namespace {

using Texts = std::vector<std::string>;

TEST(DayNumberTest, FirstTwoLettersAsciiUpperCased) {
  const std::pair<std::string_view, std::string> cases[] = {
      {"Pazartesi", "1"},  {"SALI", "2"},      {"sali", "2"}, {"Çarşamba"_w, "3"},
      {"ÇA"_w, "3"},       {"çarşamba"_w, ""},  // only ASCII letters change case
      {"Perşembe"_w, "4"}, {"Cuma", "5"},      {"cu", "5"},   {"Boş"_w, ""},
      {"BO", ""},          {"P", ""},          {"", ""},
  };
  for (const auto& [entry, day] : cases) EXPECT_EQ(DayNumber(entry), day) << std::string(entry);
}

TEST(HoursEntryTest, StartAndEndHour) {
  EXPECT_EQ(HoursEntry("0830/1029"), "08:10");
  EXPECT_EQ(HoursEntry("2130/2229"), "21:22");
  EXPECT_EQ(HoursEntry("/"), "/:");
  EXPECT_EQ(HoursEntry(""), ":");
}

struct SplitCase {
  const char* name;
  std::string bina, gun, saat, derslik;
  int blok;
  Texts binalar, gunler, saatler, derslikler;
  int blok_sayisi;
};

TEST(SplitMeetingsTest, ListsStayAligned) {
  const std::string bo = std::string("Boş"_w);
  const SplitCase cases[] = {
      {"weekdays only",
       "A|B",
       "Pazartesi|Cuma",
       "0830/0929|1030/1129",
       "1|2",
       2,
       {"A", "B"},
       {"1", "5"},
       {"08:09", "10:11"},
       {"1", "2"},
       2},
      {"BO last keeps building, hours and room",
       "A|B",
       "Pazartesi|" + bo,
       "0830/0929|1030/1129",
       "1|2",
       2,
       {"A", "B"},
       {"1"},
       {"08:09", "10:11"},
       {"1", "2"},
       1},
      {"BO in the middle is left out",
       "A|B|C",
       "Pazartesi|" + bo + "|Cuma",
       "0830/0929|1030/1129|1330/1529",
       "1|2|3",
       3,
       {"A", "C"},
       {"1", "5"},
       {"08:09", "13:15"},
       {"1", "3"},
       2},
      {"other code last is not painted",
       "A|B",
       "Pazartesi|XX",
       "0830/0929|1030/1129",
       "1|2",
       2,
       {"A", "B"},
       {"1"},
       {"08:09", "10:11"},
       {"1", "2"},
       1},
      {"only BO", "A", bo, "0830/0929", "1", 1, {"A"}, {}, {"08:09"}, {"1"}, 0},
      {"blok beyond the pieces", "A", "Pazartesi", "0830/0929", "1", 3, {"A", ""}, {"1"}, {"08:09", ":"}, {"1", ""}, 1},
      {"pieces beyond blok are ignored",
       "A|B",
       "Pazartesi|Cuma",
       "0830/0929|1030/1129",
       "1|2",
       1,
       {"A"},
       {"1"},
       {"08:09"},
       {"1"},
       1},
      {"no meetings", "", "", "/", "", 0, {}, {}, {}, {}, 0},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MeetingLists lists = SplitMeetings(c.bina, c.gun, c.saat, c.derslik, c.blok);
    EXPECT_EQ(lists.Binalar, c.binalar);
    EXPECT_EQ(lists.Gunler, c.gunler);
    EXPECT_EQ(lists.Saatler, c.saatler);
    EXPECT_EQ(lists.Derslikler, c.derslikler);
    EXPECT_EQ(lists.BlokSayisi, c.blok_sayisi);
  }
}

TEST(SplitMeetingsTest, HugeCountDoesNotWalkForever) {
  const MeetingLists lists = SplitMeetings("A", "Pazartesi", "0830/0929", "1", 2'000'000'000);
  EXPECT_EQ(lists.Gunler, Texts{"1"});
  EXPECT_EQ(lists.Binalar.size(), 2u);
}

TEST(PaintedMeetingsTest, NeverPastTheDaysOrHours) {
  TDers ders;
  ders.Gunler = {"1", "2"};
  ders.Saatler = {"08:09", "09:10", "10:11"};
  const std::pair<int, int> cases[] = {{5, 2}, {2, 2}, {1, 1}, {0, 0}, {-3, 0}};
  for (const auto& [blok, painted] : cases) {
    ders.BlokSayisi = blok;
    EXPECT_EQ(PaintedMeetings(ders), painted) << blok;
  }
}

TEST(SpanOfTest, NumbersOrTheConversionMessage) {
  TDers ders;
  ders.Gunler = {"3", "x"};
  ders.Saatler = {"08:10", "08:10"};
  const MeetingSpan span = SpanOf(ders, 0);
  EXPECT_EQ(span.day, 3);
  EXPECT_EQ(span.start_hour, 8);
  EXPECT_EQ(span.end_hour, 10);
  try {
    SpanOf(ders, 1);
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
  }
  EXPECT_FALSE(SpanOfOrNone(ders, 1));
}

}  // namespace
}  // namespace kiremo::planner
