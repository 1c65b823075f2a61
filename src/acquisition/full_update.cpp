#include "acquisition/full_update.h"

#include <atomic>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "acquisition/addresses.h"
#include "acquisition/catalogue_claim.h"
#include "acquisition/department_list_update.h"
#include "acquisition/fetch_failure.h"
#include "acquisition/messages.h"
#include "acquisition/stealer_thread.h"
#include "acquisition/update_shared.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/catalogue_pair.h"
#include "catalogue/folder_lock.h"
#include "catalogue/temp_tables.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::acquisition {

namespace {

enum class Phase {
  Idle,
  DepartmentList,  // the index page is being fetched
  Workers,         // the workers run, or their end waits on the window thread
};

}  // namespace

struct FullUpdate::State : std::enable_shared_from_this<FullUpdate::State> {
  State(std::string folder, std::string host, UpdateReport& r, acquisition::Dispatcher& d, catalogue::CatalogueQuery& q,
        Fetcher& f, std::function<void()> reset)
      : program_folder(std::move(folder)),
        schedule_host(std::move(host)),
        report(r),
        dispatcher(d),
        query1(q),
        fetcher(f),
        sifirla(std::move(reset)),
        index(f, d) {}

  const std::string program_folder;
  const std::string schedule_host;
  UpdateReport& report;
  acquisition::Dispatcher& dispatcher;
  catalogue::CatalogueQuery& query1;
  Fetcher& fetcher;
  const std::function<void()> sifirla;

  UpdateShared shared;
  int refused_codes = 0;  // codes of the index page that name no department
  std::atomic<bool> running{false};
  std::atomic<UpdateOutcome> outcome{UpdateOutcome::None};
  // Window thread only.
  BackgroundFetch index;
  std::optional<catalogue::FolderLock> lock;
  std::vector<std::jthread> workers;
  Phase phase = Phase::Idle;
  std::function<void(UpdateOutcome)> ended;
};

namespace {

void JoinAll(std::vector<std::jthread>& workers) {
  for (std::jthread& worker : workers) {
    if (worker.joinable()) worker.join();
  }
  workers.clear();
}

Notice Failure(std::string text, Icon icon = Icon::Error) {
  return {std::string(kCaptionError), std::move(text), icon};
}

// The box for an error that ends the preparation of an update. A damaged
// main catalogue is none: the update builds a new one.
Notice PreparationFailure(const Error& error) {
  if (dynamic_cast<const DiskFullError*>(&error)) return Failure(std::string(kDiskFull));
  if (dynamic_cast<const catalogue::SwitchError*>(&error)) return Failure(error.what());
  std::string reason = error.what();
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
  return Failure(std::string(kUpdateFailedIntro) + reason + std::string(kNothingChangedAfterFailure));
}

}  // namespace

void FullUpdate::Abandon(State& s, const std::optional<Notice>& notice) {
  catalogue::RemoveNewPair(s.program_folder);
  s.lock.reset();
  s.phase = Phase::Idle;
  s.running = false;
  s.outcome = UpdateOutcome::Failed;
  // The progress line would still promise a fetch or name the last page stored.
  s.report.Status(std::string(kUpdateNotDone));
  if (notice) s.report.Show(*notice);
}

FullUpdate::FullUpdate(std::string program_folder, std::string schedule_host, UpdateReport& report,
                       acquisition::Dispatcher& dispatcher, catalogue::CatalogueQuery& query1, Fetcher& fetcher,
                       std::function<void()> sifirla)
    : state_(std::make_shared<State>(std::move(program_folder), std::move(schedule_host), report, dispatcher, query1,
                                     fetcher, std::move(sifirla))) {}

FullUpdate::~FullUpdate() { Stop(); }

bool FullUpdate::Running() const { return state_->running; }

UpdateOutcome FullUpdate::Outcome() const { return state_->outcome; }

void FullUpdate::ClearConnectionErrorShown() {
  if (!Running()) state_->shared.ClearConnectionErrorShown();
}

void FullUpdate::menuVeriAlClick() {
  State& s = *state_;
  if (Running()) {
    s.report.Show({std::string(kCaptionNotice), std::string(kUpdateAlreadyRunning), Icon::Information});
    return;
  }
  try {
    s.lock = ClaimCatalogueFolder(s.program_folder);
  } catch (const ClaimRefused& refused) {
    s.outcome = UpdateOutcome::Failed;
    s.report.Show(refused.notice());
    return;
  } catch (const Error& e) {
    s.outcome = UpdateOutcome::Failed;
    s.report.Show(PreparationFailure(e));
    return;
  }
  s.shared.ClearConnectionErrorShown();
  s.phase = Phase::DepartmentList;
  s.running = true;
  s.outcome = UpdateOutcome::Running;
  s.report.Fetching(std::string(kFetchingDepartmentList));
  s.index.Start(DepartmentIndexUrl(s.schedule_host), {}, [weak = std::weak_ptr<State>(state_)](FetchResult result) {
    if (const auto state = weak.lock()) DepartmentListArrived(*state, std::move(result));
  });
}

