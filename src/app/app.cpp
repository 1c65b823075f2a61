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
#include "text/text_helpers.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kRowsWaitForUpdate = "Güncelleme bitene kadar ders satırları değiştirilemez."_w;

// The names of the steps in the "Düzen" menu, after a course code, a number
// or a file name.
constexpr std::string_view kAddStep = " ekleme";
constexpr std::string_view kRemoveStep = " çıkarma"_w;
constexpr std::string_view kResetStep = "Sıfırlama"_w;
constexpr std::string_view kAlternativeStep = ". alternatif";
constexpr std::string_view kApplyStep = "Güncel bilgileri uygulama"_w;

// Whether a plan of the history has the department chosen in a row.
bool HistoryNames(const PlanHistory& history, const std::string& department) {
  bool named = false;
  history.ForEachState([&](const PlanState& state) {
    for (int row = 1; row <= planner::kRows; ++row)
      named = named || SameTextIgnoringCase(state.plan.combos[3 * row - 3], department);
  });
  return named;
}

}  // namespace

App::App(ui::MainView& view, acquisition::Dispatcher& dispatcher, StartupOptions options)
    : view_(view),
      dispatcher_(dispatcher),
      options_(std::move(options)),
      settings_(options_.program_folder + std::string(kSettingsFile)),
      settings_writes_(view_, settings_),
      recent_(settings_),
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
  quick_updates_->OnUpdated([this](const std::string& department) {
    if (HistoryNames(history_, department)) ClearHistory();
    Step([&](std::string& name) {
      name = kApplyStep;
      stale_plan_.Check(true);
    });
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
  ShowHistory();
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
  const bool succeeded = outcome == acquisition::UpdateOutcome::Succeeded;
  Guarded([&] {
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
  if (succeeded) ClearHistory();
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
    changes_.Started(check_startup_plan_ ? plan_commands_.LastFile() : std::string());
    if (check_startup_plan_) recent_.Add(plan_commands_.LastFile());
  });
  // Undo goes back no further than the plan the window opened with.
  ClearHistory();
}

void App::FormShown() {
  if (!check_startup_plan_) return;
  check_startup_plan_ = false;
  Step([&](std::string& name) {
    name = kApplyStep;
    stale_plan_.Check();
  });
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
  Step([&](std::string& name) {
    previewed_row_ = row;  // a refused section stays previewed
    planner_.KaydetClick(row);
    name = planner_.Ders(row).DersKodu + std::string(kAddStep);
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
  Step([&](std::string& name) {
    const int row = planner::WithoutPreview(planner_.Cell(planner_.SeciliSutun(), planner_.SeciliSatir()));
    if (planner::IsCommitted(row)) name = planner_.Ders(row).DersKodu + std::string(kRemoveStep);
    planner_.btnCikarClick();
  });
}

void App::Sifirla() {
  Step([&](std::string& name) {
    if (!MayDiscardPlan()) return;
    name = kResetStep;
    planner_.Sifirla();
    changes_.Started({});
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
  Step(
      [&](std::string& name) {
        // Alternatives of rows that have changed since would apply other sections.
        if (freshness_.Stale()) return view_.ComboBox31().Clear();
        const int item = view_.ComboBox31().ItemIndex();
        name = std::to_string(item) + std::string(kAlternativeStep);
        generator_.ComboBox31Change(item);
        freshness_.Made();
      },
      true);
}

void App::GeneratorInputChanged() {
  Guarded([] {});
}

void App::SiralaChange() {
  Guarded([&] { ReorderResults(view_, generator_); });
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

}  // namespace kiremo::app
