#pragma once

#include <ctime>
#include <string>

#include "files/calendar_meetings.h"
#include "files/calendar_term.h"

// The iCalendar text of a plan's week, built with libical.
namespace kiremo::files {

inline constexpr const char* kCalendarZone = "Europe/Istanbul";

// A VCALENDAR with the VTIMEZONE of Europe/Istanbul and one weekly VEVENT
// per meeting: the first on the meeting's weekday on or after the term's
// first day, `weeks` occurrences (RRULE with COUNT). Texts are UTF-8. The
// UID depends only on the term's first day, the course and the meeting, so
// a calendar that imports the file again replaces the events; a meeting
// listed twice (the same section committed in two rows) is written once.
// `stamp` is the DTSTAMP. Error when the time zone is not on the system.
std::string CalendarText(const CalendarMeetings& meetings, const CalendarTerm& term, std::time_t stamp);

}  // namespace kiremo::files
