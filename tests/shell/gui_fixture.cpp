#include "shell/gui_fixture.h"

#include <QApplication>
#include <cstdlib>
#include <string_view>

#include "catalogue/file_system.h"
#include "shell/qt_dialogs.h"
#include "shell/qt_widgets.h"
#include "shell/translations.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {

namespace {

testing_support::TempFolder* xdg_home = nullptr;

// The offscreen platform's own screen (800 x 600) is smaller than the
// window: a desktop screen lets the tests grow and maximise it.
void UseLargeOffscreenScreen() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && std::string_view(platform) != "offscreen") return;
  const std::string config = *xdg_home / "screens.json";
  WriteFileAtomically(config, R"({"screens": [{"name": "Desktop", "x": 0, "y": 0, "width": 1920, "height": 1200,)"
                              R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
}

// One application for the whole test program, on the offscreen platform
// unless another one is asked for, with the desktop folders in a temporary
// place so that no test touches the user's own.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    xdg_home = new testing_support::TempFolder;
    UseLargeOffscreenScreen();
    ::setenv("XDG_DATA_HOME", (*xdg_home / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (*xdg_home / "config").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (*xdg_home / "").c_str(), 1);
    application_ = std::make_unique<QApplication>(argc_, argv_);
    InstallTurkishTranslations(*application_);  // as the program does
  }
  void TearDown() override {
    application_.reset();
    delete xdg_home;
    xdg_home = nullptr;
  }

 private:
  int argc_ = 1;
  char name_[10] = "gui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

const app::XdgFolders& TestXdgFolders() {
  static const app::XdgFolders folders{*xdg_home / "data", *xdg_home / "config"};
  return folders;
}

GuiTest::GuiTest() : catalogue(folder.Path()) {
  using testing_support::Section;
  catalogue.Department("ELK", {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029"),
                               Section("21002", "ELK 101", "Can Er", std::string("Salı"_w), "1030/1229"),
                               Section("21003", "ELK 102", std::string("Ayşe Kaya"_w), "Pazartesi", "0930/1129")});
  catalogue.Department("MAT",
                       {Section("31001", "MAT 101", "Can Er", "Cuma", "0930/1129", "MKB", "D2", std::string("TÜM"_w))});
  QtDialogs::SetStandIn(&dialogs);
  QtLauncher::SetStandIn(&browser);
}

GuiTest::~GuiTest() {
  form.reset();
  QtLauncher::SetStandIn(nullptr);
  QtDialogs::SetStandIn(nullptr);
}

app::StartupOptions GuiTest::Options(std::string startup_file) {
  return {folder.Path(), "/opt/kiremo/kiremo", std::move(startup_file), TestXdgFolders(),
          app::NetworkParts{network, network, {"http://127.0.0.1:9", "http://127.0.0.1:9"}}};
}

TForm1& GuiTest::Start(std::string startup_file) {
  form.reset();
  form = std::make_unique<TForm1>(Options(std::move(startup_file)));
  return *form;
}

void GuiTest::Pick(QComboBox* combo, int k) {
  combo->setCurrentIndex(k);
  emit combo->activated(k);
}

}  // namespace kiremo::shell::testing
