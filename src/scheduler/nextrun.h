#pragma once
// When a reminder is next due.

#include "store/record.h"

// The next run of a reminder seen at rdAhora (a day count), with a grace of riGracia
// seconds after a clock jump (0 normally). Returns 0 for no next run and -1.0 for
// "at the next start with the session". Keeps no state; any record gives an answer.
double Calcular_Proxima_Ejecucion(const TTipoTarea &rTarea, double rdAhora, int riGracia);
