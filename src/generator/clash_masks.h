#pragma once

#include <cstdint>
#include <vector>

#include "generator/tree_ders.h"

namespace kiremo::generator {

// The rows as levels: each distinct SectionCombo in the order of its first
// candidate, with its candidates in ascending position.
std::vector<std::vector<int>> GroupLevels(const std::vector<TTreeDers>& candidates);

// The clash test as bit masks. Only cells that two levels share can ever
// clash: each of them gets one bit, and a candidate's mask holds the bits of
// its cells. A candidate that lists one cell twice clashes with itself: it
// fits only on the last level, since every section below it clashes.
struct ClashMasks {
  ClashMasks(const std::vector<TTreeDers>& candidates, const std::vector<std::vector<int>>& levels);

  const std::uint64_t* Of(int candidate) const { return masks.data() + static_cast<std::size_t>(candidate) * words; }
  bool Clashes(int candidate, const std::uint64_t* occupied) const {
    const std::uint64_t* mask = Of(candidate);
    for (std::size_t w = 0; w < words; ++w) {
      if (mask[w] & occupied[w]) return true;
    }
    return false;
  }

  std::size_t words = 1;
  std::vector<std::uint64_t> masks;  // per candidate, `words` words
  std::vector<bool> self_clash;      // per candidate
};

}  // namespace kiremo::generator
