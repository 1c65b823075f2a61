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
  // A department chosen while "Otomatik güncelleme" is on.
  QuickUpdateResult QuickUpdate(const std::string& department);
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
  UpdateReport& report_;
  catalogue::CatalogueQuery& query1_;
  FullUpdate full_;
};

}  // namespace kiremo::acquisition
