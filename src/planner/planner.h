#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/database.h"
#include "planner/cell_runs.h"
#include "planner/choices.h"
#include "planner/constraints.h"
#include "planner/grid.h"
#include "planner/plan_observer.h"
#include "planner/plan_snapshot.h"
#include "planner/tders.h"

namespace kiremo::planner {

// Grid cell states, [day column 1..5][hour row 1..14]; index 0 is unused.
using CellStates = std::array<std::array<int, kSlots + 1>, kDays + 1>;
using CellTexts = std::array<std::array<std::string, kSlots + 1>, kDays + 1>;

// One course row: its four lists, its "Ekle" button, its swatch and the
// section committed in it.
struct CourseRow {
  Choices department;
  Choices course;
  SectionChoices section;
  Choices teacher;
  bool ekle = false;
  std::uint32_t swatch = 0xFFFFFF;
};

// The department filter of the section lists: "Bölüm Kodunu dikkate al"
// and the student's department code as typed.
struct DepartmentFilter {
  bool on = true;
  std::string code;
};

// What the reset does beyond the planner, in its place among the reset's
// steps: clear the full update's connection-message flag, clear the free
// days and the result list, empty the generator's candidates, and read the
// stored settings (its last step before the final refresh).
struct ResetHooks {
  std::function<void()> clear_connection_error_shown;
  std::function<void()> clear_free_days_and_results;
  std::function<void()> clear_candidates;
  std::function<void()> apply_stored_settings;
};

// The manual planner: the ten course rows with their lists, their records
// and the grid's cell states and texts; committing, removing, resetting,
// the details line and the web lookups. Its state is its own: the window
// shows it through a PlanObserver and hands it the student's choices.
class Planner {
 public:
  Planner(catalogue::CatalogueQuery& query1, std::string program_folder, std::string forum_url, std::string caption);

  void SetObserver(PlanObserver* observer) { observer_ = observer; }
  void SetResetHooks(ResetHooks hooks) { hooks_ = std::move(hooks); }
  // Where the section lists read the department filter, at the moment they
  // are filled; the filter is off until one is given.
  void SetDepartmentFilter(std::function<DepartmentFilter()> filter) { filter_ = std::move(filter); }

  // State.
  const CourseRow& Row(int row) const;
  const TDers& Ders(int row) const;  // Dersler, rows 1..10
  const TDers& GeciciDers() const { return gecici_; }
  const CellStates& Hucreler() const { return hucreler_; }
  int Cell(int day, int slot) const { return InsideGridBody(day, slot) ? hucreler_[day][slot] : 0; }
  // The state whose colour the screen's grid gives the cell: an hour kept
  // free under a preview, or under a section committed over it when new
  // catalogue data was applied, shows as a clash.
  int ShownCell(int day, int slot) const;
  // The hours kept free that applying the catalogue's new data committed
  // the row's section over (hours its old data did not meet); none once
  // the row changes.
  const std::set<GridCell>& OverBusyCells(int row) const;
  const std::string& CellText(int day, int slot) const;
  int SeciliSatir() const { return secili_satir_; }
  int SeciliSutun() const { return secili_sutun_; }
  int BilgiSatiri() const { return bilgi_satiri_; }
  const std::string& StatusText() const { return status_; }
  const std::string& Caption() const { return caption_; }
  catalogue::CatalogueQuery& Query1() { return query1_; }
  const std::string& ProgramFolder() const { return program_folder_; }

  // The student's choices in a row's lists (the choice events carry them).
  void SelectDepartment(int row, int index);
  void SelectCourse(int row, int index);
  void SelectSection(int row, int index);
  void SelectTeacher(int row, int index);

  // Course rows.
  void BirinciComboBoxDoldur(int row);
  void DersKoduEkle(int row);
  void AcilanDersEkle(int row);
  // The quick update empties these two lists before it fetches.
  void EmptyCourseAndSectionLists(int row);

  // Grid.
  void KaliciBoya(int row);
  void GeciciBoya(int row);
  void GeciciSil();
  void Refresh();
  void ShapeGuncelle(int row);

  // Committing, removing, resetting.
  void GeciciBilgiKaydet(int row);
  void BilgiKaydet(int row);
  void KaydedildiSil(int row);
  void DersCikar(int grid_row, int grid_column, int course_row);
  // Removes the section committed in the row, whichever cells it holds.
  void RemoveRow(int row) { DersCikar(kRemoveRow, kRemoveRow, row); }
  void Sifirla();
  void SetStatus(std::string text);
  void SetCaption(std::string text);

  // Details and lookups.
  void BilgiGoster(int grid_row, int grid_column);
  void BilgiAl(int row, int kind);

