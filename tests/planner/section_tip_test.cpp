#include "planner/section_tip.h"

#include <gtest/gtest.h>

#include "support/catalogue_fixture.h"
#include "text/cp1254.h"

namespace kiremo::planner {
namespace {

using testing_support::Section;

TEST(SectionTipTest, OneLinePerMeetingWithDayHoursAndPlace) {
  struct Case {
    catalogue::SectionValues section;
    std::string tip;
  };
  const Case cases[] = {
      {Section("1", "ELK 101", "Ali", "Pazartesi", "0830/1029", "EEB", "D101"), "Pazartesi 08:30-10:29, EEB D101"},
      {Section("2", "ELK 101", "Ali", std::string("Salı|Perşembe"_w), "1430/1629|0930/1029", "EEB|MED", "A1|B2"),
       std::string("Salı 14:30-16:29, EEB A1\nPerşembe 09:30-10:29, MED B2"_w)},
      // A meeting without a day, and a time the catalogue holds as "/".
      {Section("3", "ELK 101", "Ali", std::string("Cuma|Boş"_w), "1330/1429|/", "EEB|---", "D1|---"),
       std::string("Cuma 13:30-14:29, EEB D1\nBoş /, --- ---"_w)},
  };
  for (const Case& c : cases) EXPECT_EQ(MeetingsTip(c.section), c.tip) << c.section.crn;
}

}  // namespace
}  // namespace kiremo::planner
