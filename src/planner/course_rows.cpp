#include <algorithm>

#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
#include "planner/bounds.h"
#include "planner/markers.h"
#include "planner/planner.h"

namespace kiremo::planner {

void Planner::BirinciComboBoxDoldur(ui::ChoiceList& combo) {
  combo.Clear();
  const auto codes = catalogue::ReadDepartmentList(program_folder_ + std::string(catalogue::kDepartmentList));
  combo.Add(std::string(kSecin));
  for (const std::string& code : codes) combo.Add(code);
  combo.SetItemIndex(0);
}

void Planner::DersKoduEkle(int row) {
  RequireCourseRow(row);
  GeciciSil();
  view_.Kaydet(row).SetEnabled(false);
  ui::ChoiceList& codes = view_.CourseCombo(row);
  codes.Clear();
  view_.SectionCombo(row).Clear();
  view_.HocaCombo(row).Clear();

  const std::string department = view_.DepartmentCombo(row).Text();
  if (department.empty() || department == kSecin) return;

  std::vector<std::string> found;
  try {
    found = query1_.Db().CourseCodes(department);
  } catch (const DatabaseError&) {
    view_.Dialog().Message("HATA", std::string(kDamagedCatalogue), ui::Icon::Error);
  }
  codes.Add(std::string(kSecin));
  for (const std::string& code : found) codes.Add(code);
  if (codes.Count() == 1) codes.SetItem(0, std::string(kBos));
  codes.SetItemIndex(0);
}

void Planner::AcilanDersEkle(int row) {
  RequireCourseRow(row);
  GeciciSil();
  view_.Kaydet(row).SetEnabled(false);
  ui::ChoiceList& sections = view_.SectionCombo(row);
  ui::ChoiceList& teachers = view_.HocaCombo(row);
  sections.Clear();
  teachers.Clear();

  const std::string course = view_.CourseCombo(row).Text();
  if (course == kSecin || course == kBos) return;

  const auto found = query1_.Db().SectionsOfCourse(view_.DepartmentCombo(row).Text(), course);
  sections.Add(std::string(kSecin));
  teachers.Add(std::string(kSecin));

  // The filter reads the live edit: upper-cased, deliberately not trimmed.
  const bool filtered = view_.CheckBox1().Checked();
  const std::string own_department = UpperAscii(view_.Edit1().Text());
  std::vector<std::string> listed_teachers;
  for (const catalogue::SectionValues& section : found) {
    const std::string& teacher = section.ogretmen;
    const std::string& alabilenler = section.alabilenler;
    if (filtered && SubStrCount(alabilenler, own_department) == 0 && alabilenler != kTum) continue;
    sections.Add(section.crn + ":: " + teacher + " :: " + section.gun + " :: " + section.bina);
    if (teacher == kNoTeacher) continue;
    const bool known = std::any_of(listed_teachers.begin(), listed_teachers.end(),
                                   [&](const std::string& t) { return SameTextIgnoringCase(t, teacher); });
    if (!known) {
      listed_teachers.push_back(teacher);
      teachers.Add(teacher);
    }
  }
  teachers.SetItemIndex(0);
  sections.SetItemIndex(0);
  if (teachers.Count() == 1) {
    teachers.SetItem(0, std::string(kYok));
    teachers.SetItemIndex(0);
  }
  if (filtered && sections.Count() == 1) {
    sections.SetItem(0, std::string(kYok));
    sections.SetItemIndex(0);
  }
}

}  // namespace kiremo::planner
