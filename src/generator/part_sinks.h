#pragma once

#include <mutex>
#include <optional>

#include "generator/alternatives.h"
#include "generator/ranked_keep.h"

namespace kiremo::generator {

// The sinks of SubtreeWalk for the parts of a parallel search.

// Unranked: the part's timetables in the order met, up to `cap`.
class ListSink {
 public:
  ListSink(const std::vector<std::vector<int>>& levels, int cap) : list(levels), cap_(cap) {}
  bool Take(const int* positions, std::uint64_t) {
    list.Add(positions);
    return list.Count() < cap_;
  }
  bool Beaten(std::uint64_t) const { return false; }
  void Refresh() {}

  Alternatives list;

 private:
  int cap_;
};

// Ranked: offers to the thread's keep whatever can still win.
class RankSink {
 public:
  RankSink(RankedKeep& keep, SharedBar& shared, int item) : keep_(keep), shared_(shared), item_(item) {
    Refresh();
    const std::lock_guard lock(keep_.Lock());
    Lower(keep_.Bar());
  }

  bool Take(const int* positions, std::uint64_t rank) {
    const Standing standing{rank, item_};
    if (bar_ && standing >= *bar_) return true;
    std::optional<Standing> own;
    {
      const std::lock_guard lock(keep_.Lock());
      keep_.Add(positions, standing);
      own = keep_.Bar();
    }
    if (own && (!bar_ || *own < *bar_)) {
      bar_ = own;
      shared_.Lower(*own);
    }
    return true;
  }

  bool Beaten(std::uint64_t floor) const { return bar_ && Standing{floor, item_} >= *bar_; }

  void Refresh() { Lower(shared_.Get()); }

 private:
  void Lower(std::optional<Standing> bar) {
    if (bar && (!bar_ || *bar < *bar_)) bar_ = bar;
  }

  RankedKeep& keep_;
  SharedBar& shared_;
  int item_;
  std::optional<Standing> bar_;
};

}  // namespace kiremo::generator
