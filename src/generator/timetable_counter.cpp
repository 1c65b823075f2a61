#include "generator/timetable_counter.h"

#include <algorithm>
#include <bit>
#include <map>
#include <string>
#include <unordered_map>

namespace kiremo::generator {

namespace {

// Past this many classes a level's cells are walked rather than tabled.
constexpr std::size_t kMaxClasses = 63;

std::size_t SetWords(int sections) { return std::max<std::size_t>(1, (static_cast<std::size_t>(sections) + 63) / 64); }

bool Disjoint(const std::uint64_t* a, const std::uint64_t* b, std::size_t words) {
  for (std::size_t w = 0; w < words; ++w) {
    if (a[w] & b[w]) return false;
  }
  return true;
}

}  // namespace

TimetableCounter::TimetableCounter(const std::vector<TTreeDers>& candidates,
                                   const std::vector<std::vector<int>>& levels, const ClashMasks& masks,
                                   const std::vector<int>& chosen)
    : words_(masks.words), section_of_(candidates.size(), -1), level_of_(candidates.size(), -1) {
  std::unordered_map<std::string, int> level_of_crn;
  for (std::size_t k = 0; k < chosen.size(); ++k) {
    for (const int c : levels[chosen[k]]) {
      level_of_[c] = static_cast<int>(k);
      auto [it, inserted] = level_of_crn.emplace(candidates[c].CRN, static_cast<int>(k));
      if (!inserted && it->second != static_cast<int>(k)) exact_ = false;
    }
  }
  for (std::size_t k = 0; k < chosen.size(); ++k)
    AddLevel(candidates, levels[chosen[k]], masks, k + 1 == chosen.size());
  LinkLevels();
  for (int from = 0; from + 2 < Levels(); ++from) ClassifyCells(from);
  PlanTail();
  tabled_below_.assign(levels_.size(), 0);
  for (int i = Levels() - 2; i >= 0; --i) {
    tabled_below_[i] = tabled_below_[i + 1] || !levels_[i + 1].class_of_byte.empty() || tail_.split == i + 1;
  }
}

void TimetableCounter::AddLevel(const std::vector<TTreeDers>& candidates, const std::vector<int>& members,
                                const ClashMasks& masks, bool last) {
  Level& level = levels_.emplace_back();
  std::map<std::vector<std::uint64_t>, int> section_of_mask;
  std::unordered_map<std::string, int> first_copy;  // CRN -> its first candidate here
  for (const int c : members) {
    // A section that clashes with itself leaves nothing below it.
    if (masks.self_clash[c] && !last) continue;
    auto [copy, first] = first_copy.emplace(candidates[c].CRN, c);
    if (!first) {
      const int o = copy->second;
      const bool same =
          masks.self_clash[o] == masks.self_clash[c] && std::equal(masks.Of(o), masks.Of(o) + words_, masks.Of(c));
      // Another copy of a section: its timetables repeat the first copy's.
      if (same) continue;
      exact_ = false;
    }
    std::vector<std::uint64_t> mask(masks.Of(c), masks.Of(c) + words_);
    // The last level is only ever counted by a population count, which
    // weights would slow down: its sections stay apart.
    if (last) mask.push_back(static_cast<std::uint64_t>(c));
    auto [it, inserted] = section_of_mask.emplace(mask, level.sections);
    if (inserted) {
      level.masks.insert(level.masks.end(), mask.begin(), mask.begin() + static_cast<std::ptrdiff_t>(words_));
      level.weights.push_back(0);
      ++level.sections;
    }
    ++level.weights[it->second];
    section_of_[c] = it->second;
  }
}

void TimetableCounter::LinkLevels() {
  for (Level& level : levels_) {
    level.avail_words = SetWords(level.sections);
    level.avail_at = avail_words_;
    avail_words_ += level.avail_words;
    single_words_ = single_words_ && level.avail_words == 1;
    const std::uint64_t heaviest =
        level.weights.empty() ? 1 : *std::max_element(level.weights.begin(), level.weights.end());
    const int bits = std::bit_width(heaviest);
    level.unweighted = heaviest <= 1;
    level.weight_bits = static_cast<std::size_t>(bits);
    level.planes.assign(static_cast<std::size_t>(bits) * level.avail_words, 0);
    for (int x = 0; x < level.sections; ++x) {
      for (int b = 0; b < bits; ++b) {
        if (level.weights[x] >> b & 1) level.planes[b * level.avail_words + x / 64] |= std::uint64_t{1} << (x % 64);
      }
    }
  }
  for (std::size_t i = 0; i < levels_.size(); ++i) {
    Level& level = levels_[i];
    const std::size_t below_at = i + 1 < levels_.size() ? levels_[i + 1].avail_at : avail_words_;
    level.fits_stride = avail_words_ - below_at;
    level.fits.assign(level.fits_stride * level.sections, 0);
    for (int x = 0; x < level.sections; ++x) {
      std::uint64_t* fits = level.fits.data() + x * level.fits_stride;
      for (std::size_t j = i + 1; j < levels_.size(); ++j) {
        const Level& other = levels_[j];
        for (int y = 0; y < other.sections; ++y) {
          if (Disjoint(level.masks.data() + x * words_, other.masks.data() + y * words_, words_))
            fits[other.avail_at - below_at + y / 64] |= std::uint64_t{1} << (y % 64);
        }
      }
    }
  }
}

// Cells that exactly the same sections of the levels from `from` on cover
// act as one for everything below it.
void TimetableCounter::ClassifyCells(int from) {
  const std::size_t bits = words_ * 64;
  std::map<std::vector<int>, int> class_of_cover;
  std::vector<int> class_of_bit(bits, -1);
  for (std::size_t bit = 0; bit < bits; ++bit) {
    std::vector<int> cover;
    int id = 0;
    for (std::size_t j = static_cast<std::size_t>(from); j < levels_.size(); ++j) {
      const Level& level = levels_[j];
      for (int x = 0; x < level.sections; ++x, ++id) {
        if (level.masks[x * words_ + bit / 64] >> (bit % 64) & 1) cover.push_back(id);
      }
    }
    if (cover.empty()) continue;
    class_of_bit[bit] = class_of_cover.emplace(cover, static_cast<int>(class_of_cover.size())).first->second;
    if (class_of_cover.size() > kMaxClasses) return;
  }
  std::vector<std::uint64_t>& table = levels_[from].class_of_byte;
  table.assign(words_ * 8 * 256, 0);
  for (std::size_t byte = 0; byte < words_ * 8; ++byte) {
    for (int value = 1; value < 256; ++value) {
      std::uint64_t classes = 0;
      for (int b = 0; b < 8; ++b) {
        const int id = class_of_bit[byte * 8 + b];
        if ((value >> b & 1) && id >= 0) classes |= std::uint64_t{1} << id;
      }
      table[byte * 256 + value] = classes;
    }
  }
}

}  // namespace kiremo::generator
