// kiremo-cli update [--department CODE] [--timeout SECONDS]: the full
// catalogue update, or the quick update of one department, against the
// schedule server.
#include <algorithm>
#include <chrono>
#include <optional>
#include <ostream>

#include "acquisition/addresses.h"
#include "acquisition/catalogue_claim.h"
#include "acquisition/curl_fetcher.h"
#include "acquisition/fetch_failure.h"
#include "acquisition/full_update.h"
#include "acquisition/hosts.h"
#include "acquisition/messages.h"
#include "acquisition/queue_dispatcher.h"
#include "acquisition/quick_update.h"
#include "acquisition/update_report.h"
#include "app/first_start.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "cli/args.h"
#include "cli/catalogue_access.h"
#include "cli/command.h"
#include "cli/output.h"
#include "planner/markers.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::cli {
namespace {

// Progress becomes a line of output as it happens; every box and error
// becomes a line on the error stream.
class TerminalReport : public acquisition::UpdateReport {
 public:
  TerminalReport(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  void Status(const std::string& text) override {
    PrintLine(out_, text);
    out_.flush();
  }
  void Show(const Notice& notice) override { PrintLine(err_, notice.caption + ": " + notice.text); }
  void StandardError(const std::string& text) override { PrintLine(err_, text); }

 private:
  std::ostream& out_;
  std::ostream& err_;
};

int RunFullUpdate(Context& context, TerminalReport& report, catalogue::CatalogueQuery& query1,
                  acquisition::Fetcher& fetcher) {
  // The window's thread is this one: it runs what the workers hand over.
  acquisition::QueueDispatcher dispatcher;
  acquisition::FullUpdate update(context.program_folder, ScheduleServerUrl(), report, dispatcher, query1, fetcher, {});
  update.menuVeriAlClick();
  while (update.Running()) dispatcher.WaitAndRun(std::chrono::milliseconds(200));
  dispatcher.RunPending();
  return update.Outcome() == acquisition::UpdateOutcome::Succeeded ? 0 : 1;
}

// The window's warning on a failed quick update speaks of its automatic
// updates; here the department was asked for, and the reason is told.
int RunQuickUpdate(Context& context, TerminalReport& report, catalogue::CatalogueQuery& query1,
                   acquisition::Fetcher& fetcher, const std::string& code) {
  if (code == planner::kSecin) throw UsageError("--department bir bölüm kodu ister");
  std::optional<catalogue::FolderLock> lock;
  try {
    lock = acquisition::ClaimCatalogueFolder(context.program_folder);
  } catch (const acquisition::ClaimRefused& refused) {
    report.Show(refused.notice());
    return 1;
  }
  acquisition::FetchResult fetched;
  try {
    fetched.page = fetcher.Get(acquisition::SchedulePageUrl(ScheduleServerUrl(), code));
  } catch (const acquisition::FetchError& e) {
    report.Show({std::string(acquisition::kCaptionError),
                 code + std::string(" bölümü güncellenemedi: "_w) +
                     acquisition::FullUpdateFailureText(e, acquisition::SchedulePage(code)),
                 Icon::Warning});
    return 1;
  }
  switch (acquisition::StoreDepartmentPage(code, fetched, query1, report)) {
    case acquisition::QuickUpdateResult::Updated: return 0;
    case acquisition::QuickUpdateResult::NoTable:
      PrintLine(context.out, code + std::string(": sayfada ders tablosu yok, tablo olduğu gibi kaldı."_w));
      return 0;
    case acquisition::QuickUpdateResult::Unreadable: PrintLine(context.err, kDamagedCatalogue); break;
    case acquisition::QuickUpdateResult::FetchFailed:
    case acquisition::QuickUpdateResult::Refused: break;
  }
  return 1;
}

constexpr char kUsage[] = "update [--department KOD] [--timeout SANİYE]";

// The fetches' time-outs: the program's own, or a total time given in
// seconds for a script that must not wait a minute for a silent server.
acquisition::FetchTimeouts Timeouts(const Args& args) {
  acquisition::FetchTimeouts timeouts = acquisition::kPageTimeouts;
  if (!args.Has("--timeout")) return timeouts;
  const int seconds = StrToIntDef(args.Value("--timeout"), 0);
  if (seconds < 1 || seconds > 3600) throw UsageError("--timeout 1 ile 3600 arası saniye alır");
  timeouts.total = std::chrono::seconds(seconds);
  timeouts.connect = std::min(timeouts.connect, timeouts.total);
  return timeouts;
}

int Run(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {}, {"--department", "--timeout"});
  args.ExpectPositional(0, kUsage);
  TerminalReport report(context.out, context.err);
  // An installed program's first update needs no "init": the window's first
  // start makes the same empty catalogue.
  if (context.installed) app::PrepareEmptyCatalogue(context.program_folder);
  catalogue::CatalogueQuery query1(catalogue::MakeConnectionString(context.program_folder, catalogue::kMainCatalogue));
  acquisition::CurlFetcher fetcher(Timeouts(args));
  if (args.Has("--department")) {
    return RunQuickUpdate(context, report, query1, fetcher, Utf8ToCp1254(args.Value("--department")));
  }
  return RunFullUpdate(context, report, query1, fetcher);
}

const CommandRegistration registration({"update", kUsage, Run});

}  // namespace
}  // namespace kiremo::cli
