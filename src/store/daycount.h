#pragma once
// Day counts (days since 1899-12-30, local time, fraction = time of day) and the
// program's one clock.

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <functional>

// The day count of a local date and time.
double Fecha_Hora_a_Dias(const QDate &rdFecha, const QTime &rdHora);
double DateTime_a_Dias(const QDateTime &rdFechaHora);

// Day counts read from files carry an error of a few microseconds (08:00 is stored a
// hair early), so a day count is turned into milliseconds by rounding to the nearest.
qint64 Dias_a_Milisegundos(double rdDias);
double Milisegundos_a_Dias(qint64 riMs);

// The same moments as whole milliseconds since 1899-12-30 00:00, the exact form in which
// schedules are compared and stepped.
inline constexpr qint64 MS_POR_DIA = 86400000;
qint64 Dia_De_Milisegundos(qint64 riMs);  // whole days, rounded down
qint64 Hora_De_Milisegundos(qint64 riMs); // milliseconds since the start of that day
QDate Fecha_De_Milisegundos(qint64 riMs);
qint64 Fecha_a_Milisegundos(const QDate &rdFecha, qint64 riMsDelDia);
// False for values that are not finite or lie far outside any usable calendar.
bool Dias_Validos(double rdDias);
QDate Dias_a_Fecha(double rdDias);        // invalid QDate for unusable values
QTime Dias_a_Hora(double rdDias);         // time of day, to the millisecond
QDateTime Dias_a_DateTime(double rdDias); // local time

double Solo_Fecha(double rdDias);         // whole days, after rounding to the millisecond
double Solo_Hora(double rdDias);          // time of day as a fraction of a day

// Day of the week, 1 = Monday .. 7 = Sunday.
int Dia_De_La_Semana(double rdDias);

// "Now" as a day count, milliseconds included. Tests replace the clock.
double Ahora();
QDateTime Ahora_DateTime();
using TRelojFuncion = std::function<QDateTime()>;
void Establecer_Reloj(TRelojFuncion rReloj); // an empty function restores the real clock

// Today's date as Dias_a_Fecha(Ahora()) gives it. Every reading of the local time makes
// the C library look at the time-zone file again, and a list writes thousands of date
// words at once: the date read is kept for at most a second of the real clock, and never
// for an instant outside that day, so a clock jump or a zone change shows within a second.
QDate Fecha_Hoy();
