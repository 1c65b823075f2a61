#pragma once

#include <functional>
#include <memory>
#include <string>

#include "acquisition/dispatcher.h"
#include "acquisition/fetcher.h"
#include "acquisition/full_update.h"
#include "acquisition/quick_update.h"
#include "acquisition/update_report.h"
#include "catalogue/database.h"

namespace kiremo::acquisition {

struct Hosts {
  std::string schedule;  // the university's schedule server
  std::string site;      // the program's web site
};

// The servers named by KIREMO_SCHEDULE_URL and KIREMO_SITE_URL.
Hosts HostsFromEnvironment();

// Everything the window asks of the acquisition, in one object that tells
// the student through `report`. All calls are made on the window's thread.
class Acquisition {
 public:
  // Fetches over the network: catalogue pages with generous time-outs, the
  // version files with short ones; hosts from the environment.
  Acquisition(std::string program_folder, UpdateReport& report, acquisition::Dispatcher& dispatcher,
              catalogue::CatalogueQuery& query1, std::function<void()> sifirla);
  // With fetchers and hosts of the caller's choice.
  Acquisition(std::string program_folder, UpdateReport& report, acquisition::Dispatcher& dispatcher,
              catalogue::CatalogueQuery& query1, std::function<void()> sifirla, Fetcher& pages, Fetcher& startup,
              Hosts hosts);
  ~Acquisition();

  // "Veri Al/Güncelle".
  void menuVeriAlClick() { full_.menuVeriAlClick(); }
  // Esc or the cancel button while the full update runs; false when none ran.
  bool CancelFullUpdate() { return full_.Cancel(); }

  // The quick update of a department chosen while "Otomatik güncelleme" is
  // on, in two halves: the address the window fetches off its thread, and
  // the store of what came, on the window's thread. The store is refused
  // with a box when the catalogue folder is read-only or another program
  // updates the catalogue; while this program's own full update runs it
  // goes on, as the old catalogue is still the main one.
  std::string QuickUpdateUrl(const std::string& department) const;
  QuickUpdateResult StoreQuickUpdate(const std::string& department, const FetchResult& fetched);
  Fetcher& Pages() { return pages_; }

  // Start-up's version check: any failure ends it silently.
  void CheckVersion();

  // The planner's reset hook.
  void ClearConnectionErrorShown() { full_.ClearConnectionErrorShown(); }
  const FullUpdate& Full() const { return full_; }
  void OnFullUpdateEnded(std::function<void(UpdateOutcome)> ended) { full_.OnEnded(std::move(ended)); }

  // Closing the window: see FullUpdate::Stop.
  void Stop() { full_.Stop(); }

 private:
  std::unique_ptr<Fetcher> own_pages_;
  std::unique_ptr<Fetcher> own_startup_;
  Fetcher& pages_;
  Fetcher& startup_;
  Hosts hosts_;
  const std::string program_folder_;
  UpdateReport& report_;
  catalogue::CatalogueQuery& query1_;
  FullUpdate full_;
};

}  // namespace kiremo::acquisition
