#include "acquisition/update_shared.h"

namespace kiremo::acquisition {

void UpdateShared::Start(std::vector<std::string> codes) {
  std::lock_guard lock(mutex_);
  code_list_.assign(std::make_move_iterator(codes.begin()), std::make_move_iterator(codes.end()));
  finished_ok_ = 0;
  finished_failed_ = 0;
  pages_done_ = 0;
  store_error_.reset();
  disk_full_ = false;
  tables_found_ = 0;
  refused_rows_ = 0;
}

std::optional<std::string> UpdateShared::TakeCode() {
  std::lock_guard lock(mutex_);
  if (code_list_.empty()) return std::nullopt;
  std::string code = std::move(code_list_.front());
  code_list_.pop_front();
  return code;
}

bool UpdateShared::ImFinished(int count, bool succeeded) {
  std::lock_guard lock(mutex_);
  if (succeeded) {
    pages_done_ += count;
    ++finished_ok_;
  } else {
    ++finished_failed_;
  }
  return finished_ok_ + finished_failed_ == kWorkerCount;
}

bool UpdateShared::ClaimConnectionError() {
  std::lock_guard lock(mutex_);
  if (connection_error_shown_) return false;
  connection_error_shown_ = true;
  return true;
}

void UpdateShared::ClearConnectionErrorShown() {
  std::lock_guard lock(mutex_);
  connection_error_shown_ = false;
}

void UpdateShared::NoteStoreError(const std::string& message) {
  std::lock_guard lock(mutex_);
  if (!store_error_) store_error_ = message;
}

std::optional<std::string> UpdateShared::StoreError() const {
  std::lock_guard lock(mutex_);
  return store_error_;
}

void UpdateShared::NoteDiskFull() {
  std::lock_guard lock(mutex_);
  disk_full_ = true;
}

bool UpdateShared::DiskFull() const {
  std::lock_guard lock(mutex_);
  return disk_full_;
}

void UpdateShared::NoteTableFound(int refused_rows) {
  std::lock_guard lock(mutex_);
  ++tables_found_;
  refused_rows_ += refused_rows;
}

int UpdateShared::TablesFound() const {
  std::lock_guard lock(mutex_);
  return tables_found_;
}

int UpdateShared::RefusedRows() const {
  std::lock_guard lock(mutex_);
  return refused_rows_;
}

int UpdateShared::FinishedOk() const {
  std::lock_guard lock(mutex_);
  return finished_ok_;
}

int UpdateShared::FinishedFailed() const {
  std::lock_guard lock(mutex_);
  return finished_failed_;
}

int UpdateShared::PagesDone() const {
  std::lock_guard lock(mutex_);
  return pages_done_;
}

}  // namespace kiremo::acquisition
