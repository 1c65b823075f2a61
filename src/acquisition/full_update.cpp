#include "acquisition/full_update.h"

#include <atomic>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#include "acquisition/department_list_update.h"
#include "acquisition/messages.h"
#include "acquisition/stealer_thread.h"
#include "acquisition/update_shared.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "catalogue/temp_tables.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::acquisition {

struct FullUpdate::State {
  State(std::string folder, std::string host, UpdateReport& r, acquisition::Dispatcher& d, catalogue::CatalogueQuery& q,
        Fetcher& f)
      : program_folder(std::move(folder)),
        schedule_host(std::move(host)),
        report(r),
        dispatcher(d),
        query1(q),
        fetcher(f) {}

  std::string Path(std::string_view relative) const { return program_folder + std::string(relative); }

  const std::string program_folder;
  const std::string schedule_host;
  UpdateReport& report;
  acquisition::Dispatcher& dispatcher;
  catalogue::CatalogueQuery& query1;
  Fetcher& fetcher;

  UpdateShared shared;
  std::atomic<bool> running{false};
  std::atomic<UpdateOutcome> outcome{UpdateOutcome::None};
  // Window thread only.
  std::vector<std::jthread> workers;
  bool completed = true;
  std::function<void(UpdateOutcome)> ended;
};

namespace {

void RemoveCatalogueFile(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  std::filesystem::remove(path + "-wal", ignored);
  std::filesystem::remove(path + "-shm", ignored);
}

// Folds a catalogue's write-ahead log into its file, so that the file alone
// holds everything committed.
void FoldLog(const std::string& program_folder, std::string_view file) {
  catalogue::Database db(catalogue::MakeConnectionString(program_folder, file));
  db.Checkpoint();
}

// A log left beside the main catalogue by a program that ended without
// closing it belongs to the old file: fold it in before the file is copied
// or replaced, so that it is never read against another file.
void FoldLeftoverLog(const std::string& program_folder) {
  const std::string main = program_folder + std::string(catalogue::kMainCatalogue);
  if (!std::filesystem::exists(main + "-wal")) return;
  FoldLog(program_folder, catalogue::kMainCatalogue);
}

void JoinAll(std::vector<std::jthread>& workers) {
  for (std::jthread& worker : workers) {
    if (worker.joinable()) worker.join();
  }
  workers.clear();
}

}  // namespace

FullUpdate::FullUpdate(std::string program_folder, std::string schedule_host, UpdateReport& report,
                       acquisition::Dispatcher& dispatcher, catalogue::CatalogueQuery& query1, Fetcher& fetcher,
                       std::function<void()> sifirla)
    : state_(std::make_shared<State>(std::move(program_folder), std::move(schedule_host), report, dispatcher, query1,
                                     fetcher)),
      sifirla_(std::move(sifirla)) {}

FullUpdate::~FullUpdate() { Stop(); }

bool FullUpdate::Running() const { return state_->running; }

UpdateOutcome FullUpdate::Outcome() const { return state_->outcome; }

void FullUpdate::OnEnded(std::function<void(UpdateOutcome)> ended) { state_->ended = std::move(ended); }

void FullUpdate::ClearConnectionErrorShown() {
  if (!Running()) state_->shared.ClearConnectionErrorShown();
}

void FullUpdate::menuVeriAlClick() {
  State& s = *state_;
  if (Running()) {
    s.report.Show({std::string(kCaptionNotice), std::string(kUpdateAlreadyRunning), Icon::Information});
    return;
  }
  s.shared.ClearConnectionErrorShown();
  try {
    BolumKoduGuncelle(s.program_folder, s.schedule_host, s.fetcher, s.report);
    // The copy below must hold everything Query1 has written.
    s.query1.Close();
    FoldLeftoverLog(s.program_folder);
    catalogue::CreateTempTables(s.program_folder, [&s](const std::string& text) { s.report.Status(text); });
    Parse();
    if (sifirla_) sifirla_();
  } catch (const IoError&) {
    if (!Running()) s.outcome = UpdateOutcome::Failed;
    s.report.Show({std::string(kCaptionError), std::string(kDepartmentListMissing), Icon::Error});
  } catch (const DatabaseError&) {
    if (!Running()) s.outcome = UpdateOutcome::Failed;
    s.report.Show({std::string(kCaptionError), std::string(kCatalogueDamaged), Icon::Error});
  }
}

