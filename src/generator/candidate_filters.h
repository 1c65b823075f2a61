#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/database.h"

// The filters that pick a course's sections for the generator. Each reads
// one department table through the window's query object and returns the
// CRNs that pass, in the order the catalogue holds them; duplicates stay.
namespace kiremo::generator {

using CrnList = std::vector<std::string>;

// Sections that meet on none of the free days ("1".."5"). The scan ends at
// the first section whose day text begins with "BO".
CrnList GunuUygunDersBul(catalogue::CatalogueQuery& query1, std::string_view course_code,
                         const std::vector<std::string>& free_days);

// Sections outside the unwanted buildings (the text upper-cased), with
// every timed meeting starting at first_hour or later and ending before
// end_hour, open to the department (substring of alabilenler, or "TÜM";
// an empty department passes all). The scan ends at the first section
// whose time text is exactly "/". ConversionError for an hour entry whose
// hours are not whole numbers.
CrnList SaatiUygunVeAlinabilecekDersBul(catalogue::CatalogueQuery& query1, std::string_view unwanted_buildings,
                                        std::string_view course_code, int first_hour, int end_hour,
                                        std::string_view department);

// Every section of the course's department table that the teacher gives,
// whatever its course.
CrnList HocasiUygunDersBul(catalogue::CatalogueQuery& query1, std::string_view course_code, std::string_view teacher);

// The entries of `first` that `second` holds, in first's order, once for
// every equal entry of second.
CrnList CombineShared(const CrnList& first, const CrnList& second);

// The tests of the filters, one section at a time.
// The day filter's scan ends at a section whose day text begins with "BO".
bool DayScanEnds(std::string_view gun);
// Some meeting falls on one of the free days (1..5).
bool MeetsOnFreeDay(std::string_view gun, const std::vector<int>& free_days);
// Some building entry occurs in the upper-cased unwanted-buildings text.
bool InUnwantedBuilding(std::string_view bina, std::string_view unwanted_buildings);
// The hour filter's scan ends at a section whose time text is exactly "/".
inline bool HourScanEnds(std::string_view saat) { return saat == "/"; }
// Every timed meeting starts at first_hour or later and ends before
// end_hour; false for a section without meetings. ConversionError for an
// hour entry whose hours are not whole numbers.
bool InsideHours(std::string_view saat, int first_hour, int end_hour);
// The department (empty: any) may take the section.
bool OpenTo(std::string_view alabilenler, std::string_view department);
// The department whose table holds the course: its code's first three characters.
std::string_view DepartmentOf(std::string_view course_code);

// The weekday of a day entry, 1..5 from "PA", "SA", "ÇA", "PE", "CU"
// (first two characters, ASCII letters upper-cased); 0 for any other.
int DayOfEntry(std::string_view day_entry);

// The start hour (characters 1-2) and end hour (characters 6-7) of a time
// entry HHMM/HHMM; ConversionError when either is not a whole number.
struct HourSpan {
  int start = 0;
  int end = 0;
};
HourSpan HoursOfEntry(std::string_view time_entry);

}  // namespace kiremo::generator
