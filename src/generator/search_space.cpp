#include "generator/search_space.h"

namespace kiremo::generator {

namespace {

// Above this many parts a deeper split only costs memory.
constexpr int kMostItems = 1 << 16;

}  // namespace

SearchSpace::SearchSpace(const std::vector<TTreeDers>& candidates, const SortKeys& keys, const FriendWeeks* friends)
    : candidate_levels(GroupLevels(candidates)),
      clash(candidates, candidate_levels),
      words(clash.words),
      keys(keys),
      metrics(keys.empty() ? MetricsTable() : RankingTable(candidates, friends)),
      ranked(!keys.empty()),
      walks(NeedsWalks(keys)),
      span(NeedsSpan(keys)),
      preferences(NeedsPreferences(keys)),
      friends(NeedsFriends(keys)),
      bound(KeysBound(keys)) {
  for (const std::vector<int>& members : candidate_levels) {
    Level& level = levels.emplace_back();
    level.members = &members;
    for (const int c : members) {
      level.masks.insert(level.masks.end(), clash.Of(c), clash.Of(c) + words);
      level.self_clash.push_back(clash.self_clash[c] ? 1 : 0);
    }
  }
}

bool SearchSpace::LevelFits(int level, const std::uint64_t* occupied) const {
  const Level& l = levels[level];
  for (int at = 0; at < l.Size(); ++at) {
    if ((level == Last() || !l.self_clash[at]) && !Clashes(level, at, occupied)) return true;
  }
  return false;
}

namespace {

class Splitter {
 public:
  Splitter(const SearchSpace& space, int depth, std::int64_t& nodes)
      : space_(space), depth_(depth), nodes_(nodes), occupied_((depth + 1) * space.words, 0), path_(depth) {}

  std::vector<int> Run() {
    Visit(0);
    return std::move(found_);
  }

 private:
  void Visit(int level) {
    if (level == depth_) {
      found_.insert(found_.end(), path_.begin(), path_.end());
      return;
    }
    const std::uint64_t* occupied = occupied_.data() + level * space_.words;
    std::uint64_t* below = occupied_.data() + (level + 1) * space_.words;
    for (int at = 0; at < space_.levels[level].Size(); ++at) {
      ++nodes_;
      if (space_.levels[level].self_clash[at] || space_.Clashes(level, at, occupied)) continue;
      const std::uint64_t* mask = space_.Mask(level, at);
      for (std::size_t w = 0; w < space_.words; ++w) below[w] = occupied[w] | mask[w];
      bool open = true;
      for (int later = level + 1; later <= space_.Last() && open; ++later) open = space_.LevelFits(later, below);
      if (!open) continue;
      path_[level] = at;
      Visit(level + 1);
    }
  }

  const SearchSpace& space_;
  int depth_;
  std::int64_t& nodes_;
  std::vector<std::uint64_t> occupied_;
  std::vector<int> path_;
  std::vector<int> found_;
};

}  // namespace

SearchItems SplitIntoItems(const SearchSpace& space, int wanted, std::int64_t& nodes) {
  SearchItems items;
  // The product of the level sizes bounds the parts of a depth.
  std::int64_t bound = 1, split_nodes = 0;
  for (int depth = 1; depth + 2 <= static_cast<int>(space.levels.size()); ++depth) {
    if (items.Count() >= wanted || (items.depth > 0 && items.positions.empty())) break;
    bound *= space.levels[depth - 1].Size();
    if (bound > kMostItems && items.depth > 0) break;
    split_nodes = 0;  // only the last split's sections are part of the walk
    items.positions = Splitter(space, depth, split_nodes).Run();
    items.depth = depth;
  }
  nodes += split_nodes;
  return items;
}

}  // namespace kiremo::generator
