#pragma once

#include <cstdint>
#include <random>
#include <span>

namespace kiremo::demo {

// The demo term's only source of chance. std::mt19937's output is fixed by
// the standard for a given seed, but the standard distributions are not, so
// numbers are mapped to ranges here, the same way on every library.
class DemoRandom {
 public:
  explicit DemoRandom(std::uint32_t seed) : engine_(seed) {}

  // A number from 0 to n - 1; n > 0.
  std::uint32_t Below(std::uint32_t n) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(engine_()) * n) >> 32);
  }

  // A number from low to high, both included.
  int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<std::uint32_t>(high - low + 1))); }

  // True in `percent` cases out of a hundred.
  bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }

  template <typename T>
  const T& Pick(std::span<const T> items) {
    return items[Below(static_cast<std::uint32_t>(items.size()))];
  }

 private:
  std::mt19937 engine_;
};

}  // namespace kiremo::demo
