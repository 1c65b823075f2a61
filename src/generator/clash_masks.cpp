#include "generator/clash_masks.h"

#include <algorithm>
#include <map>
#include <utility>

#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

using Cell = std::pair<int, int>;  // day, slot

std::vector<Cell> Cells(const TTreeDers& candidate) {
  std::vector<Cell> cells;
  const std::size_t n = std::min(candidate.Days.size(), candidate.Slots.size());
  for (std::size_t k = 0; k < n; ++k) cells.emplace_back(StrToInt(candidate.Days[k]), StrToInt(candidate.Slots[k]));
  return cells;
}

}  // namespace

std::vector<std::vector<int>> GroupLevels(const std::vector<TTreeDers>& candidates) {
  std::vector<std::vector<int>> levels;
  std::map<int, int> level_of_combo;
  for (int c = 0; c < static_cast<int>(candidates.size()); ++c) {
    auto [it, inserted] = level_of_combo.emplace(candidates[c].SectionCombo, static_cast<int>(levels.size()));
    if (inserted) levels.emplace_back();
    levels[it->second].push_back(c);
  }
  return levels;
}

ClashMasks::ClashMasks(const std::vector<TTreeDers>& candidates, const std::vector<std::vector<int>>& levels) {
  std::vector<std::vector<Cell>> cells(candidates.size());
  std::map<Cell, int> first_level;  // -1 once a second level uses the cell
  self_clash.assign(candidates.size(), false);
  for (int level = 0; level < static_cast<int>(levels.size()); ++level) {
    for (const int c : levels[level]) {
      cells[c] = Cells(candidates[c]);
      std::vector<Cell> sorted = cells[c];
      std::sort(sorted.begin(), sorted.end());
      self_clash[c] = std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
      for (const Cell& cell : sorted) {
        auto [it, inserted] = first_level.emplace(cell, level);
        if (!inserted && it->second != level) it->second = -1;
      }
    }
  }
  std::map<Cell, int> bit;
  for (const auto& [cell, level] : first_level) {
    if (level < 0) bit.emplace(cell, static_cast<int>(bit.size()));
  }
  words = std::max<std::size_t>(1, (bit.size() + 63) / 64);
  masks.assign(candidates.size() * words, 0);
  for (std::size_t c = 0; c < candidates.size(); ++c) {
    for (const Cell& cell : cells[c]) {
      auto found = bit.find(cell);
      if (found != bit.end()) masks[c * words + found->second / 64] |= std::uint64_t{1} << (found->second % 64);
    }
  }
}

}  // namespace kiremo::generator
