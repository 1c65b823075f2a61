#include <algorithm>

#include "catalogue/pair_reading.h"
#include "planner/markers.h"
#include "planner/planner.h"
#include "planner/section_tip.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::planner {

CourseLists ListsOfCourse(const std::vector<catalogue::SectionValues>& found, const DepartmentFilter& filter) {
  CourseLists lists;
  SectionChoices& sections = lists.sections;
  Choices& teachers = lists.teachers;
  sections.items.push_back({{}, std::string(kSecin), {}});
  teachers.items.emplace_back(kSecin);
  // The code as typed, upper-cased and deliberately not trimmed.
  const std::string own_department = UpperAscii(filter.code);
  std::vector<std::string> listed_teachers;
  for (const catalogue::SectionValues& section : found) {
    const std::string& teacher = section.ogretmen;
    const std::string& alabilenler = section.alabilenler;
    if (filter.on && SubStrCount(alabilenler, own_department) == 0 && alabilenler != kTum) continue;
    sections.items.push_back({section.crn, section.crn + ":: " + teacher + " :: " + section.gun + " :: " + section.bina,
                              MeetingsTip(section)});
    if (teacher == kNoTeacher) continue;
    const bool known = std::any_of(listed_teachers.begin(), listed_teachers.end(),
                                   [&](const std::string& t) { return SameTextIgnoringCase(t, teacher); });
    if (!known) {
      listed_teachers.push_back(teacher);
      teachers.items.push_back(teacher);
    }
  }
  teachers.Select(0);
  sections.Select(0);
  if (teachers.Count() == 1) teachers.items[0] = kYok;
  if (filter.on && sections.Count() == 1) sections.items[0].text = kYok;
  return lists;
}

void Planner::BirinciComboBoxDoldur(int row) {
  Choices& departments = MutableRow(row).department;
  departments.Clear();
  ListsChanged(row);
  const auto codes = catalogue::ReadListedDepartments(program_folder_);
  departments.items.emplace_back(kSecin);
  departments.items.insert(departments.items.end(), codes.begin(), codes.end());
  departments.Select(0);
  ListsChanged(row);
}

void Planner::DersKoduEkle(int row) {
  CourseRow& lists = MutableRow(row);
  GeciciSil();
  SetEkle(row, false);
  lists.course.Clear();
  lists.section.Clear();
  lists.teacher.Clear();
  ListsChanged(row);

  const std::string department = lists.department.Text();
  if (department.empty() || department == kSecin) return;

  std::vector<std::string> found;
  try {
    found = query1_.Db().CourseCodes(department);
  } catch (const DamagedCatalogueError&) {
    if (observer_) observer_->Show({"HATA", std::string(kDamagedCatalogue), Icon::Error});
  } catch (const DatabaseError& e) {
    // Something else keeps the catalogue from being read: say what.
    if (observer_) observer_->Show({"HATA", e.what(), Icon::Error});
  }
  lists.course.items.emplace_back(kSecin);
  lists.course.items.insert(lists.course.items.end(), found.begin(), found.end());
  if (lists.course.Count() == 1) lists.course.items[0] = kBos;
  lists.course.Select(0);
  ListsChanged(row);
}

void Planner::AcilanDersEkle(int row) {
  CourseRow& lists = MutableRow(row);
  GeciciSil();
  SetEkle(row, false);
  lists.section.Clear();
  lists.teacher.Clear();
  ListsChanged(row);

  const std::string course = lists.course.Text();
  if (course == kSecin || course == kBos) return;

  const auto found = query1_.Db().SectionsOfCourse(lists.department.Text(), course);
  CourseLists filled = ListsOfCourse(found, filter_());
  lists.section = std::move(filled.sections);
  lists.teacher = std::move(filled.teachers);
  ListsChanged(row);
}

void Planner::EmptyCourseAndSectionLists(int row) {
  CourseRow& lists = MutableRow(row);
  lists.section.Clear();
  lists.course.Clear();
  ListsChanged(row);
}

}  // namespace kiremo::planner
