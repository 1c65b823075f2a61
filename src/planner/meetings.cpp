#include "planner/meetings.h"

#include <algorithm>
#include <array>

#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::planner {

namespace {

std::string_view PieceOr(const std::vector<std::string_view>& pieces, int k) {
  return k >= 0 && k < static_cast<int>(pieces.size()) ? pieces[k] : std::string_view();
}

}  // namespace

std::string_view Chars(std::string_view text, std::size_t start, std::size_t count) {
  return start < text.size() ? text.substr(start, count) : std::string_view();
}

std::string DayNumber(std::string_view day_entry) {
  static constexpr std::array<std::string_view, 5> kCodes = {"PA", "SA", "ÇA"_w, "PE", "CU"};
  const std::string code = UpperAscii(Chars(day_entry, 0, 2));
  for (std::size_t d = 0; d < kCodes.size(); ++d) {
    if (code == kCodes[d]) return std::to_string(d + 1);
  }
  return {};
}

std::string HoursEntry(std::string_view time_entry) {
  std::string hours(Chars(time_entry, 0, 2));
  hours += ':';
  hours += Chars(time_entry, 5, 2);
  return hours;
}

MeetingLists SplitMeetings(std::string_view bina, std::string_view gun, std::string_view saat, std::string_view derslik,
                           int blok) {
  const auto buildings = ExplodeViews(bina, "|");
  const auto days = ExplodeViews(gun, "|");
  const auto times = ExplodeViews(saat, "|");
  const auto rooms = ExplodeViews(derslik, "|");

  MeetingLists lists;
  auto take = [&](int k, const std::string& day) {
    lists.Binalar.emplace_back(PieceOr(buildings, k));
    if (!day.empty()) lists.Gunler.push_back(day);
    lists.Derslikler.emplace_back(PieceOr(rooms, k));
    lists.Saatler.push_back(HoursEntry(PieceOr(times, k)));
  };

  const int last = blok - 1;
  // A meeting beyond the day pieces has no weekday and is left out, so the
  // walk need not go further than they do.
  const int middle_end = std::min(last, static_cast<int>(days.size()));
  for (int k = 0; k < middle_end; ++k) {
    const std::string day = DayNumber(days[k]);
    if (!day.empty()) take(k, day);
  }
  if (last >= 0) take(last, DayNumber(PieceOr(days, last)));

  lists.BlokSayisi = static_cast<int>(lists.Gunler.size());
  return lists;
}

int PaintedMeetings(const TDers& ders) {
  const auto walkable = std::min(ders.Gunler.size(), ders.Saatler.size());
  return std::clamp(ders.BlokSayisi, 0, static_cast<int>(walkable));
}

MeetingSpan SpanOf(const TDers& ders, int n) {
  const std::string& hours = ders.Saatler[n];
  return {StrToInt(ders.Gunler[n]), StrToInt(Chars(hours, 0, 2)), StrToInt(Chars(hours, 3, 2))};
}

std::optional<MeetingSpan> SpanOfOrNone(const TDers& ders, int n) {
  try {
    return SpanOf(ders, n);
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

}  // namespace kiremo::planner
