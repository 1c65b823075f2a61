#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "acquisition/fetcher.h"
#include "shell/form1.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "view/memory_view.h"

namespace kiremo::shell::testing {

// The XDG folders every window of the test program registers its
// association in (set up before the application starts).
const app::XdgFolders& TestXdgFolders();

// Answers every address with a failed connection, at once. The workers of
// a full update ask from their own threads.
class OfflineFetcher : public acquisition::Fetcher {
 public:
  std::vector<std::string> Asked() const {
    const std::lock_guard lock(mutex_);
    return asked_;
  }

 private:
  std::string DoGet(const std::string& url, std::stop_token) override {
    const std::lock_guard lock(mutex_);
    asked_.push_back(url);
    throw acquisition::FetchError("offline");
  }

  mutable std::mutex mutex_;
  std::vector<std::string> asked_;
};

// A program folder with a small catalogue (ELK, MAT), message boxes and file
// dialogs answered by an in-memory stand-in, addresses for the browser
// recorded, and the main window started on them.
class GuiTest : public ::testing::Test {
 protected:
  GuiTest();
  ~GuiTest() override;

  app::StartupOptions Options(std::string startup_file = {});
  // Starts a main window on the program folder (again).
  TForm1& Start(std::string startup_file = {});

  // Picks item `k` of a combo box as the student does.
  static void Pick(QComboBox* combo, int k);
  template <typename T>
  T* Find(const char* name) {
    T* found = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  std::string SettingsFile() const { return folder / "config.ini"; }

  testing_support::TempFolder folder;
  testing_support::CatalogueFixture catalogue;
  ui::MemoryDialogs dialogs;
  ui::MemoryLauncher browser;
  OfflineFetcher network;
  std::unique_ptr<TForm1> form;
};

}  // namespace kiremo::shell::testing
