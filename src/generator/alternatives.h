#pragma once

#include <cstdint>
#include <vector>

namespace kiremo::generator {

// The generated timetables, compactly: for each one, the position of its
// section within each level's candidates, in as few bytes as the largest
// level needs. A level is one course row; levels run in ascending row order.
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
  std::vector<std::vector<int>> levels_;
  int width_ = 1;  // bytes per position
  int count_ = 0;
  std::vector<std::uint8_t> packed_;
};

}  // namespace kiremo::generator
