#include "cli/search_stop.h"

namespace kiremo::cli {

namespace {

volatile std::sig_atomic_t g_noted = 0;

extern "C" void Note(int signal) { g_noted = signal; }

}  // namespace

StopSignals::StopSignals() {
  g_noted = 0;
  struct sigaction note {};
  note.sa_handler = Note;
  sigemptyset(&note.sa_mask);
  sigaction(SIGINT, &note, &old_int_);
  sigaction(SIGTERM, &note, &old_term_);
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &old_int_, nullptr);
  sigaction(SIGTERM, &old_term_, nullptr);
}

int StopSignals::Noted() { return g_noted; }

bool SearchStop::Poll(const generator::SearchProgress& progress) {
  if (StopSignals::Noted() != 0) return true;
  out_of_time_ = seconds_ && progress.elapsed_seconds >= *seconds_;
  return out_of_time_;
}

}  // namespace kiremo::cli
