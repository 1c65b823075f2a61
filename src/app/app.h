#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "acquisition/acquisition.h"
#include "acquisition/dispatcher.h"
#include "app/event_guard.h"
#include "app/export_commands.h"
#include "app/ini_file.h"
#include "app/menu_entry.h"
#include "app/plan_association.h"
#include "app/plan_commands.h"
#include "app/plan_history.h"
#include "app/plan_view.h"
#include "app/quick_update_queue.h"
#include "app/recent_plans.h"
#include "app/result_freshness.h"
#include "app/settings_writes.h"
#include "app/stale_plan.h"
#include "app/unsaved_changes.h"
#include "app/update_hold.h"
#include "app/view_report.h"
#include "catalogue/database.h"
#include "generator/generator.h"
#include "planner/cell_runs.h"
#include "planner/planner.h"
#include "view/main_view.h"

namespace kiremo::app {

// The servers and fetchers of the catalogue and the version check, for tests;
// the window uses the network and the hosts of the environment.
struct NetworkParts {
  acquisition::Fetcher& pages;
  acquisition::Fetcher& startup;
  acquisition::Hosts hosts;
  // How long a department choice waits before its page is fetched.
  std::chrono::milliseconds settle{0};
};

struct StartupOptions {
  std::string program_folder;   // ends in "/"
  std::string executable_path;  // what a double-clicked ".dkf" file starts
  std::string startup_file;     // the schedule file of the command line, or empty
  XdgFolders xdg;               // where the ".dkf" association is registered
  std::optional<NetworkParts> network;
  // Started from an installed program's folder: its data folder is in the
  // user's home and its package registers the ".dkf" association.
  bool installed = false;
};

// The program without its window: the catalogue query Query1, the planner,
// the settings, the start-up and shutdown sequences, and one entry point per
// event of the window. Every entry point catches every error and shows it in
// the standard error box, so the window stays usable and nothing reaches the
// window system's event loop.
class App {
 public:
  App(ui::MainView& view, acquisition::Dispatcher& dispatcher, StartupOptions options);
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // The main window's creation: the start-up sequence. A failing step ends
  // it with the standard error box; the window opens all the same.
  void FormCreate();
  // The window is on the screen: the plan loaded at start-up is compared
  // with the catalogue now, so that its box opens over the window.
  void FormShown();
  // The main window's close through its frame: writes the settings back
  // and stops a running catalogue update. False, after the standard error
  // box, when the window must stay open (an hour field that is not a
  // number); a settings file that cannot be written is told once and
  // closes all the same.
  bool FormClose();

  // Course row i (1..10).
  void DepartmentChosen(int row);
  void CourseChosen(int row);
  void SectionChosen(int row);
  void KaydetClick(int row);
  // "Bilgi": remembers the row for the lookup menu the window opens next.
  void ButtonClick(int row);
  void popDersClick();
  void popHocaClick();

  void Grid1SelectCell(int column, int row);
  void btnCikarClick();
  // The student's locks, exclusions and busy hours (constraint_events.cpp).
  // Each click flips its setting: item `item` of the row's section list
  // locked in the row or not, excluded or not; the row's committed section
  // locked or not (from its colour marker); the cells kept free or not. A
  // section previewed at the time is previewed again under the new settings.
  void LockSectionClick(int row, int item);
  void ExcludeSectionClick(int row, int item);
  void SwatchLockClick(int row);
  void BusyCellsClick(const std::vector<planner::GridCell>& cells, bool busy);
  // The context menus that raise them, worded for the settings as they are:
  // none for an item that is not a section or for no body cell.
  MenuEntries SectionMenu(int row, int item);
  MenuEntries SwatchMenu(int row);
  MenuEntries CellMenu(const std::vector<planner::GridCell>& cells);

  // "Sıfırla", button and menu item.
  void Sifirla();
  void Edit1Change();

  // The generator panel: "Oluştur", the result list and its order.
  void btnYerlestirClick();
  void ComboBox31Change();
  void SiralaChange();
  // A constraint of the generator changed (an hour field, a free day, the
  // unwanted buildings, "Bölüm Kodunu dikkate al", a teacher choice).
  void GeneratorInputChanged();
  // The window's watch over long searches (a progress box with a stop button).
  void SetSearchMonitor(generator::SearchMonitor* monitor) { generator_.SetSearchMonitor(monitor); }

  // "CRN Listesiyle İlgili Birşeyler Yap" popup.
  void CRNListeKopyalaClick();
  void CRNScriptKopyalaClick();

  // Menu "Dosya".
  void menuAcClick();
  void menuKaydetClick();
  // "Son açılanlar": the plans opened or saved last, newest first, and one
  // of them chosen. One that is gone is told and dropped from the list.
  std::vector<std::string> RecentPlanFiles() const { return recent_.Files(); }
  void RecentPlanClick(const std::string& file);
  void menuExcelClick();
  // "Takvime aktar (.ics)…", "Resim olarak kaydet…", "Yazdır…".
  void menuTakvimClick();
  void menuResimClick();
  void menuYazdirClick();
  // The window's term dialog, picture files and printer.
  void SetExportWindow(ExportWindow* window) { export_commands_.SetWindow(window); }
  // Menu "Düzen": the plan before the last step, after the step undone last
  // (undo_events.cpp).
  void menuGeriAlClick();
  void menuYineleClick();
  const PlanHistory& History() const { return history_; }
  // Menu "Program".
  void menuVeriAlClick();
  void menuOtomatikClick();
  // "Açılışta yeni sürümü denetle", an installed program's own item: it
  // flips the stored choice at once.
  bool VersionCheckMenuShown() const;
  bool VersionCheckAtStart() const;
  void VersionCheckClick();
  // Menu "Hakkında".
  void YardimClick();

