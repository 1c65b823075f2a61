#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/background_fetch.h"
#include "acquisition/dispatcher.h"
#include "acquisition/fetcher.h"
#include "acquisition/update_report.h"
#include "catalogue/database.h"
#include "text/notice.h"

namespace kiremo::acquisition {

enum class UpdateOutcome {
  None,       // no full update yet
  Running,    // the department list or the pages are being fetched
  Succeeded,  // the new catalogue and list replaced the old ones
  Failed,     // nothing changed in the main catalogue nor in the list
};

// The full catalogue update ("Veri Al/Güncelle"): the department list, the
// temporary catalogue, five workers, and at the end the switch of the main
// catalogue together with the department list. Every call is made on the
// window's thread; fetches run off it (the department index on a thread of
// its own, the pages on the workers), what they have to say is handed to it
// through the dispatcher, and the switch runs on it, so it never meets
// another use of Query1. The update holds the catalogue folder's lock from
// its start to its end, so that no other update writes meanwhile.
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

  // The command. Refused with a message when the catalogue folder is
  // read-only or another update holds its lock; while this update runs it
  // only says so. Otherwise it starts fetching the department index and
  // returns; the rest follows when the index has come.
  void menuVeriAlClick();

  // The planner's reset clears the connection-message flag; while workers
  // run the flag belongs to them, so that the message stays single.
  void ClearConnectionErrorShown();

  bool Running() const;
  UpdateOutcome Outcome() const;

  // Called on the window thread when an update that reset the plan has
  // ended, switched in, failed or cancelled; not when the window closes.
  void OnEnded(std::function<void(UpdateOutcome)> ended);

  // The student gives up (Esc or the cancel button): the update ends at
  // once and nothing changes, unless every worker had already finished.
  // False when no update was running.
  bool Cancel();

  // For closing the window: aborts the fetches, waits for the workers, and
  // ends the update. An update whose workers had all finished is switched
  // in; any other is thrown away.
  void Stop();

 private:
  struct State;
  // The index page has come (or failed): the new list, the temporary
  // catalogue, the workers, the reset.
  static void DepartmentListArrived(State& s, FetchResult result);
  static void StartWorkers(State& s, const std::vector<std::string>& codes);
  // The end of an update, on the window thread, once all five have reported.
  static void Complete(State& s);
  static void EndWorkers(State& s);
  // Aborts the fetches, waits for the workers and ends the update.
  static void Halt(State& s);
  static void SwitchIn(State& s);
  // Ends an update without a switch: the new pair is removed, the lock let
  // go, and the student told why (when there is something to tell).
  static void Abandon(State& s, const std::optional<Notice>& notice);

  std::shared_ptr<State> state_;
};

}  // namespace kiremo::acquisition
