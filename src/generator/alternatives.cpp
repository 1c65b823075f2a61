#include "generator/alternatives.h"

#include <algorithm>
#include <cstddef>

namespace kiremo::generator {

Alternatives::Alternatives(std::vector<std::vector<int>> levels) : levels_(std::move(levels)) {
  std::size_t largest = 0;
  for (const auto& level : levels_) largest = std::max(largest, level.size());
  width_ = largest <= 0x100 ? 1 : largest <= 0x10000 ? 2 : 4;
}

int Alternatives::Position(int k, int level) const {
  const std::size_t at = (static_cast<std::size_t>(k) * levels_.size() + level) * width_;
  int value = 0;
  for (int b = width_ - 1; b >= 0; --b) value = (value << 8) | packed_[at + b];
  return value;
}

void Alternatives::Add(const int* positions) {
  for (std::size_t level = 0; level < levels_.size(); ++level) {
    const auto value = static_cast<unsigned>(positions[level]);
    for (int b = 0; b < width_; ++b) packed_.push_back(static_cast<std::uint8_t>(value >> (8 * b)));
  }
  ++count_;
}

}  // namespace kiremo::generator
