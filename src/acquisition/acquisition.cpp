#include "acquisition/acquisition.h"

#include <optional>

#include "acquisition/addresses.h"
#include "acquisition/catalogue_claim.h"
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
      program_folder_(program_folder),
      report_(report),
      query1_(query1),
      full_(std::move(program_folder), hosts_.schedule, report, dispatcher, query1, pages_, std::move(sifirla)) {}

Acquisition::Acquisition(std::string program_folder, UpdateReport& report, acquisition::Dispatcher& dispatcher,
                         catalogue::CatalogueQuery& query1, std::function<void()> sifirla, Fetcher& pages,
                         Fetcher& startup, Hosts hosts)
    : pages_(pages),
      startup_(startup),
      hosts_(std::move(hosts)),
      program_folder_(program_folder),
      report_(report),
      query1_(query1),
      full_(std::move(program_folder), hosts_.schedule, report, dispatcher, query1, pages_, std::move(sifirla)) {}

Acquisition::~Acquisition() = default;

std::string Acquisition::QuickUpdateUrl(const std::string& department) const {
  return SchedulePageUrl(hosts_.schedule, department);
}

QuickUpdateResult Acquisition::StoreQuickUpdate(const std::string& department, const FetchResult& fetched) {
  // The catalogue is being switched: the page belongs to the old one.
  if (query1_.ConnectionString().empty()) return QuickUpdateResult::Refused;
  if (!fetched.page) return StoreDepartmentPage(department, fetched, query1_, report_);
  std::optional<catalogue::FolderLock> lock;
  if (!full_.Running()) {
    try {
      lock = ClaimCatalogueFolder(program_folder_);
    } catch (const ClaimRefused& refused) {
      Notice notice = refused.notice();
      notice.icon = Icon::Warning;
      report_.Show(notice);
      return QuickUpdateResult::Refused;
    }
  }
  return StoreDepartmentPage(department, fetched, query1_, report_);
}

void Acquisition::CheckVersion() {
  try {
    acquisition::CheckVersion(startup_, hosts_.site, report_);
  } catch (const Error&) {
    // No network, no site, a bad answer: start-up goes on without a word.
  }
}

}  // namespace kiremo::acquisition
