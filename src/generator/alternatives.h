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
  // The candidates that timetable k takes, one per level, into `path`.
  void CandidatesOf(int k, int* path) const;

  // Appends timetable k of another list over the same levels.
  void AddFrom(const Alternatives& other, int k);
  // Appends a timetable given by one position per level.
  void Add(const int* positions) {
    if (room_ == 0 || width_ != 1) return AddWide(positions);
    // Locals, since the byte stores could alias any member.
    std::uint8_t* const cursor = cursor_;
    const std::size_t levels = record_;  // one byte per level
    for (std::size_t level = 0; level < levels; ++level) cursor[level] = static_cast<std::uint8_t>(positions[level]);
    cursor_ = cursor + levels;
    --room_;
    ++count_;
  }

 private:
  static constexpr std::size_t kBlockBytes = 1 << 16;

  // Add with a new block or with positions of more than one byte.
  void AddWide(const int* positions);
  void NewBlock();

  std::vector<std::vector<int>> levels_;
  int width_ = 1;            // bytes per position
  std::size_t record_ = 0;   // bytes per timetable
  int per_block_shift_ = 0;  // 2^per_block_shift_ timetables per block
  int count_ = 0;
  std::vector<std::unique_ptr<std::uint8_t[]>> blocks_;
  std::uint8_t* cursor_ = nullptr;  // where the next timetable goes in the last block
  std::size_t room_ = 0;            // timetables the last block still takes
};

}  // namespace kiremo::generator
