#include "generator/clash_explanation.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

#include "generator/clash_masks.h"
#include "generator/existence_check.h"
#include "generator/timetable_metrics.h"
#include "planner/cell_runs.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

using Cell = planner::GridCell;

std::set<Cell> CellsOf(const TTreeDers& candidate) {
  std::set<Cell> cells;
  const std::size_t n = std::min(candidate.Days.size(), candidate.Slots.size());
  for (std::size_t k = 0; k < n; ++k) cells.emplace(StrToInt(candidate.Days[k]), StrToInt(candidate.Slots[k]));
  return cells;
}

// The cells that every section of both levels covers.
std::set<Cell> SharedCells(const std::vector<TTreeDers>& candidates, const std::vector<int>& a,
                           const std::vector<int>& b) {
  std::set<Cell> shared = CellsOf(candidates[a.front()]);
  for (const std::vector<int>* level : {&a, &b}) {
    for (const int c : *level) {
      const std::set<Cell> cells = CellsOf(candidates[c]);
      std::set<Cell> both;
      std::set_intersection(shared.begin(), shared.end(), cells.begin(), cells.end(),
                            std::inserter(both, both.begin()));
      shared = std::move(both);
    }
  }
  return shared;
}

std::string ListText(const std::vector<std::string>& courses) {
  std::string text;
  for (std::size_t k = 0; k < courses.size(); ++k) text += (k == 0 ? "" : ", ") + courses[k];
  return text;
}

std::string PairText(const std::vector<std::string>& courses, const std::set<Cell>& shared) {
  std::string text = courses[0] + " ile " + courses[1] + std::string(" seçtiğin kıstaslarla birlikte alınamıyor: "_w);
  if (shared.empty()) return text + std::string("birinin her şubesi ötekinin bütün şubeleriyle çakışıyor."_w);
  return text + std::string("ikisinin de bütün şubeleri "_w) + planner::CellRunsText(shared) +
         std::string(" saatlerinde."_w);
}

// The smallest group found: leaving out a row whose absence leaves the rest
// without a timetable (or, when `so_far`, without one found in the budget).
std::vector<int> Group(const std::vector<TTreeDers>& candidates, const std::vector<std::vector<int>>& levels,
                       const ClashMasks& masks, std::vector<int> group, bool so_far, bool& minimal) {
  minimal = true;
  for (std::size_t k = 0; k < group.size() && group.size() > 2;) {
    std::vector<int> rest = group;
    rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(k));
    const Existence without = TimetablesExist(candidates, masks, levels, rest);
    if (without == Existence::None || (so_far && without == Existence::Unknown)) {
      group = std::move(rest);
      continue;
    }
    if (without == Existence::Unknown) minimal = false;
    ++k;
  }
  return group;
}

}  // namespace

std::optional<Explanation> ExplainClash(const std::vector<TTreeDers>& candidates, bool proven) {
  const std::vector<std::vector<int>> levels = GroupLevels(candidates);
  const ClashMasks masks(candidates, levels);
  std::vector<int> all(levels.size());
  for (std::size_t level = 0; level < all.size(); ++level) all[level] = static_cast<int>(level);
  if (all.size() < 2) return std::nullopt;
  const Existence whole = TimetablesExist(candidates, masks, levels, all);
  if (whole == Existence::Found) return std::nullopt;
  const bool so_far = whole == Existence::Unknown && !proven;
  bool minimal = true;
  const std::vector<int> group = Group(candidates, levels, masks, all, so_far, minimal);

  Explanation explanation;
  for (const int level : group) explanation.courses.push_back(candidates[levels[level].front()].CourseCode);
  if (so_far) {
    explanation.text = std::string("Şu "_w) + std::to_string(group.size()) +
                       std::string(" ders o ana kadar birlikte yerleştirilemedi: "_w) + ListText(explanation.courses) +
                       ".";
  } else if (group.size() == 2 && minimal) {
    explanation.text = PairText(explanation.courses, SharedCells(candidates, levels[group[0]], levels[group[1]]));
  } else {
    explanation.text = std::string("Şu "_w) + std::to_string(group.size()) +
                       std::string(" ders seçtiğin kıstaslarla birlikte alınamıyor: "_w) +
                       ListText(explanation.courses) + ".";
    if (minimal) explanation.text += std::string(" Hangisini bırakırsan bırak, geri kalanlar birbirine uyuyor."_w);
  }
  return explanation;
}

}  // namespace kiremo::generator
