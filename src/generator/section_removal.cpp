#include "generator/section_removal.h"

#include <algorithm>

#include "generator/section_cells.h"
#include "planner/markers.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

enum Filter { kHours, kFreeDays, kBuildings, kTeacher, kDepartment, kExcluded, kBusy, kFilters };

// A new kind of filter adds its entry here and its test in CountRemoved.
constexpr FilterCount kFilterNames[kFilters] = {
    {"hours", "saat aralığı"_w},           {"free_days", "boş bırakılan günler"_w},
    {"buildings", "istenmeyen binalar"_w}, {"teacher", "tercih edilen hoca"_w},
    {"department", "bölüm kodu"_w},        {"excluded", "hariç tutulan şubeler"_w},
    {"busy", "boş tutulan saatler"_w},
};

bool Outside(const catalogue::SectionValues& section, const RowFilters& filters) {
  try {
    return !InsideHours(section.saat, filters.first_hour, filters.end_hour);
  } catch (const ConversionError&) {
    return true;  // unreadable hours never pass
  }
}

// The busy cells the section meets in; none for hours that cannot be read.
std::set<planner::GridCell> BusyCellsMet(const catalogue::SectionValues& section, const planner::Constraints& student) {
  std::set<planner::GridCell> met;
  try {
    for (const SectionCell& cell : CellsOfSection(section)) {
      if (MeetsInBusyHours({cell}, student)) met.emplace(cell.day, cell.slot);
    }
  } catch (const Error&) {
  }
  return met;
}

std::string Quoted(const std::string& code, const std::string& crn) {
  return code + std::string(" dersine sabitlediğin "_w) + crn + std::string(" şubesi"_w);
}

}  // namespace

Removal CountRemoved(catalogue::CatalogueQuery& query1, const RowFilters& filters,
                     const planner::Constraints& student) {
  const std::string& code = filters.course_code;
  const auto sections = query1.Db().SectionsOfCourse(DepartmentOf(code), code);
  std::vector<int> free_days;
  for (const std::string& day : filters.free_days) free_days.push_back(StrToInt(day));
  CrnList taught;
  if (filters.teacher) taught = HocasiUygunDersBul(query1, code, *filters.teacher);

  Removal removal{static_cast<int>(sections.size()), {std::begin(kFilterNames), std::end(kFilterNames)}, {}};
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
    count(kExcluded, student.excluded.contains(section.crn));
    const std::set<planner::GridCell> met = BusyCellsMet(section, student);
    count(kBusy, !met.empty());
    removal.busy_met.insert(met.begin(), met.end());
  }
  return removal;
}

std::string RemovalText(const std::string& course_code, const Removal& removal) {
  if (removal.sections == 0) return course_code + std::string(" dersinin katalogda hiç şubesi yok."_w);
  const std::string all = course_code + std::string(" dersinin bütün şubeleri"_w);
  if (removal.filters[kBusy].removed == removal.sections) {
    return all + std::string(" boş tutulan saatlere denk geliyor: "_w) + planner::CellRunsText(removal.busy_met) + ".";
  }
  if (removal.filters[kExcluded].removed == removal.sections) return all + std::string(" hariç tutulmuş."_w);
  std::string text = course_code + " dersinin " + std::to_string(removal.sections) +
                     std::string(" şubesinden hiçbiri seçtiğin kıstaslara uymuyor."_w);
  std::string lines;
  for (const FilterCount& filter : removal.filters) {
    if (filter.removed == 0) continue;
    lines += "\n" + std::string("• "_w) + std::string(filter.label) + ": " + std::to_string(filter.removed) +
             std::string(" şubeyi eliyor"_w);
    if (filter.key == kFilterNames[kBusy].key) lines += " (" + planner::CellRunsText(removal.busy_met) + ")";
  }
  if (!lines.empty()) text += std::string(" Eleyen kıstaslar:"_w) + lines;
  return text;
}

Explanation ExplainRemoval(catalogue::CatalogueQuery& query1, const RowFilters& filters,
                           const planner::Constraints& student, int row) {
  const std::string& code = filters.course_code;
  const std::string& locked = student.locked[row - 1];
  if (locked.empty()) {
    const Removal removal = CountRemoved(query1, filters, student);
    return {{code}, removal.filters, RemovalText(code, removal)};
  }
  // The panel's filters do not touch a locked row: only its own fate counts.
  Explanation explanation{{code}, {kFilterNames[kExcluded], kFilterNames[kBusy]}, {}};
  const auto sections = query1.Db().SectionsOfCourse(DepartmentOf(code), code);
  const auto found = std::find_if(sections.begin(), sections.end(),
                                  [&](const catalogue::SectionValues& section) { return section.crn == locked; });
  if (found == sections.end()) {
    explanation.text =
        Quoted(code, locked) + std::string(" artık açılmıyor; "_w) + std::string(planner::kLockGoneAdvice) + ".";
    return explanation;
  }
  const std::set<planner::GridCell> met = BusyCellsMet(*found, student);
  explanation.removed_by[0].removed = student.excluded.contains(locked) ? 1 : 0;
  explanation.removed_by[1].removed = met.empty() ? 0 : 1;
  explanation.text = Quoted(code, locked) + (met.empty() ? std::string(" hariç tutulmuş."_w)
                                                         : std::string(" boş tutulan saatlere denk geliyor: "_w) +
                                                               planner::CellRunsText(met) + ".");
  return explanation;
}

}  // namespace kiremo::generator
