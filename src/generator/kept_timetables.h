#pragma once

#include <cstdint>
#include <vector>

#include "generator/alternatives.h"
#include "generator/sort_keys.h"
#include "generator/timetable_metrics.h"

namespace kiremo::generator {

// What a search keeps of the distinct timetables it finds, and how many it
// found. Without keys it keeps the first `limit` in the order found; with
// keys the best `limit` of all of them by the keys, a tie going to the one
// found first. The kept ones come out in the order found either way.
class KeptTimetables {
 public:
  KeptTimetables(std::vector<std::vector<int>> levels, int limit, SortKeys keys, const MetricsTable& metrics);

  // The next distinct timetable, as its position within each level and as
  // its candidates.
  void Offer(const int* positions, const int* path);
  // Further offers are only counted: the first `limit` are kept already.
  bool CountsOnly() const { return keys_.empty() && total_ >= limit_; }
  // Counts a timetable without offering it, once CountsOnly().
  void CountUnkept() { ++total_; }

  std::int64_t Total() const { return total_; }
  // The kept timetables, in the order found.
  Alternatives Take();

 private:
  // Candidates for the best `limit`, with their rank and the order found;
  // cut back to the best `limit` whenever it holds twice as many.
  struct Contender {
    std::uint64_t rank = 0;
    std::int64_t found = 0;
    int at = 0;  // its entry in pool_
  };
  void OfferRanked(const int* positions, const int* path);
  void KeepBest();

  int limit_;
  SortKeys keys_;
  const MetricsTable& metrics_;
  bool walks_;
  Alternatives first_;  // without keys: the kept timetables
  std::int64_t total_ = 0;
  std::vector<std::vector<int>> levels_of_pool_;
  Alternatives pool_;  // with keys: the contenders' positions
  std::vector<Contender> contenders_;
  bool cut_ = false;              // contenders were cut back at least once
  std::uint64_t worst_rank_ = 0;  // after a cut: an offer ranked this or worse cannot win
  std::vector<int> positions_;
};

}  // namespace kiremo::generator
