#include "app/app.h"

#include "acquisition/hosts.h"
#include "app/delete_folder.h"
#include "app/event_guard.h"
#include "app/first_start.h"
#include "app/generator_panel.h"
#include "app/program_page.h"
#include "app/result_browsing.h"
#include "app/stored_settings.h"
#include "app/version_check_setting.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/catalogue_pair.h"
#include "generator/hour_window.h"
#include "planner/markers.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/program.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kUnsavedQuestion =
    "Ekrandaki ders programında kaydedilmemiş değişiklikler var. Önce kaydetmek ister misin?"_w;
constexpr std::string_view kRowsWaitForUpdate = "Güncelleme bitene kadar ders satırları değiştirilemez."_w;

}  // namespace

App::App(ui::MainView& view, acquisition::Dispatcher& dispatcher, StartupOptions options)
    : view_(view),
      dispatcher_(dispatcher),
      options_(std::move(options)),
      settings_(options_.program_folder + std::string(kSettingsFile)),
      settings_writes_(view_, settings_),
      planner_(query1_, options_.program_folder, ForumUrl(), ProgramTitle()),
      plan_view_(planner_, view_),
      plan_commands_(planner_, view_),
      export_commands_(planner_, view_, settings_),
      generator_(planner_, query1_),
      changes_(planner_),
      freshness_(planner_, view_),
      stale_plan_(planner_, view_),
      update_hold_(generator_, view_),
      report_(view_) {
  planner_.SetObserver(&plan_view_);
  // A long search lists its best so far while it goes on; they belong to
  // the rows and panel it was started on, which its box keeps as they are.
  generator_.SetSoFarListener([this] {
    freshness_.Made();
    ShowResults(view_, generator_);
  });
  planner_.SetDepartmentFilter([this] {
    return planner::DepartmentFilter{view_.CheckBox1().Checked(), view_.Edit1().Text()};
  });
  auto sifirla = [this] { ResetForUpdate(); };
  if (options_.network) {
    acquisition_ = std::make_unique<acquisition::Acquisition>(options_.program_folder, report_, dispatcher_, query1_,
                                                              sifirla, options_.network->pages,
                                                              options_.network->startup, options_.network->hosts);
  } else {
    acquisition_ =
        std::make_unique<acquisition::Acquisition>(options_.program_folder, report_, dispatcher_, query1_, sifirla);
  }
  quick_updates_ = std::make_unique<QuickUpdateQueue>(planner_, *acquisition_, dispatcher_, view_,
                                                      options_.network ? options_.network->settle : kQuickUpdateSettle);
  acquisition_->OnFullUpdateEnded([this](acquisition::UpdateOutcome outcome) { FullUpdateEnded(outcome); });
  // An automatic update tells only what the student has not heard of yet.
  quick_updates_->OnUpdated([this] {
    stale_plan_.Check(true);
    AfterEvent();
  });
  planner_.SetResetHooks({.clear_connection_error_shown = [this] { acquisition_->ClearConnectionErrorShown(); },
                          .clear_free_days_and_results =
                              [this] {
                                for (int day = 1; day <= 5; ++day) view_.Chk(day).SetChecked(false);
                                view_.ComboBox31().Clear();
                              },
                          .clear_candidates = [this] { generator_.ClearCandidates(); },
                          .apply_stored_settings = [this] { ApplyStoredSettings(); }});
}

void App::AfterEvent() {
  if (view_.ComboBox31().Count() > 0 && freshness_.Stale()) view_.ComboBox31().Clear();
  stale_plan_.Refresh();
  plan_view_.MarkModified(changes_.Modified());
}

void App::ResetForUpdate() {
  update_hold_.Take();
  stale_plan_.BeforeUpdateReset(changes_.Modified());
  // Whatever the student did to the emptied rows would keep the plan from coming back.
  rows_wait_for_update_ = true;
  view_.SetRowsReadOnly(std::string(kRowsWaitForUpdate));
  planner_.Sifirla();
  changes_.Kept();
  stale_plan_.AfterUpdateReset();
}

