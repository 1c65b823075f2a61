#include "generator/existence_check.h"

#include <algorithm>
#include <bit>
#include <map>

#include "generator/timetable_counter.h"

namespace kiremo::generator {

namespace {

using Mask = std::vector<std::uint64_t>;

bool Disjoint(const Mask& a, const Mask& b) {
  for (std::size_t w = 0; w < a.size(); ++w) {
    if (a[w] & b[w]) return false;
  }
  return true;
}

// Cells that exactly the same sections cover act as one: they become one
// bit, so that a block of hours that always comes whole counts once when
// courses are matched to cells below.
std::vector<std::vector<Mask>> MergeCells(const std::vector<std::vector<Mask>>& domains, std::size_t words) {
  std::map<std::vector<std::size_t>, std::size_t> class_of;  // the sections covering a cell -> its class
  std::vector<std::size_t> class_of_bit(words * 64, SIZE_MAX);
  for (std::size_t bit = 0; bit < words * 64; ++bit) {
    std::vector<std::size_t> covering;
    std::size_t section = 0;
    for (const auto& domain : domains) {
      for (const Mask& mask : domain) {
        if (mask[bit / 64] >> (bit % 64) & 1) covering.push_back(section);
        ++section;
      }
    }
    if (!covering.empty()) class_of_bit[bit] = class_of.emplace(covering, class_of.size()).first->second;
  }
  const std::size_t merged_words = std::max<std::size_t>(1, (class_of.size() + 63) / 64);
  std::vector<std::vector<Mask>> merged(domains.size());
  for (std::size_t level = 0; level < domains.size(); ++level) {
    for (const Mask& mask : domains[level]) {
      Mask& out = merged[level].emplace_back(merged_words, 0);
      for (std::size_t bit = 0; bit < words * 64; ++bit) {
        if (mask[bit / 64] >> (bit % 64) & 1)
          out[class_of_bit[bit] / 64] |= std::uint64_t{1} << (class_of_bit[bit] % 64);
      }
    }
    std::sort(merged[level].begin(), merged[level].end());
    merged[level].erase(std::unique(merged[level].begin(), merged[level].end()), merged[level].end());
  }
  return merged;
}

// Every course must take at least one cell that no other course takes (its
// section's cells are its own), so the courses left must be matched to
// distinct cells among those their fitting sections cover; a course with a
// fitting section of no shared cell needs none.
class CellMatching {
 public:
  // `cells` per course: the union of its fitting sections' cells, or
  // nothing when it needs none.
  static bool Possible(const std::vector<const Mask*>& cells) {
    if (cells.empty()) return true;
    CellMatching matching(cells);
    for (std::size_t course = 0; course < cells.size(); ++course) {
      std::fill(matching.seen_.begin(), matching.seen_.end(), false);
      if (!matching.Augment(course)) return false;
    }
    return true;
  }

 private:
  explicit CellMatching(const std::vector<const Mask*>& cells)
      : cells_(cells), owner_(cells[0]->size() * 64, SIZE_MAX), seen_(owner_.size(), false) {}

  bool Augment(std::size_t course) {
    const Mask& mask = *cells_[course];
    for (std::size_t w = 0; w < mask.size(); ++w) {
      for (std::uint64_t rest = mask[w]; rest != 0; rest &= rest - 1) {
        const std::size_t cell = w * 64 + static_cast<std::size_t>(std::countr_zero(rest));
        if (seen_[cell]) continue;
        seen_[cell] = true;
        if (owner_[cell] == SIZE_MAX || Augment(owner_[cell])) {
          owner_[cell] = course;
          return true;
        }
      }
    }
    return false;
  }

  const std::vector<const Mask*>& cells_;
  std::vector<std::size_t> owner_;
  std::vector<bool> seen_;
};

class Check {
 public:
  Check(std::vector<std::vector<Mask>> domains, std::int64_t budget)
      : domains_(std::move(domains)),
        words_(domains_[0][0].size()),
        assigned_(domains_.size(), false),
        union_(domains_.size(), Mask(words_)),
        budget_(budget) {}

