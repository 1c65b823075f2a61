#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "acquisition/dispatcher.h"

namespace kiremo::acquisition {

// A window thread without a window: posted work waits in a queue until the
// owning thread (the one that made the dispatcher) runs it. Used by the
// command-line tool's loop and by tests.
class QueueDispatcher : public acquisition::Dispatcher {
 public:
  QueueDispatcher();

  void Post(std::function<void()> work) override;
  // On the owning thread the work runs at once (waiting would never end);
  // elsewhere the caller waits until the owner has run it. An error thrown
  // by the work is thrown again in the waiting thread.
  void PostAndWait(std::function<void()> work) override;

  // Owner only. Runs the queued work in order, including work posted while
  // it runs; returns how many ran. An error thrown by posted work leaves the
  // rest queued and reaches the caller.
  int RunPending();
  // Owner only. Waits until work arrives or the time is up, then runs what is
  // queued; returns how many ran.
  int WaitAndRun(std::chrono::milliseconds timeout);
  // Owner only. Runs work as it arrives until `done` holds (checked before
  // each wait) or the time is up; returns whether `done` held.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

 private:
  bool TakeOne(std::function<void()>& work);

  std::thread::id owner_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::function<void()>> queue_;
};

}  // namespace kiremo::acquisition