void App::FullUpdateEnded(acquisition::UpdateOutcome outcome) {
  rows_wait_for_update_ = false;
  view_.SetRowsReadOnly({});
  Guarded([&] {
    const bool succeeded = outcome == acquisition::UpdateOutcome::Succeeded;
    // A plan opened meanwhile stays; it is checked against a new catalogue all the same.
    if (!stale_plan_.RestoreAfterUpdate()) {
      update_hold_.Drop();
      if (succeeded) stale_plan_.Check();
      return;
    }
    if (!stale_plan_.ModifiedBeforeUpdate()) changes_.Kept();
    if (succeeded) {
      update_hold_.Drop();
    } else {
      update_hold_.GiveBack();
    }
    stale_plan_.Check();
  });
}

void App::FormCreate() {
  try {
    DeleteFolder(options_.program_folder + "__history");
    if (!options_.installed) RegisterPlanAssociation(options_.executable_path, options_.xdg);
  } catch (...) {
    // A desktop that refuses the association costs nothing but the double-click.
  }
  FillSortChoice(view_, settings_);
  generator_.SetSortKeys(ChosenSortKeys(view_));
  Guarded([&] {
    // A catalogue switch that a killed update began is completed before the
    // catalogue and its department list are first read.
    catalogue::CompleteInterruptedSwitch(options_.program_folder);
    const bool first_start = options_.installed && PrepareEmptyCatalogue(options_.program_folder);
    query1_.SetConnectionString(catalogue::MakeConnectionString(options_.program_folder, catalogue::kMainCatalogue));
    version_text_ = kVersionText;
    planner_.SetCaption(ProgramTitle());
    planner_.Sifirla();
    if (first_start) {
      const Notice notice = NoCatalogueNotice();
      view_.Dialog().Message(notice.caption, notice.text, notice.icon);
    }
    SayIfCatalogueDamaged();
    if (app::VersionCheckAtStart(settings_, options_.installed)) acquisition_->CheckVersion();
    check_startup_plan_ = !options_.startup_file.empty() && plan_commands_.Load(options_.startup_file);
    changes_.Kept();
  });
}

void App::FormShown() {
  if (!check_startup_plan_) return;
  check_startup_plan_ = false;
  Guarded([&] { stale_plan_.Check(); });
}

void App::SayIfCatalogueDamaged() {
  try {
    query1_.Db();
  } catch (const DamagedCatalogueError&) {
    view_.Dialog().Message("HATA", std::string(planner::kDamagedCatalogue), Icon::Error);
  } catch (const Error&) {
    // Anything else is said by the read it stops.
  }
}

bool App::FormClose() {
  bool written = false;
  Guarded([&] {
    settings_writes_.WriteAtClose();
    written = true;
  });
  if (written) acquisition_->Stop();
  return written;
}

void App::DepartmentChosen(int row) {
  if (rows_wait_for_update_) return;
  Guarded([&] {
    planner_.SelectDepartment(row, view_.DepartmentCombo(row).ItemIndex());
    quick_updates_->Withdraw(row);
    // The quick update does nothing while the catalogue is being switched;
    // otherwise the row's lists are emptied even when no department is chosen.
    if (view_.MenuOtomatik().Checked() && !query1_.ConnectionString().empty()) {
      planner_.EmptyCourseAndSectionLists(row);
      const std::string department = planner_.Row(row).department.Text();
      // The course codes are listed once the department has been refreshed.
      if (department != planner::kSecin) return quick_updates_->Request(row, department);
    }
    planner_.DersKoduEkle(row);
  });
}

void App::CourseChosen(int row) {
  if (rows_wait_for_update_) return;
  Guarded([&] {
    planner_.SelectCourse(row, view_.CourseCombo(row).ItemIndex());
    planner_.AcilanDersEkle(row);
  });
}

void App::SectionChosen(int row) {
  if (rows_wait_for_update_) return;
  Guarded([&] {
    previewed_row_ = row;
    planner_.SelectSection(row, view_.SectionCombo(row).ItemIndex());
    planner_.SectionChosen(row);
  });
}

void App::KaydetClick(int row) {
  if (rows_wait_for_update_) return;
  Guarded([&] {
    previewed_row_ = row;  // a refused section stays previewed
    planner_.KaydetClick(row);
  });
}

void App::ButtonClick(int row) { planner_.ButtonClick(row); }

void App::popDersClick() {
  Guarded([&] { planner_.BilgiAl(planner_.BilgiSatiri(), 1); });
}

void App::popHocaClick() {
  Guarded([&] { planner_.BilgiAl(planner_.BilgiSatiri(), 0); });
}

