#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kiremo::acquisition {

// How many workers a full update runs at once.
inline constexpr int kWorkerCount = 5;

// What the workers of one full update share: the codes still to fetch, the
// completion counters and the connection-message flag. Each public call is
// one indivisible step.
class UpdateShared {
 public:
  // CodeList := codes; FinishedOk, FinishedFailed and PagesDone := 0.
  void Start(std::vector<std::string> codes);

  // Takes the first code off CodeList; nothing when the list is empty.
  std::optional<std::string> TakeCode();

  // A worker's report (ImFinished): a successful one adds its count to
  // PagesDone. True for exactly one report, the one that makes five.
  bool ImFinished(int count, bool succeeded);

  // Sets ConnectionErrorShown; true when it was not set, that is, when the
  // caller is the one to show the message.
  bool ClaimConnectionError();
  void ClearConnectionErrorShown();

  // The first storing failure of this update, for the report at its end.
  void NoteStoreError(const std::string& message);
  std::optional<std::string> StoreError() const;
  // A store that found the disk full.
  void NoteDiskFull();
  bool DiskFull() const;

  // A department page that held a section table, and how many of its rows
  // were refused: an update in which not one page held a table was served
  // no schedule at all.
  void NoteTableFound(int refused_rows);
  int TablesFound() const;
  int RefusedRows() const;

  int FinishedOk() const;
  int FinishedFailed() const;
  int PagesDone() const;

 private:
  mutable std::mutex mutex_;
  std::deque<std::string> code_list_;
  int finished_ok_ = 0;
  int finished_failed_ = 0;
  int pages_done_ = 0;
  bool connection_error_shown_ = false;
  std::optional<std::string> store_error_;
  bool disk_full_ = false;
  int tables_found_ = 0;
  int refused_rows_ = 0;
};

}  // namespace kiremo::acquisition