  // Esc or the cancel button: gives up the pages being fetched (the quick
  // updates and the full update).
  void CancelFetch();
  // Whether a page is being fetched that the student may give up on.
  bool FetchBusy() const;
  // From the full update's reset to its end the course rows stay as the
  // reset left them: the plan comes back when the update ends.
  bool RowsWaitForUpdate() const { return rows_wait_for_update_; }

  // The settings step of the reset.
  void ApplyStoredSettings();

  // Before the plan on screen is thrown away (closing, "Çık", "Sıfırla",
  // "Aç", "Veri Al/Güncelle"): true when nothing unsaved would be lost, or
  // the student answered "Kaydet" (and it was saved) or "Kaydetme"; false
  // for "Vazgeç" and for a save that did not happen.
  bool MayDiscardPlan();
  bool PlanModified() const { return changes_.Modified(); }

  const std::string& VersionText() const { return version_text_; }
  const std::string& ProgramFolder() const { return options_.program_folder; }
  const std::string& StartupFile() const { return options_.startup_file; }
  planner::Planner& Plan() { return planner_; }
  PlanCommands& Files() { return plan_commands_; }
  ExportCommands& Exports() { return export_commands_; }
  generator::Generator& Generator() { return generator_; }
  acquisition::Acquisition& Updates() { return *acquisition_; }
  catalogue::CatalogueQuery& Query1() { return query1_; }
  ui::MainView& View() { return view_; }

 private:
  // Runs one event's work; an error ends it in the standard error box.
  template <typename Work>
  void Guarded(Work&& work);
  // After every event: results made from what has changed leave the list,
  // and the caption marks unsaved changes.
  void AfterEvent();
  // Runs one event that may change the plan, as one step of the history:
  // work(name) names the step; a step that changed nothing is none. See
  // PlanHistory::Record for `joins`.
  template <typename Work>
  void Step(Work&& work, bool joins = false);
  // The plan, the teacher choices and the generator panel as they are now,
  // and as undo or redo brings them back.
  PlanState CurrentState() const;
  void ShowState(const PlanState& state);
  // The "Düzen" menu's items name the steps they would take.
  void ShowHistory();
  // The catalogue changed: the steps may name sections that are gone.
  // Also the start of the history.
  void ClearHistory();
  // A plan file was opened: the step's name, its document, the recent
  // plans, and the check against the catalogue.
  void PlanOpened(std::string& name);
  // Asks for a name and saves the plan there; the plan belongs to that file
  // from now on. False when nothing was saved.
  bool SavePlan();
  // Where the save dialog starts: the plan's own file, else the folder
  // of the plan file used last.
  std::string SaveStart() const;
  // The caption of the plan of this file (none when empty).
  static std::string CaptionOf(const std::string& file);
  // After a change of the locks, exclusions or busy hours: the section
  // previewed, if any, is shown again under them.
  void PreviewAgain();
  // The full update's reset, before its workers fetch.
  void ResetForUpdate();
  // The full update gave the catalogue back: the plan it reset returns and
  // is checked; an update that changed nothing gives the results back too.
  void FullUpdateEnded(acquisition::UpdateOutcome outcome);
  // At start: a catalogue that cannot be read at all is said at once, with
  // what rebuilds it, before the student runs into it.
  void SayIfCatalogueDamaged();

  ui::MainView& view_;
  acquisition::Dispatcher& dispatcher_;
  StartupOptions options_;
  std::string version_text_;
  catalogue::CatalogueQuery query1_;
  IniFile settings_;
  SettingsWrites settings_writes_;
  RecentPlans recent_;
  planner::Planner planner_;
  PlanView plan_view_;
  PlanCommands plan_commands_;
  ExportCommands export_commands_;
  generator::Generator generator_;
  UnsavedChanges changes_;
  PlanHistory history_;
  // Where undo of the next step goes back to.
  PlanState anchor_;
  ResultFreshness freshness_;
  StalePlan stale_plan_;
  UpdateHold update_hold_;
  // Outlives the acquisition, whose end may still report.
  ViewReport report_;
  std::unique_ptr<acquisition::Acquisition> acquisition_;
  // Ends its fetch before the acquisition goes.
  std::unique_ptr<QuickUpdateQueue> quick_updates_;
  // The row whose section the student chose to preview last; 0 for none.
  int previewed_row_ = 0;
  bool rows_wait_for_update_ = false;
  // The plan named on the command line was loaded: checked once the window shows.
  bool check_startup_plan_ = false;
};

template <typename Work>
void App::Guarded(Work&& work) {
  RunGuarded(view_.Dialog(), std::forward<Work>(work));
  RunGuarded(view_.Dialog(), [this] { AfterEvent(); });
}

template <typename Work>
void App::Step(Work&& work, bool joins) {
  const PlanState start = CurrentState();
  std::string name;
  RunGuarded(view_.Dialog(), [&] { work(name); });
  RunGuarded(view_.Dialog(), [&] {
    PlanState end = CurrentState();
    if (end == start) return;
    // The choices that led to the step belong to it: undo goes back to the
    // plan as the last step, save or undo left it.
    history_.Record(std::move(name), std::move(anchor_), end, joins);
    anchor_ = std::move(end);
  });
  RunGuarded(view_.Dialog(), [this] { AfterEvent(); });
}

}  // namespace kiremo::app
