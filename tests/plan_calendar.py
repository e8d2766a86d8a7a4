#!/usr/bin/python3
"""Checks an invitation written by Horlune with Debian's python3-icalendar: one event of one hour, in UTC,
with a UID, a DTSTAMP and the expected description. Usage: plan_calendar.py FILE START DESCRIPTION"""
import datetime
import sys

import icalendar

path, start, description = sys.argv[1], sys.argv[2], sys.argv[3]
with open(path, "rb") as file:
    data = file.read()
assert b"\r\n" in data and b"\n" not in data.replace(b"\r\n", b""), "lines must end with CRLF"
assert all(len(line) <= 75 for line in data.split(b"\r\n")), "lines must be folded at 75 octets"
calendar = icalendar.Calendar.from_ical(data)
assert calendar["VERSION"] == "2.0" and calendar["PRODID"]
events = [part for part in calendar.walk() if part.name == "VEVENT"]
assert len(events) == 1, f"{len(events)} events"
event = events[0]
assert event["UID"], "no UID"
assert event["DTSTAMP"].dt.tzinfo is not None, "DTSTAMP not in UTC"
begin, end = event["DTSTART"].dt, event["DTEND"].dt
assert begin.utcoffset() == datetime.timedelta(0), "DTSTART not in UTC"
assert begin.strftime("%Y%m%dT%H%M%SZ") == start, f"DTSTART {begin}"
assert end - begin == datetime.timedelta(hours=1), f"lasts {end - begin}"
assert str(event["DESCRIPTION"]) == description, f"DESCRIPTION {event['DESCRIPTION']!r}"
print("invitation : bien")
