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

// Per check; a dozen checks at most take a few tenths of a second.
constexpr std::int64_t kBudget = 1'000'000;

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

}  // namespace

std::optional<Explanation> ExplainClash(const std::vector<TTreeDers>& candidates) {
  const std::vector<std::vector<int>> levels = GroupLevels(candidates);
  const ClashMasks masks(candidates, levels);
  std::vector<int> group(levels.size());
  for (std::size_t level = 0; level < group.size(); ++level) group[level] = static_cast<int>(level);
  if (group.size() < 2 || AnyTimetable(masks, levels, group, kBudget) != Existence::None) return std::nullopt;

  bool minimal = true;
  for (std::size_t k = 0; k < group.size() && group.size() > 2;) {
    std::vector<int> rest = group;
    rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(k));
    const Existence without = AnyTimetable(masks, levels, rest, kBudget);
    if (without == Existence::None) {
      group = std::move(rest);
      continue;
    }
    if (without == Existence::Unknown) minimal = false;
    ++k;
  }

  Explanation explanation;
  for (const int level : group) explanation.courses.push_back(candidates[levels[level].front()].CourseCode);
  if (group.size() == 2 && minimal) {
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
