#include "files/calendar_meetings.h"

#include <algorithm>

#include "planner/meetings.h"
#include "text/text_helpers.h"

namespace kiremo::files {

namespace {

// The last hour row ends at 22:29; a meeting may reach no further than the day.
constexpr int kLastEndHour = 23;

std::string Entry(const std::vector<std::string>& list, int n) {
  return static_cast<std::size_t>(n) < list.size() ? list[static_cast<std::size_t>(n)] : std::string();
}

std::optional<planner::MeetingSpan> UsableSpan(const planner::TDers& ders, int n) {
  if (n >= planner::PaintedMeetings(ders)) return std::nullopt;
  const auto span = planner::SpanOfOrNone(ders, n);
  if (!span || span->day < 1 || span->day > planner::kDays) return std::nullopt;
  if (span->start_hour < 0 || span->start_hour >= span->end_hour || span->end_hour > kLastEndHour) return std::nullopt;
  return span;
}

}  // namespace

CalendarMeetings MeetingsOf(const std::vector<planner::TDers>& records) {
  CalendarMeetings found;
  for (const planner::TDers& ders : records) {
    if (ders.CRN.empty()) continue;
    found.committed = true;
    const int entries = static_cast<int>(
        std::max({ders.Gunler.size(), ders.Saatler.size(), ders.Binalar.size(), ders.Derslikler.size()}));
    for (int n = 0; n < entries; ++n) {
      const auto span = UsableSpan(ders, n);
      if (!span) {
        ++found.left_out;
        continue;
      }
      found.meetings.push_back({ders.DersKodu, ders.DersAdi, ders.CRN, ders.Ogretmen,
                                Trim(Entry(ders.Binalar, n) + " " + Entry(ders.Derslikler, n)), n + 1, span->day,
                                span->start_hour, span->end_hour});
    }
  }
  return found;
}

CalendarMeetings MeetingsOf(const planner::Planner& planner) {
  std::vector<planner::TDers> records;
  for (int row = 1; row <= planner::kRows; ++row) records.push_back(planner.Ders(row));
  return MeetingsOf(records);
}

}  // namespace kiremo::files
