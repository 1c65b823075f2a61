#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace kiremo::generator {

// The generated timetables, compactly: for each one, the position of its
// section within each level's candidates, in as few bytes as the largest
// level needs. A level is one course row; levels run in ascending row order.
// Timetables are kept in fixed blocks, so that growing never copies them.
class Alternatives {
 public:
  Alternatives() = default;
  // `levels` holds each level's candidates (positions in the candidate list).
  explicit Alternatives(std::vector<std::vector<int>> levels);

  int Count() const { return count_; }
  int Levels() const { return static_cast<int>(levels_.size()); }
  const std::vector<int>& LevelCandidates(int level) const { return levels_[level]; }

  // The candidate that timetable k (0-based) takes on a level.
  int Candidate(int k, int level) const { return levels_[level][Position(k, level)]; }
  int Position(int k, int level) const;

  // Appends a timetable given by one position per level.
  void Add(const int* positions);

 private:
  static constexpr std::size_t kBlockBytes = 1 << 16;

  std::vector<std::vector<int>> levels_;
  int width_ = 1;              // bytes per position
  std::size_t record_ = 0;     // bytes per timetable
  std::size_t per_block_ = 0;  // timetables per block
  int count_ = 0;
  std::vector<std::unique_ptr<std::uint8_t[]>> blocks_;
};

}  // namespace kiremo::generator
