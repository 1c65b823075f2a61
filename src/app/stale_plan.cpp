#include "app/stale_plan.h"

#include <algorithm>
#include <vector>

#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kCaption = "Programdaki dersler değişti"_w;
constexpr std::string_view kIntro = "Programındaki bazı derslerin bilgileri katalogda değişmiş:"_w;
constexpr std::string_view kMarked = "Bu dersler işaretlendi."_w;
constexpr std::string_view kApplyHint =
    " \"Güncel bilgileri uygula\" değişen şubeleri katalogdaki haliyle yeniden ekler."_w;
constexpr std::string_view kGoneHint = " Açılmayan dersleri kendin çıkar ya da yerine başka şube seç."_w;

bool HasCommittedRow(const planner::PlanSnapshot& plan) {
  return std::any_of(plan.rows.begin(), plan.rows.end(), [](const auto& row) { return row.has_value(); });
}

}  // namespace

void StalePlan::Check(bool only_news) {
  const planner::PlanSnapshot plan = planner_.Snapshot();
  planner::PlanCheck check;
  if (HasCommittedRow(plan)) {
    try {
      check = planner::CheckPlan(plan, planner_.Query1().Db());
    } catch (const DatabaseError&) {
      return;
    }
  }
  const bool news = std::any_of(check.courses.begin(), check.courses.end(), [&](const planner::CourseCheck& course) {
    return course.status != planner::CheckStatus::Unchanged && marked_[course.row - 1] != plan.rows[course.row - 1];
  });
  Mark(check, plan);
  if (!check.AnythingChanged() || (only_news && !news)) return;
  std::vector<int> changed;
  bool gone = false;
  for (const planner::CourseCheck& course : check.courses) {
    if (course.status == planner::CheckStatus::Changed) changed.push_back(course.row);
    gone = gone || course.status == planner::CheckStatus::Vanished;
  }
  const std::string text = std::string(kIntro) + "\n\n" + planner::CheckText(check) + "\n\n" + std::string(kMarked) +
                           std::string(changed.empty() ? "" : kApplyHint) + std::string(gone ? kGoneHint : "");
  // Sections that are gone have nothing to apply: a plain box then.
  if (changed.empty()) return view_.Dialog().Message(std::string(kCaption), text, Icon::Warning);
  if (!view_.Dialog().AskApplyUpdates(std::string(kCaption), text)) return;
  planner_.RecommitRows(changed);
  Refresh();
}

void StalePlan::Mark(const planner::PlanCheck& check, const planner::PlanSnapshot& plan) {
  marked_ = {};
  for (int row = 1; row <= planner::kRows; ++row) view_.Shape(row).SetWarning({});
  for (const planner::CourseCheck& course : check.courses) {
    if (course.status == planner::CheckStatus::Unchanged) continue;
    marked_[course.row - 1] = plan.rows[course.row - 1];
    planner::PlanCheck one;
    one.courses.push_back(course);
    view_.Shape(course.row).SetWarning(planner::CheckText(one));
  }
}

void StalePlan::Refresh() {
  const planner::PlanSnapshot plan = planner_.Snapshot();
  for (int row = 1; row <= planner::kRows; ++row) {
    std::optional<planner::StoredRow>& marked = marked_[row - 1];
    if (!marked || plan.rows[row - 1] == marked) continue;
    marked.reset();
    view_.Shape(row).SetWarning({});
  }
}

void StalePlan::BeforeUpdateReset(bool modified) {
  modified_before_update_ = modified;
  const planner::PlanSnapshot plan = planner_.Snapshot();
  before_update_.reset();
  if (HasCommittedRow(plan)) before_update_ = plan;
  caption_before_update_ = planner_.Caption();
}

void StalePlan::AfterUpdateReset() { after_reset_ = planner_.Snapshot(); }

bool StalePlan::RestoreAfterUpdate() {
  if (!before_update_) return false;
  const planner::PlanSnapshot plan = std::move(*before_update_);
  before_update_.reset();
  if (planner_.Snapshot() != after_reset_) return false;
  planner_.Restore(plan, {});
  planner_.SetCaption(caption_before_update_);
  return true;
}

}  // namespace kiremo::app
