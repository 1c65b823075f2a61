#include "generator/candidate_filters.h"

#include "planner/markers.h"
#include "planner/meetings.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

bool IsMarker(std::string_view course_code) { return course_code == planner::kSecin || course_code == planner::kBos; }

}  // namespace

std::string_view DepartmentOf(std::string_view course_code) { return course_code.substr(0, 3); }

int DayOfEntry(std::string_view day_entry) {
  const std::string day = planner::DayNumber(day_entry);
  return day.empty() ? 0 : day[0] - '0';
}

HourSpan HoursOfEntry(std::string_view time_entry) {
  return {StrToInt(planner::Chars(time_entry, 0, 2)), StrToInt(planner::Chars(time_entry, 5, 2))};
}

bool DayScanEnds(std::string_view gun) { return UpperAscii(planner::Chars(gun, 0, 2)) == "BO"; }

bool MeetsOnFreeDay(std::string_view gun, const std::vector<int>& free_days) {
  for (const std::string_view entry : ExplodeViews(gun, "|")) {
    const int day = DayOfEntry(entry);
    for (const int f : free_days) {
      if (day == f) return true;
    }
  }
  return false;
}

bool InUnwantedBuilding(std::string_view bina, std::string_view unwanted_buildings) {
  for (const std::string_view building : ExplodeViews(bina, "|")) {
    if (SubStrCount(UpperAscii(unwanted_buildings), building) > 0) return true;
  }
  return false;
}

bool InsideHours(std::string_view saat, int first_hour, int end_hour) {
  const auto entries = ExplodeViews(saat, "|");
  if (entries.empty()) return false;  // no meeting at all: never listed
  for (const std::string_view entry : entries) {
    if (entry == "/" || entry.empty()) continue;
    const HourSpan hours = HoursOfEntry(entry);
    if (hours.start < first_hour || hours.end >= end_hour) return false;
  }
  return true;
}

bool OpenTo(std::string_view alabilenler, std::string_view department) {
  return department.empty() || SubStrCount(alabilenler, UpperAscii(department)) > 0 || alabilenler == planner::kTum;
}

CrnList GunuUygunDersBul(catalogue::CatalogueQuery& query1, std::string_view course_code,
                         const std::vector<std::string>& free_days) {
  CrnList passed;
  if (IsMarker(course_code)) return passed;
  std::vector<int> free;
  for (const std::string& day : free_days) free.push_back(StrToInt(day));
  for (const catalogue::SectionValues& section : query1.Db().SectionsOfCourse(DepartmentOf(course_code), course_code)) {
    if (DayScanEnds(section.gun)) break;
    if (!MeetsOnFreeDay(section.gun, free)) passed.push_back(section.crn);
  }
  return passed;
}

CrnList SaatiUygunVeAlinabilecekDersBul(catalogue::CatalogueQuery& query1, std::string_view unwanted_buildings,
                                        std::string_view course_code, int first_hour, int end_hour,
                                        std::string_view department) {
  CrnList passed;
  if (IsMarker(course_code)) return passed;
  for (const catalogue::SectionValues& section : query1.Db().SectionsOfCourse(DepartmentOf(course_code), course_code)) {
    const bool blocked = InUnwantedBuilding(section.bina, unwanted_buildings);
    if (HourScanEnds(section.saat)) break;
    if (blocked) continue;
    if (InsideHours(section.saat, first_hour, end_hour) && OpenTo(section.alabilenler, department)) {
      passed.push_back(section.crn);
    }
  }
  return passed;
}

CrnList HocasiUygunDersBul(catalogue::CatalogueQuery& query1, std::string_view course_code, std::string_view teacher) {
  return query1.Db().CrnsOfTeacher(DepartmentOf(course_code), teacher);
}

CrnList CombineShared(const CrnList& first, const CrnList& second) {
  CrnList shared;
  for (const std::string& a : first) {
    for (const std::string& b : second) {
      if (a == b) shared.push_back(a);
    }
  }
  return shared;
}

}  // namespace kiremo::generator