void FullUpdate::DepartmentListArrived(State& s, FetchResult result) {
  if (result.error) return Abandon(s, Failure(FullUpdateFailureText(*result.error, DepartmentListPage()), Icon::None));
  const DepartmentIndex index = TakeDepartments(DepartmentCodesOfIndexPage(*result.page));
  // A failed list step ends the update: the old list is not fetched again.
  if (index.codes.empty()) return Abandon(s, Failure(std::string(kServerGaveNoDepartments), Icon::None));
  if (index.codes.size() > kMaxDepartments) {
    return Abandon(s, Failure(TooManyDepartmentsText(index.codes.size()), Icon::None));
  }
  s.refused_codes = index.refused;
  try {
    // The copy below must hold everything Query1 has written.
    s.query1.Close();
    // The list is said to be updated only once the catalogue it goes with
    // could be prepared; the tables' line follows it, as it always has.
    std::vector<std::string> prepared;
    catalogue::CreateTempTables(s.program_folder, index.codes,
                                [&prepared](const std::string& text) { prepared.push_back(text); });
    BolumKoduGuncelle(s.program_folder, index.codes, s.report);
    for (const std::string& text : prepared) s.report.Status(text);
    StartWorkers(s, index.codes);
  } catch (const Error& e) {
    return Abandon(s, PreparationFailure(e));
  }
  try {
    if (s.sifirla) s.sifirla();
  } catch (const Error& e) {
    s.report.StandardError(e.what());
  }
}

void FullUpdate::StartWorkers(State& s, const std::vector<std::string>& codes) {
  std::vector<std::string> code_list;
  for (const std::string& code : codes) code_list.push_back(Trim(LowerAscii(code)));
  s.shared.Start(std::move(code_list));
  s.phase = Phase::Workers;

  auto complete = [weak = std::weak_ptr<State>(s.shared_from_this())] {
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

void FullUpdate::OnEnded(std::function<void(UpdateOutcome)> ended) { state_->ended = std::move(ended); }

bool FullUpdate::Cancel() {
  if (!Running()) return false;
  Halt(*state_);
  if (Outcome() == UpdateOutcome::Failed) state_->report.Status(std::string(kUpdateCancelled));
  return true;
}

void FullUpdate::Stop() {
  // Closing: nobody is left to show the plan to.
  state_->ended = nullptr;
  Halt(*state_);
}

void FullUpdate::Halt(State& s) {
  s.index.Cancel();
  if (s.phase == Phase::DepartmentList) return Abandon(s, std::nullopt);
  for (std::jthread& worker : s.workers) worker.request_stop();
  JoinAll(s.workers);
  Complete(s);
}

void FullUpdate::Complete(State& s) {
  if (s.phase != Phase::Workers) return;
  EndWorkers(s);
  if (s.ended) s.ended(s.outcome);
}

void FullUpdate::EndWorkers(State& s) {
  JoinAll(s.workers);
  if (s.shared.FinishedFailed() != 0) {
    // A failed fetch has shown its message already.
    const bool disk_full = s.shared.DiskFull();
    const std::optional<std::string> store_error = s.shared.StoreError();
    Abandon(s, disk_full ? std::optional<Notice>(Failure(std::string(kDiskFull))) : std::nullopt);
    if (!disk_full && store_error) s.report.StandardError(std::string(kStoreFailedIntro) + *store_error);
    return;
  }
  // A page without a section table is a department without courses; a
  // server that gives not one table (a maintenance page at every address)
  // has given no schedule.
  if (s.shared.TablesFound() == 0) return Abandon(s, Failure(std::string(kServerGaveNoSchedule), Icon::None));
  SwitchIn(s);
}

void FullUpdate::SwitchIn(State& s) {
  const std::string main_connection = catalogue::MakeConnectionString(s.program_folder, catalogue::kMainCatalogue);
  // Closing Query1 lets go of the old file.
  s.query1.Close();
  s.query1.SetConnectionString({});
  try {
    catalogue::SwitchInNewPair(s.program_folder);
  } catch (const DiskFullError&) {
    s.query1.SetConnectionString(main_connection);
    return Abandon(s, Failure(std::string(kDiskFull)));
  } catch (const catalogue::SwitchError& e) {
    // Says what was switched and what was not; a begun switch is left
    // marked for completion.
    s.query1.SetConnectionString(main_connection);
    return Abandon(s, Failure(e.what()));
  } catch (const Error& e) {
    s.query1.SetConnectionString(main_connection);
    Abandon(s, std::nullopt);
    s.report.StandardError(e.what());
    return;
  }
  s.query1.SetConnectionString(main_connection);
  s.lock.reset();
  s.phase = Phase::Idle;
  s.running = false;
  s.outcome = UpdateOutcome::Succeeded;
  s.report.Status(CompletedText(s.shared.PagesDone()) + LeftOutText(s.refused_codes, s.shared.RefusedRows()));
}

}  // namespace kiremo::acquisition
