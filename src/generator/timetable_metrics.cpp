#include "generator/timetable_metrics.h"

#include <algorithm>
#include <bit>
#include <map>
#include <utility>

#include "text/text_helpers.h"

namespace kiremo::generator {

std::string StartText(const Metrics& metrics) {
  return metrics.first_hour < 0 ? std::string() : ClockText(metrics.first_hour, 30);
}

std::string EndText(const Metrics& metrics) {
  return metrics.last_hour < 0 ? std::string() : ClockText(metrics.last_hour + 1, 29);
}

MetricsTable::MetricsTable(const std::vector<TTreeDers>& candidates) : shapes_(candidates.size()) {
  std::map<std::string, int> building_ids;
  for (std::size_t c = 0; c < candidates.size(); ++c) {
    const TTreeDers& candidate = candidates[c];
    Shape& shape = shapes_[c];
    const std::size_t n = std::min(candidate.Days.size(), candidate.Slots.size());
    for (std::size_t k = 0; k < n; ++k) {
      const int day = StrToInt(candidate.Days[k]);
      if (day < 1 || day > 5) continue;
      const int hour = std::clamp(StrToInt(candidate.Slots[k]) + 7, 0, kHours - 1);
      shape.hours[day - 1] |= std::uint64_t{1} << hour;
      int building = -1;
      if (k < candidate.Buildings.size() && !candidate.Buildings[k].empty()) {
        building = building_ids.emplace(candidate.Buildings[k], static_cast<int>(building_ids.size())).first->second;
      }
      shape.cells.push_back(
          {static_cast<std::int16_t>((day - 1) * kHours + hour), static_cast<std::int16_t>(building)});
    }
  }
}

MetricsTable::DayHours MetricsTable::HoursOf(const int* path, int levels) const {
  DayHours hours{};
  for (int level = 0; level < levels; ++level) {
    const DayHours& shape = shapes_[path[level]].hours;
    for (int d = 0; d < 5; ++d) hours[d] |= shape[d];
  }
  return hours;
}

Metrics MetricsTable::Of(const int* path, int levels, bool with_walks) const {
  const DayHours hours = HoursOf(path, levels);
  Metrics metrics = FromHours(hours);
  if (with_walks) metrics.walks = Walks(path, levels, hours);
  return metrics;
}

void MetricsTable::WithFriends(std::vector<char> shared, const DayHours& busy) {
  has_friends_ = true;
  shared_ = std::move(shared);
  friends_busy_ = busy;
}

int MetricsTable::Shared(const int* path, int levels) const {
  int shared = 0;
  for (int level = 0; level < levels; ++level) shared += shared_[path[level]];
  return shared;
}

int MetricsTable::Walks(const int* path, int levels, const DayHours& hours) const {
  // Only the cells the masks mark are read back, so nothing needs clearing.
  std::array<std::int16_t, 5 * kHours> building_at;
  for (int level = 0; level < levels; ++level) {
    for (const Cell& cell : shapes_[path[level]].cells) building_at[cell.at] = cell.building;
  }
  // Without branches on the buildings, which follow no pattern.
  int walks = 0;
  for (int d = 0; d < 5; ++d) {
    int previous = -1;
    for (std::uint64_t rest = hours[d]; rest != 0; rest &= rest - 1) {
      const int building = building_at[d * kHours + std::countr_zero(rest)];
      const bool known = building >= 0;
      walks += static_cast<int>(known & (previous >= 0) & (building != previous));
      previous = known ? building : previous;
    }
  }
  return walks;
}

}  // namespace kiremo::generator
