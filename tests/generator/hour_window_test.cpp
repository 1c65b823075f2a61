#include "generator/hour_window.h"

#include <gtest/gtest.h>

#include "text/cp1254.h"

namespace kiremo::generator {
namespace {

// The fields are checked before anything else, first field first; the
// message names the field that is wrong, what it holds and what it may hold.
TEST(HourWindowTest, WholeNumbersWithinTheGridsHoursAndFirstBeforeEnd) {
  const std::string first(kPanelHourFields.first), end(kPanelHourFields.end);
  struct Case {
    const char* first_hour;
    const char* end_hour;
    std::string fault;  // empty when the window is fine
  };
  const Case cases[] = {
      {"9", "19", ""},
      {"8", "23", ""},
      {" 10 ", "11", ""},
      {"22", "23", ""},
      {"25", "3", first + std::string(" 8 ile 22 arasında bir tam sayı olmalı; \"25\" yazılmış."_w)},
      {"ab", "9", first + std::string(" 8 ile 22 arasında bir tam sayı olmalı; \"ab\" yazılmış."_w)},
      {"", "19", first + std::string(" 8 ile 22 arasında bir tam sayı olmalı; \"\" yazılmış."_w)},
      {"7", "19", first + std::string(" 8 ile 22 arasında bir tam sayı olmalı; \"7\" yazılmış."_w)},
      {"23", "23", first + std::string(" 8 ile 22 arasında bir tam sayı olmalı; \"23\" yazılmış."_w)},
      {"9.5", "19", first + std::string(" 8 ile 22 arasında bir tam sayı olmalı; \"9.5\" yazılmış."_w)},
      {"9", "24", end + std::string(" 9 ile 23 arasında bir tam sayı olmalı; \"24\" yazılmış."_w)},
      {"9", "on dokuz", end + std::string(" 9 ile 23 arasında bir tam sayı olmalı; \"on dokuz\" yazılmış."_w)},
      {"12", "10", end + std::string(" (10) ilk saatten (12) büyük olmalı."_w)},
      {"12", "12", end + std::string(" (12) ilk saatten (12) büyük olmalı."_w)},
  };
  for (const Case& c : cases) {
    const auto fault = HourWindowFault(c.first_hour, c.end_hour);
    EXPECT_EQ(fault.value_or(""), c.fault) << c.first_hour << "-" << c.end_hour;
  }
}

TEST(HourWindowTest, MessagesNameTheFieldsAsTheCallerCallsThem) {
  EXPECT_EQ(HourWindowFault("x", "9", {"--hours: ilk saat", "--hours: son saat"}),
            std::string("--hours: ilk saat 8 ile 22 arasında bir tam sayı olmalı; \"x\" yazılmış."_w));
}

}  // namespace
}  // namespace kiremo::generator
