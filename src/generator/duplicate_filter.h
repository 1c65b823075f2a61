#pragma once

#include <cstdint>
#include <vector>

#include "generator/alternatives.h"
#include "generator/tree_ders.h"

namespace kiremo::generator {

// Decides on the fly which timetables survive: one is left out when every
// CRN it holds occurs in a timetable kept before it (equal texts, in
// whatever rows). With distinct CRNs that is equality of the CRN sets, found
// by hashing; a timetable that holds one CRN twice is tested for inclusion
// against the kept timetables that share its rarest CRN.
class DuplicateFilter {
 public:
  // `levels` holds each level's candidates (positions in the candidate list).
  DuplicateFilter(const std::vector<TTreeDers>& candidates, const std::vector<std::vector<int>>& levels);

  // False when no CRN belongs to two candidates: then every timetable is new.
  bool Active() const { return shared_; }
  // `path` holds one candidate (a position in the candidate list) per level.
  bool IsNew(const int* path);
  // The timetable IsNew just let through, as its position within each level.
  void Remember(const int* positions);
  // Comparisons made so far, for pacing the progress polls.
  std::int64_t Work() const { return work_; }

 private:
  struct Slot {
    std::uint32_t kept_plus_one = 0;
    std::uint32_t hash = 0;
  };
  // The sorted CRN ids of a timetable; false when one id occurs twice.
  bool SortedIds(const int* path, std::vector<int>& ids) const;
  bool SameSetKept(int k, const std::vector<int>& sorted);
  void Grow();

  Alternatives kept_;         // every timetable let through, when duplicates can arise
  std::vector<int> crn_id_;   // per candidate
  bool shared_ = false;       // some CRN belongs to two candidates: duplicates can arise
  bool cross_level_ = false;  // some CRN belongs to two levels: a timetable can hold it twice
  std::vector<Slot> table_;   // open addressing, kept timetables with distinct CRNs
  std::size_t used_ = 0;
  std::vector<std::vector<std::uint32_t>> holders_;  // per CRN id, the kept timetables holding it
  std::vector<int> ids_;
  std::vector<int> other_;
  std::vector<int> path_;
  bool pending_distinct_ = false;
  std::uint32_t pending_hash_ = 0;
  std::int64_t work_ = 0;
};

}  // namespace kiremo::generator
