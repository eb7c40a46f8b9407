#pragma once
// The reminder record riding along in an event: each line of its reminder file as an
// X-KESTRIN-<KEY> property, so that reading the event back gives the same record. And the
// event's UID, stable for a reminder file.

#include "store/record.h"

#include <QStringList>

#include <libical/ical.h>

inline constexpr char kPrefijoKestrin[] = "X-KESTRIN-";
// Events after the first of a reminder exported as several (hourly times that do not
// share their minutes) carry X-KESTRIN-PART with their number and no record.
inline constexpr char kPropiedadParte[] = "X-KESTRIN-PART";

// "<file name without .od>-<creation time in file form>@kestrin": the same for every
// export of the same reminder file.
QString Uid_Tarea(const TTipoTarea &rTarea);

void Agregar_Registro_Kestrin(icalcomponent *fEvento, const TTipoTarea &rTarea);
// The Key=Value lines of the X-KESTRIN- properties (X-KESTRIN-PART aside); empty when
// the event has none.
QStringList Lineas_Registro_Kestrin(icalcomponent *rEvento);
// The event's X-KESTRIN-PART number; 0 without one.
int Parte_Kestrin(icalcomponent *rEvento);
