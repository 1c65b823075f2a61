#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/cp1254.h"
#include "text/errors.h"

// The generator's hour window: the two fields beside "Şu saatlerin dışına
// çıkma". A meeting passes when it starts at the first hour or later and
// ends before the end hour, so 8 lets every morning through and 23 every
// evening (the grid's last class ends at 22:29).
namespace kiremo::generator {

inline constexpr int kEarliestFirstHour = 8;
inline constexpr int kLatestEndHour = 23;

// How a message names the two fields.
struct HourFieldNames {
  std::string_view first;
  std::string_view end;
};
// As the window shows them.
inline constexpr HourFieldNames kPanelHourFields{"Şu saatlerin dışına çıkma: ilk saat (soldaki kutu)"_w,
                                                 "Şu saatlerin dışına çıkma: son saat (sağdaki kutu)"_w};

// Nothing when both texts are whole numbers (blanks around them allowed)
// with 8 <= first < end <= 23; otherwise the message that names the wrong
// field, says what it holds and what it may hold. The first field is
// checked first.
std::optional<std::string> HourWindowFault(std::string_view first_hour, std::string_view end_hour,
                                           const HourFieldNames& names = kPanelHourFields);

// An hour window that HourWindowFault refuses; the message is its text.
class HourWindowError : public Error {
 public:
  using Error::Error;
};

}  // namespace kiremo::generator
