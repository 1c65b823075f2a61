#include "generator/sort_keys.h"

#include <algorithm>

#include "generator/preference_metrics.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

constexpr SortKey kAllKeys[] = {SortKey::Days,  SortKey::Gaps,  SortKey::Late,   SortKey::Early,
                                SortKey::Walks, SortKey::Lunch, SortKey::Streak, SortKey::Friends};
// Above any number of sections or of free hours in a week.
constexpr int kManyHours = 63;
constexpr int kKeyBits = 12;  // kMaxKeyValue fits

}  // namespace

std::string_view KeyWord(SortKey key) {
  switch (key) {
    case SortKey::Days: return "days";
    case SortKey::Gaps: return "gaps";
    case SortKey::Late: return "late";
    case SortKey::Early: return "early";
    case SortKey::Walks: return "walks";
    case SortKey::Lunch: return "lunch";
    case SortKey::Streak: return "streak";
    case SortKey::Friends: return "friends";
  }
  return {};
}

std::string KeyWords() {
  std::string words;
  for (const SortKey key : kAllKeys) words += (words.empty() ? "" : ", ") + std::string(KeyWord(key));
  return words;
}

std::optional<SortKeys> ParseSortKeys(std::string_view words) {
  SortKeys keys;
  for (const std::string& word : Explode(std::string(words), ",")) {
    const auto* key = std::find_if(std::begin(kAllKeys), std::end(kAllKeys),
                                   [&](SortKey k) { return KeyWord(k) == Trim(LowerAscii(word)); });
    if (key == std::end(kAllKeys)) return std::nullopt;
    if (std::find(keys.begin(), keys.end(), *key) == keys.end()) keys.push_back(*key);
  }
  if (keys.empty()) return std::nullopt;
  return keys;
}

bool NeedsWalks(const SortKeys& keys) { return std::find(keys.begin(), keys.end(), SortKey::Walks) != keys.end(); }

bool NeedsSpan(const SortKeys& keys) {
  return std::any_of(keys.begin(), keys.end(),
                     [](SortKey k) { return k == SortKey::Gaps || k == SortKey::Late || k == SortKey::Early; });
}

bool NeedsFriends(const SortKeys& keys) { return std::find(keys.begin(), keys.end(), SortKey::Friends) != keys.end(); }

bool NeedsPreferences(const SortKeys& keys) {
  return std::any_of(keys.begin(), keys.end(),
                     [](SortKey k) { return k == SortKey::Lunch || k == SortKey::Streak || k == SortKey::Friends; });
}

namespace {

void AddFriends(Metrics& metrics, const MetricsTable& table, const int* path, int levels,
                const MetricsTable::DayHours& hours) {
  metrics.shared = table.HasFriends() ? table.Shared(path, levels) : 0;
  metrics.common_free = CommonFreeHours(hours, table.FriendsBusy());
}

}  // namespace

void AddPreferences(Metrics& metrics, const MetricsTable& table, const int* path, int levels,
                    const MetricsTable::DayHours& hours, const SortKeys& keys) {
  for (const SortKey key : keys) {
    switch (key) {
      case SortKey::Lunch: metrics.lunch = LunchlessDays(hours); break;
      case SortKey::Streak: metrics.streak = LongestStreak(hours); break;
      case SortKey::Friends: AddFriends(metrics, table, path, levels, hours); break;
      default: break;
    }
  }
}

void AddAllPreferences(Metrics& metrics, const MetricsTable& table, const int* path, int levels,
                       const MetricsTable::DayHours& hours) {
  metrics.lunch = LunchlessDays(hours);
  metrics.streak = LongestStreak(hours);
  if (table.HasFriends()) AddFriends(metrics, table, path, levels, hours);
}

int KeyValue(const Metrics& metrics, SortKey key) {
  int value = 0;
  switch (key) {
    case SortKey::Days: value = metrics.days; break;
    case SortKey::Gaps: value = metrics.gaps; break;
    // Without classes a timetable starts as late and ends as early as any.
    case SortKey::Late: value = metrics.first_hour < 0 ? 0 : 64 - metrics.first_hour; break;
    case SortKey::Early: value = metrics.last_hour + 1; break;
    case SortKey::Walks: value = metrics.walks; break;
    case SortKey::Lunch: value = metrics.lunch; break;
    case SortKey::Streak: value = metrics.streak; break;
    // More shared sections first, then more common free hours.
    case SortKey::Friends:
      value = (kManyHours - std::min(metrics.shared, kManyHours)) * (kManyHours + 1) +
              (kManyHours - std::min(metrics.common_free, kManyHours));
      break;
  }
  return std::min(value, kMaxKeyValue);
}

std::uint64_t Rank(const Metrics& metrics, const SortKeys& keys) {
  std::uint64_t rank = 0;
  for (const SortKey key : keys) rank = (rank << kKeyBits) | static_cast<std::uint64_t>(KeyValue(metrics, key));
  return rank;
}

bool KeyGrows(SortKey key) {
  switch (key) {
    case SortKey::Days:   // a day with a class keeps it
    case SortKey::Late:   // the first class can only move earlier
    case SortKey::Early:  // the last class can only move later
    case SortKey::Lunch:  // a class never frees an hour
    case SortKey::Streak: return true;
    case SortKey::Gaps:     // a section can fill a gap
    case SortKey::Walks:    // grows too, but costs a walk over the cells
    case SortKey::Friends:  // a shared section makes it better
      return false;
  }
  return false;
}

bool KeysBound(const SortKeys& keys) { return !keys.empty() && KeyGrows(keys.front()); }

std::uint64_t RankFloor(const MetricsTable::DayHours& part, const SortKeys& keys) {
  Metrics metrics = MetricsTable::FromHours(part, NeedsSpan(keys));
  metrics.lunch = LunchlessDays(part);
  metrics.streak = LongestStreak(part);
  std::uint64_t rank = 0;
  bool bound = true;
  for (const SortKey key : keys) {
    bound = bound && KeyGrows(key);
    rank = (rank << kKeyBits) | (bound ? static_cast<std::uint64_t>(KeyValue(metrics, key)) : 0);
  }
  return rank;
}

const std::vector<SortChoice>& SortChoices() {
  // Converted at compile time, apart from the vector built at run time.
  static constexpr std::string_view kTexts[] = {
      "Oluşturma sırası"_w,       "En az gün"_w,       "En az boşluk"_w,       "En geç başlayan"_w, "En erken biten"_w,
      "En az bina değişikliği"_w, "Öğle arası olan"_w, "En kısa ders dizisi"_w};
  static const std::vector<SortChoice> choices = {
      {kTexts[0], "", {}},
      {kTexts[1], "days", {SortKey::Days}},
      {kTexts[2], "gaps", {SortKey::Gaps}},
      {kTexts[3], "late", {SortKey::Late}},
      {kTexts[4], "early", {SortKey::Early}},
      {kTexts[5], "walks", {SortKey::Walks}},
      {kTexts[6], "lunch", {SortKey::Lunch}},
      {kTexts[7], "streak", {SortKey::Streak}},
  };
  return choices;
}

}  // namespace kiremo::generator
