#pragma once
// Day counts (local wall time) and libical times. Exported times are in the system's zone
// with its VTIMEZONE when libical knows the zone, in UTC when the system runs on UTC, and
// floating (no zone) otherwise.

#include <QString>
#include <QVector>

#include <libical/ical.h>

struct TZonaICal {
    icaltimezone *pZona = nullptr; // null: floating time
    bool bUtc = false;
    QString sNombre;               // the zone's name; empty for floating time
};

// The system's zone as libical knows it.
TZonaICal Zona_Sistema_ICal();

// The wall time of a day count, in the zone (to the second).
icaltimetype Dias_a_ICal(double rdDias, const TZonaICal &rZona);
// The same moment for UNTIL: in UTC when the zone is known, floating otherwise.
icaltimetype Dias_a_ICal_Hasta(double rdDias, const TZonaICal &rZona);

// The hours at one minute as an hourly reminder's list of times: "08:00 AM,05:00 PM".
QString Lista_Horas_AMPM(const QVector<int> &rHoras, int riMinuto);

// The local wall time of an iCalendar time as a day count: a zoned or UTC time is
// converted to this system's zone, a floating one taken as it stands, a date at 00:00.
// rbFinDelDia puts a date at 23:59:59 (an UNTIL date includes its day). 0 when invalid.
double ICal_a_Dias(const icaltimetype &rT, bool rbFinDelDia = false);
