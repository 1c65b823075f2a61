#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "acquisition/acquisition.h"
#include "acquisition/background_fetch.h"
#include "planner/planner.h"
#include "view/main_view.h"

namespace kiremo::app {

// How long a department choice waits before its page is fetched: a mouse
// wheel turned over a department list chooses one department per notch, and
// only the one it stops at is fetched.
inline constexpr std::chrono::milliseconds kQuickUpdateSettle{300};

// The quick updates of department choices made while "Otomatik güncelleme"
// is on. Each page is fetched off the window's thread, one at a time, while
// the status line says which department is being fetched; the page is then
// stored on the window's thread and the row's course codes are listed. The
// student can give up (Esc or the cancel button): the rows waiting for a
// refresh then list the courses the catalogue has. Every call is made on
// the window's thread.
class QuickUpdateQueue {
 public:
  QuickUpdateQueue(planner::Planner& planner, acquisition::Acquisition& acquisition,
                   acquisition::Dispatcher& dispatcher, ui::MainView& view, std::chrono::milliseconds settle);

  // The row's department was chosen; the caller has emptied the row's course
  // and section lists. A newer choice in the same row replaces this one.
  void Request(int row, const std::string& department);
  // The row's department was chosen again without an update: its waiting
  // update, if any, is dropped.
  void Withdraw(int row);
  // Gives up every waiting update; false when there was none.
  bool Cancel();
  bool Busy() const { return current_.has_value() || !waiting_.empty(); }
  // Called with the department after its table was refreshed and its row listed.
  void OnUpdated(std::function<void(const std::string&)> updated) { updated_ = std::move(updated); }

 private:
  struct Job {
    int row;
    std::string department;
  };

  // Forgets the row's update, waiting or running.
  void Drop(int row);
  void StartNext();
  void Finish(acquisition::FetchResult result);
  // The row's course codes, when the row still waits for them: the student
  // has not chosen another department, and no reset or plan has filled it.
  void ListCourses(const Job& job);
  // Puts back the status line the first fetch replaced, unless something
  // has been written over the fetch's text since.
  void EndFetchingStatus();

  planner::Planner& planner_;
  acquisition::Acquisition& acquisition_;
  ui::MainView& view_;
  std::chrono::milliseconds settle_;
  std::deque<Job> waiting_;
  std::optional<Job> current_;
  std::optional<std::string> status_before_;
  std::string fetching_status_;
  acquisition::BackgroundFetch fetch_;
  std::function<void(const std::string&)> updated_;
};

}  // namespace kiremo::app
