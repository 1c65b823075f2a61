#pragma once

#include <cstdint>
#include <vector>

#include "generator/alternatives.h"

namespace kiremo::generator {

// What a search keeps of the distinct timetables it finds, and how many it
// found. Unranked it keeps the first `limit` in the order found; ranked, the
// `limit` of all of them with the smallest ranks, a tie going to the one
// found first. The kept ones come out in the order found either way.
class KeptTimetables {
 public:
  KeptTimetables(std::vector<std::vector<int>> levels, int limit, bool ranked);

  // The next distinct timetable, as its position within each level, with
  // its rank when ranked.
  void Offer(const int* positions, std::uint64_t rank) {
    if (ranked_) {
      OfferRanked(positions, rank);
    } else if (total_ < limit_) {
      kept_.Add(positions);
    }
    ++total_;
  }

  std::int64_t Total() const { return total_; }
  // The kept timetables, in the order found, and when ranked their ranks.
  Alternatives Take();
  std::vector<std::uint64_t> TakeRanks();

 private:
  void OfferRanked(const int* positions, std::uint64_t rank);
  void KeepBest();

  std::vector<std::vector<int>> levels_;
  int limit_;
  bool ranked_;
  Alternatives kept_;                 // ranked: the contenders, cut back to the best `limit` whenever twice as many
  std::vector<std::uint64_t> ranks_;  // ranked: each contender's rank
  std::int64_t total_ = 0;
  bool cut_ = false;              // contenders were cut back at least once
  std::uint64_t worst_rank_ = 0;  // after a cut, an offer ranked this or worse cannot win (it is found later)
};

}  // namespace kiremo::generator
