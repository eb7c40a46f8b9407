#!/usr/bin/env python3
"""An independent reader of Kestrin's iCalendar export: Python's icalendar reads the
events and dateutil expands their rules; the next occurrence after NOW of every reminder
must be the next run that `kestrin --list --json` gives at the same moment.

usage: check_ics.py FILE.ics LIST.json 'YYYY-MM-DD HH:MM:SS'
Prints one line per reminder and the count compared; exits 1 on any difference."""

import json
import re
import sys
from datetime import datetime, timedelta

import pytz
from dateutil.rrule import rruleset, rrulestr
from icalendar import Calendar
from icalendar.timezone_cache import _timezone_cache


def wall(value, tz):
    """The local wall time of a DTSTART, EXDATE or UNTIL value, without its zone."""
    if not isinstance(value, datetime):
        return datetime(value.year, value.month, value.day)
    if value.tzinfo is None:
        return value
    if tz is None:
        return value.replace(tzinfo=None)
    return value.astimezone(tz).replace(tzinfo=None)


def next_occurrence(event, now):
    start = event.decoded('DTSTART')
    tz = start.tzinfo if isinstance(start, datetime) else None
    start = wall(start, tz)
    rules = rruleset()
    rules.rdate(start)  # DTSTART is always an instance
    if 'RRULE' in event:
        text = event['RRULE'].to_ical().decode()
        until = event['RRULE'].get('UNTIL')
        if until:
            local = wall(until[0], tz)
            text = re.sub(r'UNTIL=[0-9TZ]+', 'UNTIL=' + local.strftime('%Y%m%dT%H%M%S'), text)
        rules.rrule(rrulestr(text, dtstart=start))
    exdates = event.get('EXDATE')
    if exdates is not None:
        for group in exdates if isinstance(exdates, list) else [exdates]:
            for d in group.dts:
                rules.exdate(wall(d.dt, tz))
    return rules.after(now, inc=True)


def main():
    ics, listing, now_text = sys.argv[1:4]
    now = datetime.strptime(now_text, '%Y-%m-%d %H:%M:%S')
    with open(ics, 'rb') as f:
        data = f.read()
    # icalendar 4 cannot build a zone from a VTIMEZONE whose rules end with a UTC UNTIL
    # (which RFC 5545 asks for); the zone is taken from its X-LIC-LOCATION instead, which
    # must name a real IANA zone.
    for tzid, location in re.findall(rb'BEGIN:VTIMEZONE\r\nTZID:([^\r]*)\r\nX-LIC-LOCATION:([^\r]*)\r\n', data):
        _timezone_cache[tzid.decode()] = pytz.timezone(location.decode())
    data = re.sub(rb'BEGIN:VTIMEZONE\r\n.*?END:VTIMEZONE\r\n', b'', data, flags=re.S)
    calendar = Calendar.from_ical(data)
    with open(listing, encoding='utf-8') as f:
        reminders = json.load(f)['reminders']

    # The events of each reminder: its own and the parts related to it.
    by_uid = {}
    for event in calendar.walk('VEVENT'):
        uid = str(event.get('RELATED-TO') or event['UID'])
        by_uid.setdefault(uid, []).append(event)

    compared, wrong = 0, 0
    for r in reminders:
        if r['type'] == 5:  # when the computer starts: no calendar form
            continue
        base = r['file'].rsplit('/', 1)[-1][:-len('.od')]
        uids = [u for u in by_uid if u.rsplit('@', 1)[0].rsplit('-', 1)[0] == base]
        if len(uids) != 1:
            print(f"{r['name']}: {len(uids)} events for {base}")
            wrong += 1
            continue
        found = [n for n in (next_occurrence(e, now) for e in by_uid[uids[0]]) if n is not None]
        ical = min(found) if found else None
        kestrin = None
        if r['nextRun'] > 0:
            kestrin = datetime(1899, 12, 30) + timedelta(days=r['nextRun'])
            kestrin = (kestrin + timedelta(milliseconds=500)).replace(microsecond=0)
        same = ical == kestrin
        compared += 1
        wrong += 0 if same else 1
        print(f"{r['name']}: kestrin {kestrin} ical {ical} {'ok' if same else 'DIFFERENT'}")
    print(f"compared {compared}")
    return 1 if wrong else 0


if __name__ == '__main__':
    sys.exit(main())
