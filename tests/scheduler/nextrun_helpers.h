#pragma once
// Records and moments for the next-run tests.

#include "store/daycount.h"
#include "store/record.h"
#include "store/textforms.h"

#include <QMetaType>

Q_DECLARE_METATYPE(TTipoTarea)

inline double D(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, mo, d), QTime(h, mi, s, ms));
}

// A value as it comes back from a reminder file (a few microseconds off).
inline double F(double rdDias)
{
    return Str_To_Float_Sin_Punto(Float_To_Str_Sin_Punto(rdDias));
}

inline TTipoTarea Tarea(int riTipo, double rdInicio)
{
    TTipoTarea t;
    t.tsTaskName = QStringLiteral("r");
    t.tiTareaTipo = riTipo;
    t.tdFechaInicio = F(rdInicio);
    t.tdFechaFin = F(rdInicio);
    return t;
}

inline TTipoTarea Hasta(TTipoTarea t, double rdFin)
{
    t.tiSiempreRepetirHasta = 1;
    t.tdFechaFin = F(rdFin);
    return t;
}

inline TTipoTarea Semanal(double rdInicio, const QString &rsDias)
{
    TTipoTarea t = Tarea(TAREA_SEMANAL, rdInicio);
    t.tsDiasSemana = rsDias;
    return t;
}

inline TTipoTarea Mensual(double rdInicio, const QString &rsMeses, const QString &rsDias)
{
    TTipoTarea t = Tarea(TAREA_MENSUAL, rdInicio);
    t.tsMeses = rsMeses;
    t.tsDias = rsDias;
    return t;
}

// The hourly editor stores the start date at 12:00:00.
inline TTipoTarea Rango(double rdFecha, const QString &rsDesde, const QString &rsHasta, int riPaso,
                        const QString &rsDias = QStringLiteral("1234567"))
{
    TTipoTarea t = Tarea(TAREA_CADA_HORA, Solo_Fecha(rdFecha) + 0.5);
    t.tiRangoHoras = 1;
    t.tsRangoHoraInicio = rsDesde;
    t.tsRangoHoraFin = rsHasta;
    t.tiRangoCadaHora = riPaso;
    t.tsDiasSemana = rsDias;
    return t;
}

inline TTipoTarea Lista(double rdFecha, const QString &rsHoras, const QString &rsDias = QStringLiteral("1234567"))
{
    TTipoTarea t = Tarea(TAREA_CADA_HORA, Solo_Fecha(rdFecha) + 0.5);
    t.tiRangoHoras = 2;
    t.tsHorasLista = rsHoras;
    t.tsDiasSemana = rsDias;
    return t;
}

inline TTipoTarea Pospuesta(TTipoTarea t, double rdSnooze)
{
    t.tiSnoozeTime = 10;
    t.tdSnoozeRun = F(rdSnooze);
    return t;
}