void App::Grid1SelectCell(int column, int row) {
  Guarded([&] { planner_.Grid1SelectCell(column, row); });
}

void App::btnCikarClick() {
  Guarded([&] { planner_.btnCikarClick(); });
}

void App::Sifirla() {
  Guarded([&] {
    if (!MayDiscardPlan()) return;
    planner_.Sifirla();
    changes_.Kept();
  });
}

void App::Edit1Change() {
  Guarded([&] { settings_writes_.DepartmentCodeChanged(); });
}

void App::btnYerlestirClick() {
  Guarded([&] {
    // The teacher lists raise no event: their choice is taken when it is used.
    for (int row = 1; row <= planner::kRows; ++row) planner_.SelectTeacher(row, view_.HocaCombo(row).ItemIndex());
    generator_.SetSortKeys(ChosenSortKeys(view_));
    generator::Generation generation;
    try {
      generation = generator_.btnYerlestirClick(ReadGeneratorPanel(view_));
    } catch (const generator::HourWindowError& e) {
      view_.Dialog().Message("HATA", e.what(), Icon::Warning);
      return;
    }
    view_.ComboBox31().Clear();
    if (generation.listed > 0) ShowResults(view_, generator_);
    freshness_.Made();
    for (const Notice& box : generator::BoxesToShow(generation))
      view_.Dialog().Message(box.caption, box.text, box.icon);
  });
}

void App::ComboBox31Change() {
  Guarded([&] {
    // Alternatives of rows that have changed since would apply other sections.
    if (freshness_.Stale()) return view_.ComboBox31().Clear();
    generator_.ComboBox31Change(view_.ComboBox31().ItemIndex());
    freshness_.Made();
  });
}

void App::GeneratorInputChanged() {
  Guarded([] {});
}

void App::SiralaChange() {
  Guarded([&] { ReorderResults(view_, generator_); });
}

void App::CRNListeKopyalaClick() {
  Guarded([&] { plan_commands_.CRNListeKopyalaClick(); });
}

void App::CRNScriptKopyalaClick() {
  Guarded([&] { plan_commands_.CRNScriptKopyalaClick(); });
}

void App::menuAcClick() {
  Guarded([&] {
    if (!MayDiscardPlan() || !plan_commands_.Load(options_.startup_file)) return;
    changes_.Kept();
    stale_plan_.Check();
  });
}

void App::menuKaydetClick() {
  Guarded([&] {
    if (plan_commands_.Save()) changes_.Kept();
  });
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

void App::menuVeriAlClick() {
  // The update resets the plan once it has started.
  Guarded([&] {
    if (MayDiscardPlan()) acquisition_->menuVeriAlClick();
  });
}

void App::menuOtomatikClick() {
  // Only the check mark flips; the setting is written at shutdown.
  Guarded([&] {
    ui::CheckMark& mark = view_.MenuOtomatik();
    mark.SetChecked(!mark.Checked());
  });
}

bool App::VersionCheckMenuShown() const { return options_.installed; }

bool App::VersionCheckAtStart() const { return app::VersionCheckAtStart(settings_, options_.installed); }

void App::VersionCheckClick() {
  Guarded([&] { StoreVersionCheckAtStart(settings_, !VersionCheckAtStart()); });
}

void App::YardimClick() {
  Guarded([&] { view_.Browser().OpenAddress(ProgramPageUrl()); });
}

void App::CancelFetch() {
  Guarded([&] {
    quick_updates_->Cancel();
    acquisition_->CancelFullUpdate();
  });
}

bool App::FetchBusy() const { return quick_updates_->Busy() || acquisition_->Full().Running(); }

void App::ApplyStoredSettings() { app::ApplyStoredSettings(view_, settings_); }

bool App::MayDiscardPlan() {
  if (!changes_.Modified()) return true;
  bool may = false;
  RunGuarded(view_.Dialog(), [&] {
    switch (view_.Dialog().AskSaveChanges(ProgramTitle(), std::string(kUnsavedQuestion))) {
      case ui::SaveChoice::Save:
        may = plan_commands_.Save();
        if (may) changes_.Kept();
        break;
      case ui::SaveChoice::Discard: may = true; break;
      case ui::SaveChoice::Cancel: break;
    }
  });
  return may;
}

}  // namespace kiremo::app
