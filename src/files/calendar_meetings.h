#pragma once

#include <string>
#include <vector>

#include "planner/planner.h"
#include "planner/tders.h"

// The weekly meetings of a plan's committed sections as a calendar shows
// them: one per meeting that has a weekday and hours.
namespace kiremo::files {

struct CalendarMeeting {
  std::string code;  // DersKodu
  std::string name;  // DersAdi
  std::string crn;
  std::string teacher;  // Ogretmen
  std::string place;    // "building room"
  int number = 0;       // the meeting's place in its row's lists, from 1
  int weekday = 0;      // 1 Monday .. 5 Friday
  int start_hour = 0;   // starts at start_hour:30
  int end_hour = 0;     // ends at end_hour:29, as the grid's hour rows do
};

struct CalendarMeetings {
  std::vector<CalendarMeeting> meetings;
  int left_out = 0;        // meetings without a weekday or without usable hours
  bool committed = false;  // some row holds a committed section
};

// The meetings of the records, rows in order. A meeting is taken when the
// grid paints it (a weekday from Monday to Friday, hours that are numbers,
// start before end); every other entry of a committed row's lists, such as
// a meeting whose day is "BO", is left out and counted.
CalendarMeetings MeetingsOf(const std::vector<planner::TDers>& records);

// The committed rows 1..10 of the planner.
CalendarMeetings MeetingsOf(const planner::Planner& planner);

}  // namespace kiremo::files
