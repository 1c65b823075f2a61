// The full update of the demo term against kiremo-demo-server, once with
// pages served at once and once with every page delayed by 100 ms. The five
// workers overlap when the delayed run costs no more than 1.3 x
// (departments / 5) x 100 ms on top of the undelayed one.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "acquisition/curl_fetcher.h"
#include "acquisition/full_update.h"
#include "acquisition/queue_dispatcher.h"
#include "acquisition/update_report.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "support/temp_folder.h"

namespace {

using namespace kiremo;

const std::string kBin = KIREMO_BIN_DIR;
const std::string kPages = kBin + "/../demo/pages";

// kiremo-demo-server on a free port, stopped at the end.
class DemoServer {
 public:
  explicit DemoServer(int delay_ms) {
    int out[2];
    if (::pipe(out) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], 1);
      ::close(out[0]);
      const std::string server = kBin + "/kiremo-demo-server";
      const std::string delay = std::to_string(delay_ms);
      ::execl(server.c_str(), server.c_str(), "--pages", kPages.c_str(), "--port", "0", "--delay-ms", delay.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(out[1]);
    FILE* lines = ::fdopen(out[0], "r");
    char url[256] = {};
    const bool ok = std::fgets(url, sizeof url, lines) != nullptr;
    std::fclose(lines);
    if (!ok) throw std::runtime_error("kiremo-demo-server did not start");
    url_ = url;
    while (!url_.empty() && (url_.back() == '\n' || url_.back() == '\r')) url_.pop_back();
  }
  ~DemoServer() {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  const std::string& Url() const { return url_; }

 private:
  pid_t pid_ = -1;
  std::string url_;
};

int Departments() { return static_cast<int>(catalogue::ReadDepartmentList(kBin + "/DataBase/kodlar.dat").size()); }

// The update's texts cost nothing here; the outcome tells whether it worked.
class SilentReport : public acquisition::UpdateReport {
 public:
  void Status(const std::string&) override {}
  void Show(const Notice&) override {}
  void StandardError(const std::string&) override {}
};

// Seconds per update of the undelayed run, for the bound of the delayed one.
double undelayed_seconds = 0;

void BM_FullUpdate(benchmark::State& state) {
  const int delay_ms = static_cast<int>(state.range(0));
  if (!std::filesystem::exists(kPages + "/index.html") || !std::filesystem::exists(kBin + "/DataBase/dbase.dbs")) {
    state.SkipWithError("no demo term: build the demo_catalogue target first");
    return;
  }
  DemoServer server(delay_ms);
  acquisition::CurlFetcher fetcher;
  double total = 0;
  for (auto _ : state) {
    state.PauseTiming();
    testing_support::TempFolder folder;
    std::filesystem::copy(kBin + "/DataBase", folder / "DataBase");
    SilentReport report;
    acquisition::QueueDispatcher dispatcher;
    catalogue::CatalogueQuery query1(catalogue::MakeConnectionString(folder.Path(), catalogue::kMainCatalogue));
    acquisition::FullUpdate update(folder.Path(), server.Url(), report, dispatcher, query1, fetcher, {});
    state.ResumeTiming();

    const auto started = std::chrono::steady_clock::now();
    update.menuVeriAlClick();
    while (update.Running()) dispatcher.WaitAndRun(std::chrono::milliseconds(50));
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    state.PauseTiming();
    if (update.Outcome() != acquisition::UpdateOutcome::Succeeded) state.SkipWithError("the update failed");
    state.ResumeTiming();
  }
  const double seconds = total / static_cast<double>(state.iterations());
  const int departments = Departments();
  state.counters["departments"] = departments;
  if (delay_ms == 0) {
    undelayed_seconds = seconds;
  } else {
    const double overlapped = 1.3 * std::ceil(departments / 5.0) * delay_ms / 1000.0;
    state.counters["bound_s"] = overlapped + undelayed_seconds;
    state.counters["within_bound"] = seconds <= overlapped + undelayed_seconds ? 1 : 0;
    state.counters["serial_s"] = departments * delay_ms / 1000.0;
  }
}

BENCHMARK(BM_FullUpdate)->Arg(0)->Arg(100)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
