#include "generator/alternatives.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace kiremo::generator {

Alternatives::Alternatives(std::vector<std::vector<int>> levels) : levels_(std::move(levels)) {
  std::size_t largest = 0;
  for (const auto& level : levels_) largest = std::max(largest, level.size());
  width_ = largest <= 0x100 ? 1 : largest <= 0x10000 ? 2 : 4;
  record_ = levels_.size() * width_;
  per_block_shift_ = std::bit_width(std::max<std::size_t>(1, kBlockBytes / std::max<std::size_t>(1, record_))) - 1;
}

int Alternatives::Position(int k, int level) const {
  const auto at = static_cast<std::size_t>(k);
  const std::size_t in_block = at & ((std::size_t{1} << per_block_shift_) - 1);
  const std::uint8_t* bytes = blocks_[at >> per_block_shift_].get() + in_block * record_ + level * width_;
  if (width_ == 1) return bytes[0];
  int value = 0;
  for (int b = width_ - 1; b >= 0; --b) value = (value << 8) | bytes[b];
  return value;
}

void Alternatives::CandidatesOf(int k, int* path) const {
  const auto at = static_cast<std::size_t>(k);
  const std::size_t in_block = at & ((std::size_t{1} << per_block_shift_) - 1);
  const std::uint8_t* bytes = blocks_[at >> per_block_shift_].get() + in_block * record_;
  for (std::size_t level = 0; level < levels_.size(); ++level) {
    int position = 0;
    for (int b = width_ - 1; b >= 0; --b) position = (position << 8) | bytes[level * width_ + b];
    path[level] = levels_[level][position];
  }
}

void Alternatives::NewBlock() {
  const std::size_t per_block = std::size_t{1} << per_block_shift_;
  blocks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(per_block * record_));
  cursor_ = blocks_.back().get();
  room_ = per_block;
}

void Alternatives::AddFrom(const Alternatives& other, int k) {
  const auto at = static_cast<std::size_t>(k);
  const std::size_t in_block = at & ((std::size_t{1} << other.per_block_shift_) - 1);
  const std::uint8_t* record = other.blocks_[at >> other.per_block_shift_].get() + in_block * other.record_;
  if (room_ == 0) NewBlock();
  std::copy(record, record + record_, cursor_);
  cursor_ += record_;
  --room_;
  ++count_;
}

void Alternatives::AddWide(const int* positions) {
  if (room_ == 0) NewBlock();
  const std::size_t levels = levels_.size();
  if (width_ == 1) {
    for (std::size_t level = 0; level < levels; ++level) cursor_[level] = static_cast<std::uint8_t>(positions[level]);
  } else {
    std::uint8_t* bytes = cursor_;
    for (std::size_t level = 0; level < levels; ++level) {
      const auto value = static_cast<unsigned>(positions[level]);
      for (int b = 0; b < width_; ++b) *bytes++ = static_cast<std::uint8_t>(value >> (8 * b));
    }
  }
  cursor_ += record_;
  --room_;
  ++count_;
}

}  // namespace kiremo::generator
