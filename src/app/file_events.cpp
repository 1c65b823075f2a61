#include <filesystem>
#include <system_error>

#include "app/app.h"
#include "text/cp1254.h"
#include "text/program.h"

// The events of the menu "Dosya" and of the CRN list's popup.
namespace kiremo::app {

namespace {

constexpr std::string_view kUnsavedQuestion =
    "Ekrandaki ders programında kaydedilmemiş değişiklikler var. Önce kaydetmek ister misin?"_w;
// The name of the step in the "Düzen" menu, after the file's name.
constexpr std::string_view kOpenStep = " açma"_w;
// After the file's name.
constexpr std::string_view kRecentPlanGone = "\" artık yok; son açılanlar listesinden çıkarıldı."_w;

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

}  // namespace

void App::CRNListeKopyalaClick() {
  Guarded([&] { plan_commands_.CRNListeKopyalaClick(); });
}

void App::CRNScriptKopyalaClick() {
  Guarded([&] { plan_commands_.CRNScriptKopyalaClick(); });
}

void App::menuAcClick() {
  Step([&](std::string& name) {
    if (!MayDiscardPlan() || !plan_commands_.Load(options_.startup_file)) return;
    PlanOpened(name);
  });
}

void App::RecentPlanClick(const std::string& file) {
  Step([&](std::string& name) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
      recent_.Remove(file);
      view_.Dialog().Message("HATA", "\"" + Utf8ToCp1254(file) + std::string(kRecentPlanGone), Icon::Warning);
      return;
    }
    if (!MayDiscardPlan() || !plan_commands_.LoadFile(file)) return;
    PlanOpened(name);
  });
}

void App::PlanOpened(std::string& name) {
  const std::string& file = plan_commands_.LastFile();
  name = BaseName(Utf8ToCp1254(file)) + std::string(kOpenStep);
  changes_.Started(file);
  recent_.Add(file);
  stale_plan_.Check();
}

void App::menuKaydetClick() {
  Guarded([&] { SavePlan(); });
}

bool App::SavePlan() {
  if (!plan_commands_.Save(SaveStart())) return false;
  changes_.Saved(plan_commands_.LastFile());
  recent_.Add(changes_.File());
  planner_.SetCaption(CaptionOf(changes_.File()));
  anchor_ = CurrentState();
  return true;
}

std::string App::SaveStart() const {
  if (!changes_.File().empty()) return changes_.File();
  std::string last = plan_commands_.LastFile();
  if (last.empty()) {
    const std::vector<std::string> recent = recent_.Files();
    if (!recent.empty()) last = recent.front();
  }
  return last.substr(0, last.find_last_of('/') + 1);
}

void App::menuExcelClick() {
  Guarded([&] { plan_commands_.ExcelExport(); });
}

void App::menuTakvimClick() {
  Guarded([&] { export_commands_.CalendarExport(); });
}

void App::menuResimClick() {
  Guarded([&] { export_commands_.PictureExport(); });
}

void App::menuYazdirClick() {
  Guarded([&] { export_commands_.PrintWeek(); });
}

bool App::MayDiscardPlan() {
  if (!changes_.Modified()) return true;
  bool may = false;
  RunGuarded(view_.Dialog(), [&] {
    switch (view_.Dialog().AskSaveChanges(ProgramTitle(), std::string(kUnsavedQuestion))) {
      case ui::SaveChoice::Save: may = SavePlan(); break;
      case ui::SaveChoice::Discard: may = true; break;
      case ui::SaveChoice::Cancel: break;
    }
  });
  return may;
}

}  // namespace kiremo::app
