#include "generator/duplicate_filter.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace kiremo::generator {

namespace {

std::uint32_t HashIds(const std::vector<int>& sorted) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull;
  for (const int id : sorted) {
    h ^= static_cast<std::uint32_t>(id);
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
  }
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

}  // namespace

DuplicateFilter::DuplicateFilter(const std::vector<TTreeDers>& candidates, const std::vector<std::vector<int>>& levels)
    : crn_id_(candidates.size(), -1) {
  std::unordered_map<std::string, int> ids;
  std::vector<int> level_of(candidates.size(), -1);
  for (int level = 0; level < static_cast<int>(levels.size()); ++level) {
    for (const int c : levels[level]) level_of[c] = level;
  }
  std::vector<int> first_level;  // per id, the level of its first holder
  for (std::size_t c = 0; c < candidates.size(); ++c) {
    if (level_of[c] < 0) continue;
    auto [it, inserted] = ids.emplace(candidates[c].CRN, static_cast<int>(ids.size()));
    crn_id_[c] = it->second;
    if (inserted) {
      first_level.push_back(level_of[c]);
    } else {
      shared_ = true;
      if (first_level[it->second] != level_of[c]) cross_level_ = true;
    }
  }
  if (cross_level_) holders_.resize(ids.size());
  if (shared_) kept_ = Alternatives(levels);
  path_.resize(levels.size());
}

bool DuplicateFilter::SortedIds(const int* path, std::vector<int>& ids) const {
  ids.clear();
  for (int level = 0; level < kept_.Levels(); ++level) ids.push_back(crn_id_[path[level]]);
  std::sort(ids.begin(), ids.end());
  return std::adjacent_find(ids.begin(), ids.end()) == ids.end();
}

bool DuplicateFilter::SameSetKept(int k, const std::vector<int>& sorted) {
  for (int level = 0; level < kept_.Levels(); ++level) path_[level] = kept_.Candidate(k, level);
  SortedIds(path_.data(), other_);
  return other_ == sorted;
}

bool DuplicateFilter::IsNew(const int* path) {
  pending_distinct_ = false;
  if (!shared_) return true;
  const bool distinct = SortedIds(path, ids_);
  if (distinct) {
    pending_distinct_ = true;
    pending_hash_ = HashIds(ids_);
    if (table_.empty()) return true;
    const std::size_t mask = table_.size() - 1;
    for (std::size_t at = pending_hash_ & mask;; at = (at + 1) & mask) {
      const Slot& slot = table_[at];
      if (slot.kept_plus_one == 0) return true;
      ++work_;
      if (slot.hash == pending_hash_ && SameSetKept(static_cast<int>(slot.kept_plus_one - 1), ids_)) return false;
    }
  }
  // One CRN twice: the timetable is left out when a kept one holds all of
  // its CRNs. Only kept timetables that hold its rarest CRN can.
  ids_.erase(std::unique(ids_.begin(), ids_.end()), ids_.end());
  int rarest = ids_.front();
  for (const int id : ids_) {
    if (holders_[id].size() < holders_[rarest].size()) rarest = id;
  }
  for (const std::uint32_t k : holders_[rarest]) {
    ++work_;
    bool all = true;
    for (const int id : ids_) {
      bool found = false;
      for (int level = 0; level < kept_.Levels() && !found; ++level) found = crn_id_[kept_.Candidate(k, level)] == id;
      if (!found) {
        all = false;
        break;
      }
    }
    if (all) return false;
  }
  return true;
}

void DuplicateFilter::Remember(const int* positions) {
  if (!shared_) return;
  const int k = kept_.Count();
  kept_.Add(positions);
  if (pending_distinct_) {
    if ((used_ + 1) * 2 > table_.size()) Grow();
    const std::size_t mask = table_.size() - 1;
    std::size_t at = pending_hash_ & mask;
    while (table_[at].kept_plus_one != 0) at = (at + 1) & mask;
    table_[at] = {static_cast<std::uint32_t>(k) + 1, pending_hash_};
    ++used_;
  }
  if (cross_level_) {
    ids_.clear();
    for (int level = 0; level < kept_.Levels(); ++level) ids_.push_back(crn_id_[kept_.Candidate(k, level)]);
    std::sort(ids_.begin(), ids_.end());
    ids_.erase(std::unique(ids_.begin(), ids_.end()), ids_.end());
    for (const int id : ids_) holders_[id].push_back(static_cast<std::uint32_t>(k));
  }
}

void DuplicateFilter::Grow() {
  std::vector<Slot> old = std::move(table_);
  table_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
  const std::size_t mask = table_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.kept_plus_one == 0) continue;
    std::size_t at = slot.hash & mask;
    while (table_[at].kept_plus_one != 0) at = (at + 1) & mask;
    table_[at] = slot;
  }
}

}  // namespace kiremo::generator