  // Events of the window, in the order the routing gives.
  void SectionChosen(int row);  // GeciciSil; GeciciBilgiKaydet; GeciciBoya
  // BilgiKaydet; KaliciBoya, unless the chosen section would cover a cell
  // committed by another row: then it is previewed (in red) instead and
  // nothing is committed, so the grid never holds two courses in one cell.
  void KaydetClick(int row);
  // The row's committed section taken again from the catalogue, as a
  // student re-picking it does: the section list filled anew, the item of
  // the row's CRN chosen and committed. A clash with another row leaves it
  // previewed in red and the old record committed; hours kept free do not
  // stop it (OverBusy): they show as a clash.
  enum class Recommitted { NotOffered, Committed, Clashes, OverBusy };
  Recommitted Recommit(int row);
  // Recommit for each row in turn; the last row that clashes is previewed
  // again at the end, since every later refill clears the preview. The
  // status line names a clash, otherwise hours kept free that were met.
  void RecommitRows(const std::vector<int>& rows);
  void ButtonClick(int row);                  // remembers the row of the lookup menu
  void Grid1SelectCell(int column, int row);  // GeciciSil; remember; BilgiGoster
  void btnCikarClick();                       // DersCikar(SeciliSatir, SeciliSutun, 0)

  // The student's locks, exclusions and busy hours. A lock belongs to its
  // row's course: choosing another department or course in the row drops it.
  // A section is never locked and excluded at once: locking includes it
  // again, excluding unlocks every row it was locked in.
  const Constraints& StudentConstraints() const { return constraints_; }
  void Lock(int row, const std::string& crn);
  void Unlock(int row);
  void Exclude(const std::string& crn);
  void Include(const std::string& crn);
  void SetBusy(int day, int slot, bool busy);
  bool Busy(int day, int slot) const { return InsideGridBody(day, slot) && constraints_.busy[day - 1][slot - 1]; }
  void SetConstraints(Constraints constraints);

  // The plan as a schedule file holds it, and the plan rebuilt from one:
  // a reset, then the lists, the cells, the records, the marked sections,
  // the painting, and the file's name in the caption.
  PlanSnapshot Snapshot() const;
  void Restore(const PlanSnapshot& plan, const std::string& file_name);

 private:
  // Any grid coordinate outside the body: DersCikar then takes the row it is given.
  static constexpr int kRemoveRow = 400;

  CourseRow& MutableRow(int row);
  TDers& MutableDers(int row);
  void SetEkle(int row, bool enabled);
  void SetCellText(int day, int slot, const std::string& text);
  void ListsChanged(int row);
  void RestoreLists(const PlanSnapshot& plan);
  void RestoreRecords(const PlanSnapshot& plan);
  // Whether the section chosen in the row covers a cell that another row
  // has committed; the row's own committed section is about to be replaced.
  bool CommitClashes(int row);
  // Paints the committed rows' meetings back into the cells that a removal
  // left to no row: rows of an older plan file may overlap.
  void RepaintUncovered();
  // The busy cells that the row's chosen section would cover.
  std::vector<std::pair<int, int>> BusyCellsOfChoice(int row);
  // The meetings of the row's chosen section as the catalogue has them now;
  // nothing for no real section or one gone from the catalogue.
  std::optional<TDers> ChosenSection(int row);
  void ConstraintsChanged();

  catalogue::CatalogueQuery& query1_;
  std::string program_folder_;
  std::string forum_url_;
  std::string title_;
  PlanObserver* observer_ = nullptr;
  ResetHooks hooks_;
  std::function<DepartmentFilter()> filter_;

  std::array<CourseRow, kRows + 1> rows_;  // entry 0 is unused
  std::array<TDers, kRows + 1> dersler_;
  TDers gecici_;
  CellStates hucreler_{};
  CellTexts cell_texts_;
  int secili_satir_ = 0;
  int secili_sutun_ = 0;
  int bilgi_satiri_ = 0;
  int details_row_ = 0;  // the row whose details the status line shows, 0 for none
  std::string status_;
  std::string caption_;
  Constraints constraints_;
  std::array<std::string, kRows + 1> locked_course_;     // the course each row's lock was made in
  std::array<std::set<GridCell>, kRows + 1> over_busy_;  // see OverBusyCells
};

// Percent-encoding of the teacher lookup: 26 characters become "%XX",
// everything else (Turkish letters included) stays a single byte.
std::string URLEncode(std::string_view text);

// The section list of a course as AcilanDersEkle fills it, and the teacher
// list beside it, from the course's sections in catalogue order.
struct CourseLists {
  SectionChoices sections;
  Choices teachers;
};
CourseLists ListsOfCourse(const std::vector<catalogue::SectionValues>& found, const DepartmentFilter& filter);

// The CRN of a section item: everything before its first ":".
std::string CrnOf(const std::string& item);

}  // namespace kiremo::planner
