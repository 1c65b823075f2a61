#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/fetcher.h"
#include "acquisition/queue_dispatcher.h"
#include "app/app.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "view/memory_view.h"

namespace kiremo::app::testing {

// Answers from a table of addresses; any other address fails as a
// connection would. Remembers what was asked, in order.
class ScriptedFetcher : public acquisition::Fetcher {
 public:
  std::map<std::string, std::string> pages;
  std::vector<std::string> asked;

 private:
  std::string DoGet(const std::string& url, std::stop_token) override {
    asked.push_back(url);
    const auto page = pages.find(url);
    if (page == pages.end()) throw acquisition::FetchError("no connection");
    return page->second;
  }
};

inline constexpr const char* kSchedule = "http://schedule.test";
inline constexpr const char* kSite = "http://site.test";

// A program folder with a small catalogue (ELK and MAT), the window in
// memory, and an App over them whose network is scripted.
class AppTest : public ::testing::Test {
 protected:
  AppTest() : catalogue(folder.Path()) {
    using testing_support::Section;
    catalogue.Department("ELK",
                         {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029"),
                          Section("21002", "ELK 102", std::string("Ayşe Kaya"_w), std::string("Salı"_w), "1030/1229")});
    catalogue.Department(
        "MAT", {Section("31001", "MAT 101", "Can Er", "Cuma", "0930/1129", "MKB", "D2", std::string("TÜM"_w))});
    // The site answers the version check with our own version.
    site.pages[std::string(kSite) + "/kiremo/version.txt"] = "1.51";
    site.pages[std::string(kSite) + "/kiremo/duzeltme.txt"] = "";
  }

  StartupOptions Options(std::string startup_file = {}) {
    return StartupOptions{folder.Path(), "/opt/kiremo/kiremo", std::move(startup_file),
                          XdgFolders{xdg / "data", xdg / "config"},
                          NetworkParts{pages, site, acquisition::Hosts{kSchedule, kSite}}};
  }

  // Makes the App and runs its start-up, as the window's creation does.
  App& Start(std::string startup_file = {}) { return StartWith(Options(std::move(startup_file))); }
  App& StartWith(StartupOptions options) {
    app = std::make_unique<App>(view, dispatcher, std::move(options));
    view.Edit1().on_change = [this] { app->Edit1Change(); };
    app->FormCreate();
    return *app;
  }

  // Picks an item of a combo box as the student does, raising its event.
  void Pick(int combo, std::string_view item) {
    ui::MemoryChoiceList& list = view.ComboBox(combo);
    const auto& items = list.Items();
    const auto found = std::find(items.begin(), items.end(), item);
    ASSERT_NE(found, items.end()) << item;
    list.SetItemIndex(static_cast<int>(found - items.begin()));
    const int row = (combo + 2) / 3;
    switch (combo % 3) {
      case 1: app->DepartmentChosen(row); break;
      case 2: app->CourseChosen(row); break;
      default: app->SectionChosen(row); break;
    }
  }

  // Lets the window's thread run until no page is being fetched any more
  // (the quick updates run their fetches off it).
  void Settle() {
    ASSERT_TRUE(dispatcher.RunUntil([&] { return !app->FetchBusy(); }, std::chrono::seconds(10)));
  }

  std::string SettingsFile() const { return folder / "config.ini"; }

  testing_support::TempFolder folder;
  testing_support::TempFolder xdg;
  testing_support::CatalogueFixture catalogue;
  ScriptedFetcher pages;
  ScriptedFetcher site;
  ui::MemoryView view;
  acquisition::QueueDispatcher dispatcher;
  std::unique_ptr<App> app;
};

}  // namespace kiremo::app::testing
