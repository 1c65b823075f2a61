#include "acquisition/queue_dispatcher.h"

#include <algorithm>
#include <exception>
#include <memory>

namespace kiremo::acquisition {

QueueDispatcher::QueueDispatcher() : owner_(std::this_thread::get_id()) {}

void QueueDispatcher::Post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(work));
  }
  arrived_.notify_all();
}

void QueueDispatcher::PostAndWait(std::function<void()> work) {
  if (std::this_thread::get_id() == owner_) {
    work();
    return;
  }
  struct Done {
    std::mutex mutex;
    std::condition_variable cv;
    bool ran = false;
    std::exception_ptr error;
  };
  auto done = std::make_shared<Done>();
  Post([done, work = std::move(work)] {
    std::exception_ptr error;
    try {
      work();
    } catch (...) {
      error = std::current_exception();
    }
    {
      std::lock_guard lock(done->mutex);
      done->ran = true;
      done->error = error;
    }
    done->cv.notify_all();
  });
  std::unique_lock lock(done->mutex);
  done->cv.wait(lock, [&] { return done->ran; });
  if (done->error) std::rethrow_exception(done->error);
}

bool QueueDispatcher::TakeOne(std::function<void()>& work) {
  std::lock_guard lock(mutex_);
  if (queue_.empty()) return false;
  work = std::move(queue_.front());
  queue_.pop_front();
  return true;
}

int QueueDispatcher::RunPending() {
  int ran = 0;
  std::function<void()> work;
  while (TakeOne(work)) {
    ++ran;
    work();
  }
  return ran;
}

int QueueDispatcher::WaitAndRun(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, timeout, [&] { return !queue_.empty(); });
  }
  return RunPending();
}

bool QueueDispatcher::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    RunPending();
    if (done()) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    // `done` may also turn true without a post; look again now and then.
    std::unique_lock lock(mutex_);
    arrived_.wait_until(lock, std::min(deadline, now + std::chrono::milliseconds(50)), [&] { return !queue_.empty(); });
  }
}

}  // namespace kiremo::acquisition
