#pragma once

#include <functional>
#include <memory>
#include <string>

#include "acquisition/dispatcher.h"
#include "acquisition/fetcher.h"
#include "acquisition/update_report.h"
#include "catalogue/database.h"

namespace kiremo::acquisition {

enum class UpdateOutcome {
  None,       // no full update yet
  Running,    // workers are fetching, or their end waits on the window thread
  Succeeded,  // the new catalogue replaced the old one
  Failed,     // nothing changed in the main catalogue
};

// The full catalogue update ("Veri Al/Güncelle"): the department list, the
// temporary catalogue, five workers, and at the end the switch of the main
// catalogue. Every call is made on the window's thread; the workers hand
// what the report should say to it through the dispatcher, and the switch
// runs there too, so it never meets another use of Query1.
class FullUpdate {
 public:
  // `sifirla` is the planner's reset, run once the workers have started.
  FullUpdate(std::string program_folder, std::string schedule_host, UpdateReport& report,
             acquisition::Dispatcher& dispatcher, catalogue::CatalogueQuery& query1, Fetcher& fetcher,
             std::function<void()> sifirla);
  // Stops a running update (see Stop).
  ~FullUpdate();
  FullUpdate(const FullUpdate&) = delete;
  FullUpdate& operator=(const FullUpdate&) = delete;

  // The command. While an update runs it only says so.
  void menuVeriAlClick();

  // Reads the department list into CodeList, clears the counters and starts
  // the five workers. IoError when the list cannot be read.
  void Parse();

  // The planner's reset clears the connection-message flag; while workers
  // run the flag belongs to them, so that the message stays single.
  void ClearConnectionErrorShown();

  bool Running() const;
  UpdateOutcome Outcome() const;

  // Called on the window thread when an update that reset the plan has
  // ended, switched in or not; not when the window closes.
  void OnEnded(std::function<void(UpdateOutcome)> ended);

  // For closing the window: aborts the workers' transfers, waits for them,
  // and ends the update. An update whose workers had all finished is
  // switched in; any other is thrown away.
  void Stop();

 private:
  struct State;
  // The end of an update, on the window thread, once all five have reported.
  static void Complete(State& s);
  static void SwitchCatalogue(State& s);

  std::shared_ptr<State> state_;
  std::function<void()> sifirla_;
};

}  // namespace kiremo::acquisition
