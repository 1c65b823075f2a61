#include "acquisition/acquisition.h"

#include "acquisition/curl_fetcher.h"
#include "acquisition/version_check.h"
#include "acquisition/hosts.h"

namespace kiremo::acquisition {

Hosts HostsFromEnvironment() { return {ScheduleServerUrl(), SiteUrl()}; }

Acquisition::Acquisition(std::string program_folder, ui::MainView& view, acquisition::Dispatcher& dispatcher,
                         catalogue::CatalogueQuery& query1, std::function<void()> sifirla)
    : own_pages_(std::make_unique<CurlFetcher>(kPageTimeouts)),
      own_startup_(std::make_unique<CurlFetcher>(kStartupTimeouts)),
      pages_(*own_pages_),
      startup_(*own_startup_),
      hosts_(HostsFromEnvironment()),
      view_(view),
      query1_(query1),
      full_(std::move(program_folder), hosts_.schedule, view, dispatcher, query1, pages_, std::move(sifirla)) {}

Acquisition::Acquisition(std::string program_folder, ui::MainView& view, acquisition::Dispatcher& dispatcher,
                         catalogue::CatalogueQuery& query1, std::function<void()> sifirla, Fetcher& pages,
                         Fetcher& startup, Hosts hosts)
    : pages_(pages),
      startup_(startup),
      hosts_(std::move(hosts)),
      view_(view),
      query1_(query1),
      full_(std::move(program_folder), hosts_.schedule, view, dispatcher, query1, pages_, std::move(sifirla)) {}

Acquisition::~Acquisition() = default;

void Acquisition::menuOtomatikClick() { acquisition::menuOtomatikClick(view_); }

QuickUpdateResult Acquisition::QuickUpdate(int row) {
  return acquisition::QuickUpdate(row, view_, query1_, pages_, hosts_.schedule);
}

void Acquisition::CheckVersion() {
  try {
    acquisition::CheckVersion(startup_, hosts_.site, view_.Dialog());
  } catch (const Error&) {
    // No network, no site, a bad answer: start-up goes on without a word.
  }
}

}  // namespace kiremo::acquisition
