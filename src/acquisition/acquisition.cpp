#include "acquisition/acquisition.h"

#include "acquisition/curl_fetcher.h"
#include "acquisition/hosts.h"
#include "acquisition/version_check.h"

namespace kiremo::acquisition {

Hosts HostsFromEnvironment() { return {ScheduleServerUrl(), SiteUrl()}; }

Acquisition::Acquisition(std::string program_folder, UpdateReport& report, acquisition::Dispatcher& dispatcher,
                         catalogue::CatalogueQuery& query1, std::function<void()> sifirla)
    : own_pages_(std::make_unique<CurlFetcher>(kPageTimeouts)),
      own_startup_(std::make_unique<CurlFetcher>(kStartupTimeouts)),
      pages_(*own_pages_),
      startup_(*own_startup_),
      hosts_(HostsFromEnvironment()),
      report_(report),
      query1_(query1),
      full_(std::move(program_folder), hosts_.schedule, report, dispatcher, query1, pages_, std::move(sifirla)) {}

Acquisition::Acquisition(std::string program_folder, UpdateReport& report, acquisition::Dispatcher& dispatcher,
                         catalogue::CatalogueQuery& query1, std::function<void()> sifirla, Fetcher& pages,
                         Fetcher& startup, Hosts hosts)
    : pages_(pages),
      startup_(startup),
      hosts_(std::move(hosts)),
      report_(report),
      query1_(query1),
      full_(std::move(program_folder), hosts_.schedule, report, dispatcher, query1, pages_, std::move(sifirla)) {}

Acquisition::~Acquisition() = default;

QuickUpdateResult Acquisition::QuickUpdate(const std::string& department) {
  return acquisition::QuickUpdate(department, query1_, pages_, hosts_.schedule, report_);
}

void Acquisition::CheckVersion() {
  try {
    acquisition::CheckVersion(startup_, hosts_.site, report_);
  } catch (const Error&) {
    // No network, no site, a bad answer: start-up goes on without a word.
  }
}

}  // namespace kiremo::acquisition
