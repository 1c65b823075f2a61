#include "planner/planner.h"

#include "planner/colours.h"
#include "planner/markers.h"

namespace kiremo::planner {

Planner::Planner(catalogue::CatalogueQuery& query1, std::string program_folder, std::string forum_url,
                 std::string caption)
    : query1_(query1),
      program_folder_(std::move(program_folder)),
      forum_url_(std::move(forum_url)),
      title_(std::move(caption)),
      filter_([] {
        return DepartmentFilter{false, {}};
      }) {}

const CourseRow& Planner::Row(int row) const {
  RequireCourseRow(row);
  return rows_[row];
}

CourseRow& Planner::MutableRow(int row) {
  RequireCourseRow(row);
  return rows_[row];
}

const TDers& Planner::Ders(int row) const {
  RequireCourseRow(row);
  return dersler_[row];
}

TDers& Planner::MutableDers(int row) {
  RequireCourseRow(row);
  return dersler_[row];
}

const std::string& Planner::CellText(int day, int slot) const {
  static const std::string kNone;
  return InsideGridBody(day, slot) ? cell_texts_[day][slot] : kNone;
}

void Planner::SetCellText(int day, int slot, const std::string& text) {
  cell_texts_[day][slot] = text;
  if (observer_) observer_->CellTextChanged(day, slot);
}

void Planner::SetEkle(int row, bool enabled) {
  MutableRow(row).ekle = enabled;
  if (observer_) observer_->EkleChanged(row);
}

void Planner::ListsChanged(int row) {
  if (observer_) observer_->ListsChanged(row);
}

void Planner::SetStatus(std::string text) {
  status_ = std::move(text);
  details_row_ = 0;
  if (observer_) observer_->StatusChanged();
}

void Planner::SetCaption(std::string text) {
  caption_ = std::move(text);
  if (observer_) observer_->CaptionChanged();
}

void Planner::SelectDepartment(int row, int index) {
  CourseRow& lists = MutableRow(row);
  const std::string before = lists.department.Text();
  lists.department.Select(index);
  if (lists.department.Text() != before) Unlock(row);
  ListsChanged(row);
}

void Planner::SelectCourse(int row, int index) {
  CourseRow& lists = MutableRow(row);
  lists.course.Select(index);
  // A lock names a section of the course it was made in, not of the next
  // one; the same course chosen again (its list refilled) keeps it.
  if (lists.course.Text() != locked_course_[row]) Unlock(row);
  ListsChanged(row);
}

void Planner::SelectSection(int row, int index) {
  MutableRow(row).section.Select(index);
  ListsChanged(row);
}

void Planner::SelectTeacher(int row, int index) {
  MutableRow(row).teacher.Select(index);
  ListsChanged(row);
}

void Planner::SectionChosen(int row) {
  GeciciSil();
  GeciciBilgiKaydet(row);
  GeciciBoya(row);
}

void Planner::KaydetClick(int row) {
  if (CommitClashes(row)) {
    // A stale "Ekle": the grid changed since the section was previewed.
    SectionChosen(row);
    SetStatus(std::string(kCommitClash));
    return;
  }
  if (!BusyCellsOfChoice(row).empty()) {
    SectionChosen(row);  // red over the busy hours, with the note
    return;
  }
  BilgiKaydet(row);
  KaliciBoya(row);
}

void Planner::ButtonClick(int row) { bilgi_satiri_ = row; }

void Planner::Grid1SelectCell(int column, int row) {
  GeciciSil();
  secili_satir_ = row;
  secili_sutun_ = column;
  BilgiGoster(secili_satir_, secili_sutun_);
}

void Planner::btnCikarClick() { DersCikar(secili_satir_, secili_sutun_, 0); }

}  // namespace kiremo::planner
