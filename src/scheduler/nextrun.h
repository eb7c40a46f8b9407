#pragma once
// When a reminder is next due.

#include "store/record.h"

// The next run of a reminder seen at rdAhora (a day count), with a grace of riGracia
// seconds after a clock jump (0 normally). Returns 0 for no next run and -1.0 for
// "at the next start with the session". Keeps no state; any record gives an answer.
double Calcular_Proxima_Ejecucion(const TTipoTarea &rTarea, double rdAhora, int riGracia);

// The candidate times of an hourly reminder, as day counts on its start date, in the
// order the next run tries them (at most 26; a range with a step of 0 holds its first
// time only). An entry of 0 is an unreadable time, which ends the list.
QVector<double> Horas_Candidatas(const TTipoTarea &rTarea);
