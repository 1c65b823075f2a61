#include "planner/section_tip.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "text/text_helpers.h"

namespace kiremo::planner {

namespace {

std::string_view Piece(const std::vector<std::string_view>& pieces, std::size_t k) {
  return k < pieces.size() ? pieces[k] : std::string_view();
}

bool Digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "0830/1029" as "08:30-10:29".
std::string Hours(std::string_view time) {
  if (time.size() != 9 || time[4] != '/' || !Digits(time.substr(0, 4)) || !Digits(time.substr(5)))
    return std::string(time);
  std::string hours;
  hours.append(time.substr(0, 2)).append(":").append(time.substr(2, 2));
  hours.append("-").append(time.substr(5, 2)).append(":").append(time.substr(7, 2));
  return hours;
}

}  // namespace

std::string MeetingsTip(const catalogue::SectionValues& section) {
  const auto days = ExplodeViews(section.gun, "|");
  const auto times = ExplodeViews(section.saat, "|");
  const auto buildings = ExplodeViews(section.bina, "|");
  const auto rooms = ExplodeViews(section.derslik, "|");
  const std::size_t meetings = std::max<std::size_t>(days.size(), section.blok > 0 ? section.blok : 0);
  std::string tip;
  for (std::size_t k = 0; k < meetings; ++k) {
    if (!tip.empty()) tip += '\n';
    tip.append(Piece(days, k)).append(" ").append(Hours(Piece(times, k)));
    tip.append(", ").append(Piece(buildings, k)).append(" ").append(Piece(rooms, k));
  }
  return tip;
}

}  // namespace kiremo::planner
