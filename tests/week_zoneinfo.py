#!/usr/bin/python3
"""The week at a glance computed on its own, from Python's zoneinfo (the system's tz database), to check
Horlune's against. Usage:

    week_zoneinfo.py HERE SHOWN HOURS DAY NIGHT PLACE...

HERE the computer's zone; SHOWN the instant shown, UTC, as 2026-12-10T08:00; HOURS the working hours as
"9:00-18:00" (an end before the start runs overnight: the evening of a working day and the morning after
it); DAY and NIGHT the hours at which day and night begin; each PLACE "Name=Zone=weekend", the weekend as
ISO days of the week ("6,7", "5,6"). The computer works Monday to Friday.

Prints the seven days of the computer ("day DATE QUARTERS"), then for the computer ("ici") and each place a
line "strip NAME FLAGS", one digit a quarter hour of UTC from the computer's midnight (1 at work, 2 dark,
4 not a working day, added), then "common BITS": 1 where every place is at work."""
import datetime
import sys
import zoneinfo

UTC = datetime.timezone.utc
QUARTER = datetime.timedelta(minutes=15)


def minutes(text):
    hour, minute = text.split(":")
    return int(hour) * 60 + int(minute)


def at_work(local, working_days, start, end):
    """At work by the place's own clock."""
    now = local.hour * 60 + local.minute
    weekday = local.isoweekday()
    if start == end:
        return False
    if start < end:
        return weekday in working_days and start <= now < end
    yesterday = 7 if weekday == 1 else weekday - 1
    return (weekday in working_days and now >= start) or (yesterday in working_days and now < end)


def main():
    here_zone, shown_text, hours, day, night = sys.argv[1:6]
    here = zoneinfo.ZoneInfo(here_zone)
    shown = datetime.datetime.fromisoformat(shown_text).replace(tzinfo=UTC)
    start, end = (minutes(part) for part in hours.split("-"))
    day, night = int(day), int(night)

    # The computer's seven days, from its midnight on the day shown: each from one midnight to the next.
    first_date = shown.astimezone(here).date()

    def midnight(date):
        return datetime.datetime.combine(date, datetime.time(0), tzinfo=here).astimezone(UTC)

    edges = [midnight(first_date + datetime.timedelta(days=i)) for i in range(8)]
    for i in range(7):
        print(f"day {first_date + datetime.timedelta(days=i)} {(edges[i + 1] - edges[i]) // QUARTER}")
    quarters = [edges[0] + k * QUARTER for k in range((edges[7] - edges[0]) // QUARTER)]

    places = [("ici", here, {1, 2, 3, 4, 5})]
    for place in sys.argv[6:]:
        name, zone, weekend = place.split("=")
        off = {int(d) for d in weekend.split(",")} if weekend else set()
        places.append((name, zoneinfo.ZoneInfo(zone), {1, 2, 3, 4, 5, 6, 7} - off))

    working = []
    for name, zone, working_days in places:
        flags = []
        for quarter in quarters:
            local = quarter.astimezone(zone)
            flag = 1 if at_work(local, working_days, start, end) else 0
            if not day <= local.hour < night:
                flag += 2
            if local.isoweekday() not in working_days:
                flag += 4
            flags.append(flag)
        print(f"strip {name} {''.join(map(str, flags))}")
        if name != "ici":
            working.append([flag & 1 for flag in flags])
    print("common " + "".join("1" if all(w[k] for w in working) else "0" for k in range(len(quarters))))


main()