void FullUpdate::Parse() {
  State& s = *state_;
  std::vector<std::string> codes;
  for (const std::string& line : catalogue::ReadDepartmentList(s.Path(catalogue::kDepartmentList))) {
    codes.push_back(Trim(LowerAscii(line)));
  }
  s.shared.Start(std::move(codes));
  s.completed = false;
  s.running = true;
  s.outcome = UpdateOutcome::Running;

  auto complete = [weak = std::weak_ptr<State>(state_)] {
    if (auto state = weak.lock()) state->dispatcher.Post([state] { Complete(*state); });
  };
  const WorkerSetup setup{catalogue::MakeConnectionString(s.program_folder, catalogue::kTempCatalogue),
                          s.schedule_host,
                          s.fetcher,
                          s.shared,
                          s.dispatcher,
                          s.report,
                          complete};
  int started = 0;
  try {
    for (; started < kWorkerCount; ++started) {
      s.workers.emplace_back([setup](std::stop_token stop) { TStealerThread(setup).Execute(stop); });
    }
  } catch (const std::system_error&) {
    // A worker that could not start reports as a failed one, so that the
    // update still ends, and ends without a switch.
    for (; started < kWorkerCount; ++started) {
      if (s.shared.ImFinished(0, false)) complete();
    }
  }
}

void FullUpdate::Stop() {
  State& s = *state_;
  for (std::jthread& worker : s.workers) worker.request_stop();
  JoinAll(s.workers);
  // Closing: nobody is left to show the plan to.
  s.ended = nullptr;
  Complete(s);
}

void FullUpdate::Complete(State& s) {
  if (s.completed) return;
  s.completed = true;
  SwitchCatalogue(s);
  if (s.ended) s.ended(s.outcome);
}

void FullUpdate::SwitchCatalogue(State& s) {
  JoinAll(s.workers);
  const std::string temp = s.Path(catalogue::kTempCatalogue);
  const std::string main_connection = catalogue::MakeConnectionString(s.program_folder, catalogue::kMainCatalogue);

  if (s.shared.FinishedFailed() != 0) {
    RemoveCatalogueFile(temp);
    s.running = false;
    s.outcome = UpdateOutcome::Failed;
    if (const auto error = s.shared.StoreError()) {
      s.report.StandardError(std::string(kStoreFailedIntro) + *error);
    }
    return;
  }

  // Every worker has closed its connection, but the stored rows may still be
  // in the temporary file's log: the five closes come at about the same time,
  // and the log is folded in only by a close that sees itself as the last.
  // Closing Query1 lets go of the old file. The rename is one step: a crash
  // leaves either the old catalogue or the new one.
  s.query1.Close();
  s.query1.SetConnectionString({});
  try {
    FoldLog(s.program_folder, catalogue::kTempCatalogue);
    ReplaceFile(temp, s.Path(catalogue::kMainCatalogue));
  } catch (const Error& e) {
    RemoveCatalogueFile(temp);
    s.query1.SetConnectionString(main_connection);
    s.running = false;
    s.outcome = UpdateOutcome::Failed;
    s.report.StandardError(e.what());
    return;
  }
  s.query1.SetConnectionString(main_connection);
  s.running = false;
  s.outcome = UpdateOutcome::Succeeded;
  s.report.Status(CompletedText(s.shared.PagesDone()));
}

}  // namespace kiremo::acquisition
