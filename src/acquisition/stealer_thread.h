#pragma once

#include <functional>
#include <stop_token>
#include <string>

#include "acquisition/dispatcher.h"
#include "acquisition/fetcher.h"
#include "acquisition/update_report.h"
#include "acquisition/update_shared.h"

namespace kiremo::acquisition {

// What a worker of the full update works with. Everything but `shared` is
// only read; what the report should say goes through the dispatcher.
struct WorkerSetup {
  std::string temp_connection;  // the temporary catalogue
  std::string schedule_host;
  Fetcher& fetcher;
  UpdateShared& shared;
  acquisition::Dispatcher& dispatcher;
  UpdateReport& report;
  // Runs on the worker whose report is the fifth.
  std::function<void()> complete;
};

// One worker of the full update: takes codes off the shared list, fetches
// each department's page, stores its sections in one transaction into the
// temporary catalogue, and reports when the list is empty or a fetch or a
// store failed. A stop request ends it as a failure, without a message.
class TStealerThread {
 public:
  explicit TStealerThread(WorkerSetup setup) : setup_(std::move(setup)) {}

  void Execute(std::stop_token stop);

 private:
  // True when the list ran out; `count` is every code taken.
  bool Steal(std::stop_token stop, int& count);
  // The message of the update's first failed fetch; the worker waits until
  // the student has closed it.
  void ShowFailureOnce(const std::string& text, std::stop_token stop);

  WorkerSetup setup_;
};

}  // namespace kiremo::acquisition
