#include "generator/candidate_filters.h"

#include "planner/markers.h"
#include "planner/meetings.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

bool IsMarker(std::string_view course_code) { return course_code == planner::kSecin || course_code == planner::kBos; }

// The department whose table holds the course: its code's first three characters.
std::string_view DepartmentOf(std::string_view course_code) { return course_code.substr(0, 3); }

}  // namespace

int DayOfEntry(std::string_view day_entry) {
  const std::string day = planner::DayNumber(day_entry);
  return day.empty() ? 0 : day[0] - '0';
}

HourSpan HoursOfEntry(std::string_view time_entry) {
  return {StrToInt(planner::Chars(time_entry, 0, 2)), StrToInt(planner::Chars(time_entry, 5, 2))};
}

CrnList GunuUygunDersBul(catalogue::CatalogueQuery& query1, std::string_view course_code,
                         const std::vector<std::string>& free_days) {
  CrnList passed;
  if (IsMarker(course_code)) return passed;
  std::vector<int> free;
  for (const std::string& day : free_days) free.push_back(StrToInt(day));
  for (const catalogue::SectionValues& section : query1.Db().SectionsOfCourse(DepartmentOf(course_code), course_code)) {
    const std::string& gun = section.gun;
    if (UpperAscii(planner::Chars(gun, 0, 2)) == "BO") break;
    bool fails = false;
    for (const std::string_view entry : ExplodeViews(gun, "|")) {
      const int day = DayOfEntry(entry);
      for (const int f : free) fails = fails || day == f;
      if (fails) break;
    }
    if (!fails) passed.push_back(section.crn);
  }
  return passed;
}

CrnList SaatiUygunVeAlinabilecekDersBul(catalogue::CatalogueQuery& query1, std::string_view unwanted_buildings,
                                        std::string_view course_code, int first_hour, int end_hour,
                                        std::string_view department) {
  CrnList passed;
  if (IsMarker(course_code)) return passed;
  for (const catalogue::SectionValues& section : query1.Db().SectionsOfCourse(DepartmentOf(course_code), course_code)) {
    const std::string& saat = section.saat;
    const std::string& alabilenler = section.alabilenler;
    bool blocked = false;
    for (const std::string_view building : ExplodeViews(section.bina, "|")) {
      if (SubStrCount(UpperAscii(unwanted_buildings), building) > 0) {
        blocked = true;
        break;
      }
    }
    if (saat == "/") break;
    if (blocked) continue;
    const auto entries = ExplodeViews(saat, "|");
    if (entries.empty()) continue;  // no meeting at all: never listed
    bool fails = false;
    for (const std::string_view entry : entries) {
      if (entry == "/" || entry.empty()) continue;
      const HourSpan hours = HoursOfEntry(entry);
      if (hours.start < first_hour || hours.end >= end_hour) {
        fails = true;
        break;
      }
    }
    if (fails) continue;
    if (department.empty() || SubStrCount(alabilenler, UpperAscii(department)) > 0 || alabilenler == planner::kTum) {
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
