#include "generator/section_removal.h"

#include <algorithm>

#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

enum Filter { kHours, kFreeDays, kBuildings, kTeacher, kDepartment, kFilters };

// A new kind of filter adds its entry here and its test in CountRemoved.
constexpr FilterCount kFilterNames[kFilters] = {
    {"hours", "saat aralığı"_w},         {"free_days", "boş bırakılan günler"_w}, {"buildings", "istenmeyen binalar"_w},
    {"teacher", "tercih edilen hoca"_w}, {"department", "bölüm kodu"_w},
};

bool Outside(const catalogue::SectionValues& section, const RowFilters& filters) {
  try {
    return !InsideHours(section.saat, filters.first_hour, filters.end_hour);
  } catch (const ConversionError&) {
    return true;  // unreadable hours never pass
  }
}

}  // namespace

Removal CountRemoved(catalogue::CatalogueQuery& query1, const RowFilters& filters) {
  const std::string& code = filters.course_code;
  const auto sections = query1.Db().SectionsOfCourse(DepartmentOf(code), code);
  std::vector<int> free_days;
  for (const std::string& day : filters.free_days) free_days.push_back(StrToInt(day));
  CrnList taught;
  if (filters.teacher) taught = HocasiUygunDersBul(query1, code, *filters.teacher);

  Removal removal{static_cast<int>(sections.size()), {std::begin(kFilterNames), std::end(kFilterNames)}};
  auto count = [&](Filter filter, bool removed) { removal.filters[filter].removed += removed ? 1 : 0; };
  bool hour_scan_ended = false, day_scan_ended = false;
  for (const catalogue::SectionValues& section : sections) {
    hour_scan_ended = hour_scan_ended || HourScanEnds(section.saat);
    count(kHours, hour_scan_ended || Outside(section, filters));
    if (!free_days.empty()) {
      day_scan_ended = day_scan_ended || DayScanEnds(section.gun);
      count(kFreeDays, day_scan_ended || MeetsOnFreeDay(section.gun, free_days));
    }
    count(kBuildings, InUnwantedBuilding(section.bina, filters.unwanted_buildings));
    if (filters.teacher) count(kTeacher, std::find(taught.begin(), taught.end(), section.crn) == taught.end());
    count(kDepartment, !OpenTo(section.alabilenler, filters.department));
  }
  return removal;
}

std::string RemovalText(const std::string& course_code, const Removal& removal) {
  if (removal.sections == 0) return course_code + std::string(" dersinin katalogda hiç şubesi yok."_w);
  std::string text = course_code + " dersinin " + std::to_string(removal.sections) +
                     std::string(" şubesinden hiçbiri seçtiğin kıstaslara uymuyor."_w);
  std::string lines;
  for (const FilterCount& filter : removal.filters) {
    if (filter.removed == 0) continue;
    lines += "\n" + std::string("• "_w) + std::string(filter.label) + ": " + std::to_string(filter.removed) +
             std::string(" şubeyi eliyor"_w);
  }
  if (!lines.empty()) text += std::string(" Eleyen kıstaslar:"_w) + lines;
  return text;
}

}  // namespace kiremo::generator
