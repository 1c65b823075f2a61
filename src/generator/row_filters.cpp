#include "generator/row_filters.h"

#include <algorithm>

namespace kiremo::generator {

CrnList FilterRow(catalogue::CatalogueQuery& query1, const RowFilters& filters) {
  const std::string& code = filters.course_code;
  CrnList passed = SaatiUygunVeAlinabilecekDersBul(query1, filters.unwanted_buildings, code, filters.first_hour,
                                                   filters.end_hour, filters.department);
  if (!filters.free_days.empty()) passed = CombineShared(passed, GunuUygunDersBul(query1, code, filters.free_days));
  if (filters.teacher) passed = CombineShared(passed, HocasiUygunDersBul(query1, code, *filters.teacher));
  return passed;
}

bool IsSectionOf(catalogue::CatalogueQuery& query1, const std::string& course_code, const std::string& crn) {
  const auto sections = query1.Db().SectionsOfCourse(DepartmentOf(course_code), course_code);
  return std::any_of(sections.begin(), sections.end(),
                     [&](const catalogue::SectionValues& section) { return section.crn == crn; });
}

}  // namespace kiremo::generator