  Existence Run() {
    if (!Consistent()) return Existence::None;
    const bool found = Extend(Mask(words_, 0), domains_.size());
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
            const auto& other = domains_[b];
            if (b != a && std::none_of(other.begin(), other.end(), [&](const Mask& m) { return Disjoint(mask, m); }))
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

  // The unassigned level with the fewest sections that fit; -1 when one has
  // none, or when the levels left cannot all get a cell of their own.
  int NextLevel(const Mask& occupied) {
    int best = -1;
    std::size_t fewest = 0;
    std::vector<const Mask*> needing_cells;
    for (std::size_t level = 0; level < domains_.size(); ++level) {
      if (assigned_[level]) continue;
      std::size_t fitting = 0;
      bool needs_cell = true;
      std::fill(union_[level].begin(), union_[level].end(), 0);
      for (const Mask& mask : domains_[level]) {
        if (!Disjoint(mask, occupied)) continue;
        ++fitting;
        needs_cell = needs_cell && std::any_of(mask.begin(), mask.end(), [](std::uint64_t w) { return w != 0; });
        for (std::size_t w = 0; w < words_; ++w) union_[level][w] |= mask[w];
      }
      if (fitting == 0) return -1;
      if (needs_cell) needing_cells.push_back(&union_[level]);
      if (best < 0 || fitting < fewest) {
        best = static_cast<int>(level);
        fewest = fitting;
      }
    }
    return CellMatching::Possible(needing_cells) ? best : -1;
  }

  bool Extend(const Mask& occupied, std::size_t left) {
    if (left == 0) return true;
    const int level = NextLevel(occupied);
    if (level < 0) return false;
    assigned_[level] = true;
    Mask below(words_);
    for (const Mask& mask : domains_[level]) {
      if (!Disjoint(mask, occupied)) continue;
      if (++nodes_ > budget_) {
        out_of_budget_ = true;
        break;
      }
      for (std::size_t w = 0; w < words_; ++w) below[w] = occupied[w] | mask[w];
      if (Extend(below, left - 1)) return true;
      if (out_of_budget_) break;
    }
    assigned_[level] = false;
    return false;
  }

  std::vector<std::vector<Mask>> domains_;
  std::size_t words_;
  std::vector<bool> assigned_;
  std::vector<Mask> union_;  // per level, scratch for NextLevel
  std::int64_t budget_;
  std::int64_t nodes_ = 0;
  bool out_of_budget_ = false;
};

}  // namespace

Existence AnyTimetable(const ClashMasks& masks, const std::vector<std::vector<int>>& levels,
                       const std::vector<int>& chosen, std::int64_t budget) {
  if (chosen.empty()) return Existence::Found;
  std::vector<std::vector<Mask>> domains;
  for (const int level : chosen) {
    std::vector<Mask>& domain = domains.emplace_back();
    for (const int c : levels[level]) {
      if (masks.self_clash[c] && level != chosen.back()) continue;
      domain.emplace_back(masks.Of(c), masks.Of(c) + masks.words);
    }
    if (domain.empty()) return Existence::None;
  }
  return Check(MergeCells(domains, masks.words), budget).Run();
}

Existence TimetablesExist(const std::vector<TTreeDers>& candidates, const ClashMasks& masks,
                          const std::vector<std::vector<int>>& levels, const std::vector<int>& chosen,
                          std::int64_t budget) {
  const Existence quick = AnyTimetable(masks, levels, chosen, budget);
  if (quick != Existence::Unknown) return quick;
  const TimetableCounter counter(candidates, levels, masks, chosen);
  CountRun run(counter, nullptr, budget);
  const std::optional<std::uint64_t> count = run.All();
  if (!count) return Existence::Unknown;
  return *count > 0 ? Existence::Found : Existence::None;
}

}  // namespace kiremo::generator
