#pragma once
// One event (or to-do) of another calendar program to a Kestrin reminder: its start, and
// the repeat rule when a Kestrin type holds it exactly. A rule no type holds is not
// guessed at: the event is skipped with the reason.

#include "store/record.h"

#include <QString>

#include <libical/ical.h>

// Fills the schedule of fTarea (type, start, end, days, months, hours) and its name and
// message from the component; false with fsMotivo (in riLenguaje) when it cannot be held.
bool Evento_a_Tarea(icalcomponent *rEvento, int riLenguaje, TTipoTarea &fTarea, QString &fsMotivo);
