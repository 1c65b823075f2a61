#!/usr/bin/python3
"""Reads an .ics file with Debian's icalendar package, an independent reader,
and prints what a calendar program would take from it as JSON: the time
zones defined and every event with its times (as local time and UTC offset),
weekday, recurrence, texts and UID. Exits 3 when icalendar is missing."""
import datetime
import json
import sys

try:
    from icalendar import Calendar
except ImportError:
    sys.exit(3)

with open(sys.argv[1], "rb") as source:
    calendar = Calendar.from_ical(source.read())


def moment(prop):
    value = prop.dt
    offset = value.utcoffset()
    return {
        "local": value.strftime("%Y-%m-%dT%H:%M"),
        "weekday": value.isoweekday(),
        "tzid": prop.params.get("TZID"),
        "offset_minutes": None if offset is None else int(offset.total_seconds() // 60),
    }


events = []
for event in calendar.walk("VEVENT"):
    rule = event.get("RRULE", {})
    events.append({
        "uid": str(event["UID"]),
        "stamp": "DTSTAMP" in event,
        "summary": str(event.get("SUMMARY", "")),
        "location": str(event.get("LOCATION", "")),
        "description": str(event.get("DESCRIPTION", "")),
        "start": moment(event["DTSTART"]),
        "end": moment(event["DTEND"]),
        "freq": rule.get("FREQ", [None])[0],
        "count": rule.get("COUNT", [None])[0],
    })
# A zone's observances start at a local date and time, never at a bare date.
zone_starts = [
    isinstance(part["DTSTART"].dt, datetime.datetime)
    for zone in calendar.walk("VTIMEZONE")
    for part in zone.subcomponents
]
json.dump({
    "zone_starts_are_times": bool(zone_starts) and all(zone_starts),
    "version": str(calendar.get("VERSION", "")),
    "prodid": "PRODID" in calendar,
    "zones": [str(zone["TZID"]) for zone in calendar.walk("VTIMEZONE")],
    "events": events,
}, sys.stdout, ensure_ascii=False)
