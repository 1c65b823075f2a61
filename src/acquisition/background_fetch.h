#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "acquisition/dispatcher.h"
#include "acquisition/fetcher.h"

namespace kiremo::acquisition {

// A fetched page, or why there is none.
struct FetchResult {
  std::optional<std::string> page;
  std::optional<FetchError> error;
};

// One page fetched on a thread of its own, so that the window never waits
// on the network; the result is handed to the window's thread. Every call
// is made on the window's thread.
class BackgroundFetch {
 public:
  using Done = std::function<void(FetchResult result)>;

  BackgroundFetch(Fetcher& fetcher, Dispatcher& dispatcher) : fetcher_(fetcher), dispatcher_(dispatcher) {}
  // Cancels a running fetch and waits for its thread.
  ~BackgroundFetch();
  BackgroundFetch(const BackgroundFetch&) = delete;
  BackgroundFetch& operator=(const BackgroundFetch&) = delete;

  // Cancels the running fetch, if any, then fetches `url` once `settle` has
  // passed (a choice that may still change waits so), and hands the result
  // to `done` on the window's thread.
  void Start(std::string url, std::chrono::milliseconds settle, Done done);
  // Ends the running fetch at once; its `done` never runs.
  void Cancel();
  // Started, and neither done nor cancelled.
  bool Running() const;

 private:
  struct Job;

  Fetcher& fetcher_;
  Dispatcher& dispatcher_;
  std::shared_ptr<Job> job_;
  std::jthread thread_;
};

}  // namespace kiremo::acquisition
