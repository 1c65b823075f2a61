#include "files/calendar_writer.h"

#include <libical/ical.h>

#include <cstdio>
#include <memory>
#include <set>

#include "text/cp1254.h"
#include "text/errors.h"
#include "text/program.h"

namespace kiremo::files {

namespace {

struct ComponentFree {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

icaltimetype NewYearUtc(int year) {
  icaltimetype time = icaltime_null_time();
  time.year = year;
  time.month = 1;
  time.day = 1;
  time.zone = icaltimezone_get_utc_timezone();
  return time;
}

// The zone as the system's time-zone data describes it. Calendar programs
// know the zone by its own name, so the TZID is that name rather than
// libical's prefixed one.
Component IstanbulZone(const TermDate& first_day) {
  icaltimezone* zone = icaltimezone_get_builtin_timezone(kCalendarZone);
  icalcomponent* described = zone ? icaltimezone_get_component(zone) : nullptr;
  if (!described) throw Error(std::string(kCalendarZone) + std::string(" saat dilimi sistemde bulunamadı"_w));
  Component vtimezone(icalcomponent_new_clone(described));
  icalproperty_set_tzid(icalcomponent_get_first_property(vtimezone.get(), ICAL_TZID_PROPERTY), kCalendarZone);
  // Only the zone's rules around the term are of use to the calendar.
  icaltimezone_truncate_vtimezone(vtimezone.get(), NewYearUtc(first_day.year - 1), NewYearUtc(first_day.year + 2), 0);
  return vtimezone;
}

icaltimetype LocalTime(const TermDate& date, int hour, int minute) {
  icaltimetype time = icaltime_null_time();
  time.year = date.year;
  time.month = date.month;
  time.day = date.day;
  time.hour = hour;
  time.minute = minute;
  return time;
}

icalproperty* Zoned(icalproperty* property) {
  icalproperty_add_parameter(property, icalparameter_new_tzid(kCalendarZone));
  return property;
}

// Letters and digits as they are, every other byte as %XX: a UID of plain ASCII.
std::string UidPart(const std::string& text) {
  std::string part;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) {
      part += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      part += escaped;
    }
  }
  return part;
}

std::string Uid(const CalendarMeeting& meeting, const TermDate& first_day) {
  std::string date = FormatTermDate(first_day);
  std::erase(date, '-');
  return "kiremo-" + date + "-" + UidPart(meeting.code) + "-" + UidPart(meeting.crn) + "-" +
         std::to_string(meeting.number);
}

std::string Summary(const CalendarMeeting& meeting) {
  if (meeting.name.empty()) return Cp1254ToUtf8(meeting.code);
  return Cp1254ToUtf8(meeting.code) + " \u2013 " + Cp1254ToUtf8(meeting.name);
}

std::string Description(const CalendarMeeting& meeting) {
  std::string text = "CRN: " + Cp1254ToUtf8(meeting.crn);
  if (!meeting.teacher.empty()) text += "\nHoca: " + Cp1254ToUtf8(meeting.teacher);
  return text;
}

icalcomponent* Event(const CalendarMeeting& meeting, const CalendarTerm& term, const std::string& uid,
                     std::time_t stamp) {
  const TermDate day = FirstWeekdayFrom(term.first_day, meeting.weekday);
  icalrecurrencetype weekly;
  icalrecurrencetype_clear(&weekly);
  weekly.freq = ICAL_WEEKLY_RECURRENCE;
  weekly.count = term.weeks;
  icalcomponent* event = icalcomponent_new_vevent();
  icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
  icalcomponent_add_property(
      event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone())));
  icalcomponent_add_property(event, Zoned(icalproperty_new_dtstart(LocalTime(day, meeting.start_hour, 30))));
  icalcomponent_add_property(event, Zoned(icalproperty_new_dtend(LocalTime(day, meeting.end_hour, 29))));
  icalcomponent_add_property(event, icalproperty_new_rrule(weekly));
  icalcomponent_add_property(event, icalproperty_new_summary(Summary(meeting).c_str()));
  if (!meeting.place.empty()) {
    icalcomponent_add_property(event, icalproperty_new_location(Cp1254ToUtf8(meeting.place).c_str()));
  }
  icalcomponent_add_property(event, icalproperty_new_description(Description(meeting).c_str()));
  return event;
}

}  // namespace

std::string CalendarText(const CalendarMeetings& meetings, const CalendarTerm& term, std::time_t stamp) {
  const std::string product = "-//ZEMU//Kiremo " + std::string(kVersionText) + "//TR";
  Component calendar(icalcomponent_new_vcalendar());
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(product.c_str()));
  icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
  icalcomponent_add_component(calendar.get(), IstanbulZone(term.first_day).release());
  std::set<std::string> written;
  for (const CalendarMeeting& meeting : meetings.meetings) {
    const std::string uid = Uid(meeting, term.first_day);
    if (!written.insert(uid).second) continue;
    icalcomponent_add_component(calendar.get(), Event(meeting, term, uid, stamp));
  }
  char* text = icalcomponent_as_ical_string_r(calendar.get());
  std::string result(text);
  icalmemory_free_buffer(text);
  return result;
}

}  // namespace kiremo::files
