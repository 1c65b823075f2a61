#include "acquisition/stealer_thread.h"

#include <condition_variable>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>

#include "acquisition/addresses.h"
#include "acquisition/fetch_failure.h"
#include "acquisition/messages.h"
#include "acquisition/page_cutter.h"
#include "catalogue/database.h"
#include "text/text_helpers.h"

namespace kiremo::acquisition {

namespace {

// The debug trace of a stored department, on when KIREMO_DEBUG is set.
void Trace(const std::string& code) {
  static const bool on = [] {
    const char* value = std::getenv("KIREMO_DEBUG");
    return value && *value;
  }();
  if (on) std::clog << (code + "\n") << std::flush;
}

// A message box handed to the window, which the worker waits for. A stop
// request ends the wait; the box is then no longer shown.
class WindowWait {
 public:
  void Closed() {
    {
      std::lock_guard lock(mutex_);
      closed_ = true;
    }
    cv_.notify_all();
  }
  bool Abandoned() {
    std::lock_guard lock(mutex_);
    return abandoned_;
  }
  void Wait(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    if (!cv_.wait(lock, stop, [&] { return closed_; })) abandoned_ = true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable_any cv_;
  bool closed_ = false;
  bool abandoned_ = false;
};

}  // namespace

void TStealerThread::Execute(std::stop_token stop) {
  int count = 0;
  bool succeeded = false;
  try {
    succeeded = Steal(stop, count);
  } catch (const std::exception& e) {
    // Nothing may leave a worker: an update without its fifth report would
    // never end.
    setup_.shared.NoteStoreError(e.what());
  }
  if (setup_.shared.ImFinished(count, succeeded)) setup_.complete();
}

bool TStealerThread::Steal(std::stop_token stop, int& count) {
  std::unique_ptr<catalogue::Database> db;
  try {
    db = std::make_unique<catalogue::Database>(setup_.temp_connection);
  } catch (const Error& e) {
    setup_.shared.NoteStoreError(e.what());
    return false;
  }
  while (!stop.stop_requested()) {
    const std::optional<std::string> code = setup_.shared.TakeCode();
    if (!code) return true;
    ++count;
    std::optional<SectionTable> table;
    try {
      const std::string url = SchedulePageUrl(setup_.schedule_host, UpperAscii(*code));
      const std::string page = setup_.fetcher.Get(url, stop);
      // The whole body came, but not the whole page: storing its rows would
      // lose the department's last ones, or all of them.
      if (PageCutOff(page)) throw FetchError(url + ": page cut off", FetchFault::Incomplete, url);
      table = CutSectionTable(page);
    } catch (const FetchError& e) {
      if (!stop.stop_requested()) ShowFailureOnce(FullUpdateFailureText(e, SchedulePage(*code)), stop);
      return false;
    }
    if (!table) continue;  // no section table: the table stays empty
    setup_.shared.NoteTableFound(table->refused_rows);
    try {
      catalogue::Transaction transaction(*db);
      for (const catalogue::SectionValues& section : table->sections) db->Insert(*code, section);
      transaction.Commit();
    } catch (const DiskFullError&) {
      setup_.shared.NoteDiskFull();
      return false;
    } catch (const Error& e) {
      setup_.shared.NoteStoreError(e.what());
      return false;
    }
    Trace(*code);
    setup_.dispatcher.Post([&report = setup_.report, text = DepartmentUpdatedText(*code)] { report.Status(text); });
  }
  return false;
}

void TStealerThread::ShowFailureOnce(const std::string& text, std::stop_token stop) {
  if (!setup_.shared.ClaimConnectionError()) return;
  // Closes the wait when the box has been shown, when showing it failed, and
  // also when the window drops the work without running it.
  struct Closer {
    std::shared_ptr<WindowWait> wait = std::make_shared<WindowWait>();
    ~Closer() { wait->Closed(); }
  };
  auto closer = std::make_shared<Closer>();
  const std::shared_ptr<WindowWait> wait = closer->wait;
  setup_.dispatcher.Post([closer, &report = setup_.report, text] {
    if (!closer->wait->Abandoned()) report.Show({std::string(kCaptionError), text, Icon::None});
    closer->wait->Closed();
  });
  closer.reset();
  wait->Wait(stop);
}

}  // namespace kiremo::acquisition
