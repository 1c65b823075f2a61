#include "acquisition/background_fetch.h"

#include <condition_variable>
#include <mutex>

namespace kiremo::acquisition {

// Window thread only: the posted result looks here before it runs.
struct BackgroundFetch::Job {
  bool cancelled = false;
  bool done = false;
};

namespace {

// Waits for the time; false when a stop request came first.
bool Settle(std::chrono::milliseconds time, std::stop_token stop) {
  if (time.count() <= 0) return !stop.stop_requested();
  std::mutex mutex;
  std::condition_variable_any never;
  std::unique_lock lock(mutex);
  never.wait_for(lock, stop, time, [] { return false; });
  return !stop.stop_requested();
}

}  // namespace

BackgroundFetch::~BackgroundFetch() { Cancel(); }

void BackgroundFetch::Start(std::string url, std::chrono::milliseconds settle, Done done) {
  Cancel();
  auto job = std::make_shared<Job>();
  job_ = job;
  thread_ = std::jthread([&fetcher = fetcher_, &dispatcher = dispatcher_, job, url = std::move(url), settle,
                          done = std::move(done)](std::stop_token stop) {
    if (!Settle(settle, stop)) return;
    FetchResult result;
    try {
      result.page = fetcher.Get(url, stop);
    } catch (const FetchError& e) {
      result.error = e;
    }
    if (stop.stop_requested()) return;
    dispatcher.Post([job, done, result = std::move(result)]() mutable {
      if (job->cancelled) return;
      job->done = true;
      done(std::move(result));
    });
  });
}

void BackgroundFetch::Cancel() {
  if (job_) job_->cancelled = true;
  job_.reset();
  // The transfer ends as soon as it sees the request.
  if (thread_.joinable()) {
    thread_.request_stop();
    thread_.join();
  }
}

bool BackgroundFetch::Running() const { return job_ && !job_->cancelled && !job_->done; }

}  // namespace kiremo::acquisition
