#include "generator/alternatives.h"

#include <algorithm>
#include <cstddef>

namespace kiremo::generator {

Alternatives::Alternatives(std::vector<std::vector<int>> levels) : levels_(std::move(levels)) {
  std::size_t largest = 0;
  for (const auto& level : levels_) largest = std::max(largest, level.size());
  width_ = largest <= 0x100 ? 1 : largest <= 0x10000 ? 2 : 4;
  record_ = std::max<std::size_t>(1, levels_.size() * width_);
  per_block_ = std::max<std::size_t>(1, kBlockBytes / record_);
}

int Alternatives::Position(int k, int level) const {
  const auto at = static_cast<std::size_t>(k);
  const std::uint8_t* bytes = blocks_[at / per_block_].get() + (at % per_block_) * record_ + level * width_;
  int value = 0;
  for (int b = width_ - 1; b >= 0; --b) value = (value << 8) | bytes[b];
  return value;
}

void Alternatives::Add(const int* positions) {
  const auto at = static_cast<std::size_t>(count_);
  if (at % per_block_ == 0) blocks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(per_block_ * record_));
  std::uint8_t* bytes = blocks_.back().get() + (at % per_block_) * record_;
  for (std::size_t level = 0; level < levels_.size(); ++level) {
    const auto value = static_cast<unsigned>(positions[level]);
    for (int b = 0; b < width_; ++b) *bytes++ = static_cast<std::uint8_t>(value >> (8 * b));
  }
  ++count_;
}

}  // namespace kiremo::generator
