// kiremo-cli update [--department CODE]: the full catalogue update, or the
// quick update of one department, against the schedule server.
#include <chrono>
#include <ostream>

#include "acquisition/curl_fetcher.h"
#include "acquisition/full_update.h"
#include "acquisition/quick_update.h"
#include "acquisition/queue_dispatcher.h"
#include "text/cp1254.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "cli/args.h"
#include "cli/command.h"
#include "cli/output.h"
#include "planner/markers.h"
#include "acquisition/hosts.h"
#include "view/memory_view.h"

namespace kiremo::cli {
namespace {

// Every status text becomes a line of output.
class EchoLine : public ui::MemoryTextLine {
 public:
  explicit EchoLine(std::ostream& out) : out_(out) {}
  void SetText(const std::string& text) override {
    MemoryTextLine::SetText(text);
    PrintLine(out_, text);
    out_.flush();  // progress shows as it happens
  }

 private:
  std::ostream& out_;
};

// Every box becomes a line on the error stream.
class EchoDialogs : public ui::MemoryDialogs {
 public:
  explicit EchoDialogs(std::ostream& err) : err_(err) {}
  void Message(const std::string& caption, const std::string& text, ui::Icon icon) override {
    MemoryDialogs::Message(caption, text, icon);
    PrintLine(err_, caption + ": " + text);
  }
  void StandardError(const std::string& text) override {
    MemoryDialogs::StandardError(text);
    PrintLine(err_, text);
  }

 private:
  std::ostream& err_;
};

class TerminalView : public ui::MemoryView {
 public:
  TerminalView(std::ostream& out, std::ostream& err) : status_(out), dialogs_(err) {}
  EchoLine& StatusBar() override { return status_; }
  EchoDialogs& Dialog() override { return dialogs_; }

 private:
  EchoLine status_;
  EchoDialogs dialogs_;
};

int RunFullUpdate(Context& context, TerminalView& view, catalogue::CatalogueQuery& query1,
                  acquisition::Fetcher& fetcher) {
  // The window's thread is this one: it runs what the workers hand over.
  acquisition::QueueDispatcher dispatcher;
  acquisition::FullUpdate update(context.program_folder, ScheduleServerUrl(), view, dispatcher, query1, fetcher, {});
  update.menuVeriAlClick();
  while (update.Running()) dispatcher.WaitAndRun(std::chrono::milliseconds(200));
  dispatcher.RunPending();
  return update.Outcome() == acquisition::UpdateOutcome::Succeeded ? 0 : 1;
}

int RunQuickUpdate(Context& context, TerminalView& view, catalogue::CatalogueQuery& query1,
                   acquisition::Fetcher& fetcher, const std::string& code) {
  if (code == planner::kSecin) throw UsageError("--department bir bölüm kodu ister");
  ui::ChoiceList& department = view.DepartmentCombo(1);
  department.Add(std::string(planner::kSecin));
  department.Add(code);
  department.SetItemIndex(1);
  switch (acquisition::QuickUpdate(1, view, query1, fetcher, ScheduleServerUrl())) {
    case acquisition::QuickUpdateResult::Updated:
      return 0;
    case acquisition::QuickUpdateResult::NoTable:
      PrintLine(context.out, code + std::string(": sayfada ders tablosu yok, tablo olduğu gibi kaldı."_w));
      return 0;
    case acquisition::QuickUpdateResult::FetchFailed:
    case acquisition::QuickUpdateResult::Skipped:
      break;
  }
  return 1;
}

int Run(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {}, {"--department"});
  args.ExpectPositional(0, "update [--department KOD]");
  TerminalView view(context.out, context.err);
  catalogue::CatalogueQuery query1(catalogue::MakeConnectionString(context.program_folder, catalogue::kMainCatalogue));
  acquisition::CurlFetcher fetcher(acquisition::kPageTimeouts);
  if (args.Has("--department")) {
    return RunQuickUpdate(context, view, query1, fetcher, Utf8ToCp1254(args.Value("--department")));
  }
  return RunFullUpdate(context, view, query1, fetcher);
}

const CommandRegistration registration({"update", "update [--department KOD]   ders bilgilerini sunucudan güncelle",
                                        Run});

}  // namespace
}  // namespace kiremo::cli
