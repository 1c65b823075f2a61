#pragma once

#include <csignal>
#include <optional>

#include "generator/search_observers.h"

namespace kiremo::cli {

// While it lives, Ctrl-C (SIGINT) and SIGTERM no longer end the program:
// they are noted, so that a search can stop and what it found be printed.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal noted, 0 when none; the exit status it asks for is 128 + it.
  static int Noted();

 private:
  struct sigaction old_int_ {};
  struct sigaction old_term_ {};
};

// Stops generate's search at its time limit or at a noted signal.
class SearchStop : public generator::SearchMonitor {
 public:
  explicit SearchStop(std::optional<double> seconds) : seconds_(seconds) {}
  bool Poll(const generator::SearchProgress& progress) override;
  void Finished() override {}
  bool OutOfTime() const override { return out_of_time_; }

 private:
  std::optional<double> seconds_;
  bool out_of_time_ = false;
};

}  // namespace kiremo::cli
