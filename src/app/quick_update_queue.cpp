#include "app/quick_update_queue.h"

#include <algorithm>
#include <vector>

#include "acquisition/messages.h"
#include "app/event_guard.h"
#include "app/view_report.h"

namespace kiremo::app {

QuickUpdateQueue::QuickUpdateQueue(planner::Planner& planner, acquisition::Acquisition& acquisition,
                                   acquisition::Dispatcher& dispatcher, ui::MainView& view,
                                   std::chrono::milliseconds settle)
    : planner_(planner),
      acquisition_(acquisition),
      view_(view),
      settle_(settle),
      fetch_(acquisition.Pages(), dispatcher) {}

void QuickUpdateQueue::Request(int row, const std::string& department) {
  Drop(row);
  waiting_.push_back({row, department});
  if (!current_) StartNext();
}

void QuickUpdateQueue::Withdraw(int row) {
  Drop(row);
  if (!current_) StartNext();
}

void QuickUpdateQueue::Drop(int row) {
  std::erase_if(waiting_, [row](const Job& job) { return job.row == row; });
  if (current_ && current_->row == row) {
    fetch_.Cancel();
    current_.reset();
  }
}

bool QuickUpdateQueue::Cancel() {
  if (!Busy()) return false;
  fetch_.Cancel();
  std::vector<Job> given_up(waiting_.begin(), waiting_.end());
  if (current_) given_up.insert(given_up.begin(), *current_);
  current_.reset();
  waiting_.clear();
  EndFetchingStatus();
  for (const Job& job : given_up) RunGuarded(view_.Dialog(), [&] { ListCourses(job); });
  view_.StatusBar().SetText(acquisition::DepartmentNotUpdatedText(given_up.back().department));
  return true;
}

void QuickUpdateQueue::StartNext() {
  if (waiting_.empty()) return EndFetchingStatus();
  current_ = waiting_.front();
  waiting_.pop_front();
  if (!status_before_) status_before_ = view_.StatusBar().Text();
  fetching_status_ = FetchingStatus(acquisition::FetchingDepartmentText(current_->department));
  view_.StatusBar().SetText(fetching_status_);
  fetch_.Start(acquisition_.QuickUpdateUrl(current_->department), settle_,
               [this](acquisition::FetchResult result) { Finish(std::move(result)); });
}

void QuickUpdateQueue::Finish(acquisition::FetchResult result) {
  const Job job = *current_;
  current_.reset();
  // The store may tell of its own (a box, a status text); the fetch's text
  // goes first so that it never hides what the store says.
  if (waiting_.empty()) EndFetchingStatus();
  RunGuarded(view_.Dialog(), [&] {
    // A failing store ends the event before the course codes are listed.
    const auto stored = acquisition_.StoreQuickUpdate(job.department, result);
    ListCourses(job);
    if (stored == acquisition::QuickUpdateResult::Updated && updated_) updated_(job.department);
  });
  StartNext();
}

void QuickUpdateQueue::ListCourses(const Job& job) {
  const planner::CourseRow& row = planner_.Row(job.row);
  if (row.department.Text() != job.department || row.course.Count() != 0) return;
  planner_.DersKoduEkle(job.row);
}

void QuickUpdateQueue::EndFetchingStatus() {
  if (!status_before_) return;
  if (view_.StatusBar().Text() == fetching_status_) view_.StatusBar().SetText(*status_before_);
  status_before_.reset();
}

}  // namespace kiremo::app
