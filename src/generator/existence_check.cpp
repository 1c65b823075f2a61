#include "generator/existence_check.h"

#include <algorithm>

namespace kiremo::generator {

namespace {

using Mask = std::vector<std::uint64_t>;

bool Disjoint(const Mask& a, const Mask& b) {
  for (std::size_t w = 0; w < a.size(); ++w) {
    if (a[w] & b[w]) return false;
  }
  return true;
}

class Check {
 public:
  Check(std::vector<std::vector<Mask>> domains, std::int64_t budget)
      : domains_(std::move(domains)), assigned_(domains_.size(), false), budget_(budget) {}

  Existence Run() {
    if (!Consistent()) return Existence::None;
    if (domains_.empty()) return Existence::Found;
    Mask occupied(domains_[0].empty() ? 1 : domains_[0][0].size(), 0);
    const bool found = Extend(occupied, domains_.size());
    if (out_of_budget_) return Existence::Unknown;
    return found ? Existence::Found : Existence::None;
  }

 private:
  // Drops every section that fits no section of some other level, until
  // nothing changes; false when a level is left without sections.
  bool Consistent() {
    for (bool changed = true; changed;) {
      changed = false;
      for (std::size_t a = 0; a < domains_.size(); ++a) {
        auto supported = [&](const Mask& mask) {
          for (std::size_t b = 0; b < domains_.size(); ++b) {
            if (b == a) continue;
            const auto& other = domains_[b];
            if (std::none_of(other.begin(), other.end(), [&](const Mask& m) { return Disjoint(mask, m); }))
              return false;
          }
          return true;
        };
        const std::size_t before = domains_[a].size();
        std::erase_if(domains_[a], [&](const Mask& mask) { return !supported(mask); });
        if (domains_[a].empty()) return false;
        changed = changed || domains_[a].size() != before;
      }
    }
    return true;
  }

  // The unassigned level with the fewest sections that fit; -1 when one has none.
  int NextLevel(const Mask& occupied, std::size_t& fitting) const {
    int best = -1;
    fitting = 0;
    for (std::size_t level = 0; level < domains_.size(); ++level) {
      if (assigned_[level]) continue;
      const auto& domain = domains_[level];
      const auto count = static_cast<std::size_t>(
          std::count_if(domain.begin(), domain.end(), [&](const Mask& m) { return Disjoint(m, occupied); }));
      if (count == 0) return -1;
      if (best < 0 || count < fitting) {
        best = static_cast<int>(level);
        fitting = count;
      }
    }
    return best;
  }

  bool Extend(const Mask& occupied, std::size_t left) {
    if (left == 0) return true;
    std::size_t fitting = 0;
    const int level = NextLevel(occupied, fitting);
    if (level < 0) return false;
    assigned_[level] = true;
    Mask below(occupied.size());
    for (const Mask& mask : domains_[level]) {
      if (!Disjoint(mask, occupied)) continue;
      if (++nodes_ > budget_) {
        out_of_budget_ = true;
        break;
      }
      for (std::size_t w = 0; w < below.size(); ++w) below[w] = occupied[w] | mask[w];
      if (Extend(below, left - 1)) return true;
      if (out_of_budget_) break;
    }
    assigned_[level] = false;
    return false;
  }

  std::vector<std::vector<Mask>> domains_;
  std::vector<bool> assigned_;
  std::int64_t budget_;
  std::int64_t nodes_ = 0;
  bool out_of_budget_ = false;
};

}  // namespace

Existence AnyTimetable(const ClashMasks& masks, const std::vector<std::vector<int>>& levels,
                       const std::vector<int>& chosen, std::int64_t budget) {
  std::vector<std::vector<Mask>> domains;
  for (const int level : chosen) {
    std::vector<Mask>& domain = domains.emplace_back();
    for (const int c : levels[level]) {
      if (masks.self_clash[c] && level != chosen.back()) continue;
      domain.emplace_back(masks.Of(c), masks.Of(c) + masks.words);
    }
    std::sort(domain.begin(), domain.end());
    domain.erase(std::unique(domain.begin(), domain.end()), domain.end());
  }
  return Check(std::move(domains), budget).Run();
}

}  // namespace kiremo::generator
