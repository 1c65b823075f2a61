#include "planner/grid.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "text/cp1254.h"

namespace kiremo::planner {

std::string GridHeaderText(int column, int row) {
  static constexpr std::array<std::string_view, kDays + 1> kColumns = {"Gün/Saat"_w, "Pazartesi"_w, "Salı"_w,
                                                                       "Çarşamba"_w, "Perşembe"_w,  "Cuma"_w};
  if (row == 0 && column >= 0 && column <= kDays) return std::string(kColumns[column]);
  if (column != 0 || row < 1 || row > kSlots) return {};
  const int hour = HourOfSlot(row);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:30-%02d:29", hour, hour + 1);
  return text;
}

}  // namespace kiremo::planner
