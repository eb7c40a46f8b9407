#pragma once
// The schedule summary: a few plain-language lines saying when a reminder fires, built
// from a reminder record (the main window) or from plain values (the wizard's pages).

#include "store/record.h"

#include <QStringList>
#include <array>

// The schedule in plain values, as a record holds it or as a wizard page shows it.
struct TDatosResumen {
    qint32 tiTareaTipo = 0;
    double tdInicio = 0;
    bool tbHasta = false;               // repeat until tdFin
    double tdFin = 0;
    std::array<bool, 8> tbDiasSemana{}; // [1] Monday .. [7] Sunday
    std::array<bool, 13> tbMeses{};     // [1] January .. [12] December
    std::array<bool, 32> tbDias{};      // [1] .. [31]
    bool tbUltimoDia = false;
    QString tsUltimo;                   // the word for the last day; empty: the language's own
    bool tbRango = true;                // hourly: a range of hours, else a list of times
    double tdRangoInicio = 0;           // range times (their time of day counts)
    double tdRangoFin = 0;
    qint32 tiRangoPaso = 1;             // range step in hours
    QStringList tsHoras;                // the list of times, as stored ("09:00 AM")
};

// " at " / " a las ": between the date and the time of a date-time text.
QString Texto_Separador_Fecha(int riLenguaje);
// "When the Computer Starts" / "Cuando la Computadora Inicie".
QString Texto_Al_Iniciar(int riLenguaje);

// The plain values of a record's schedule. Range times are read onto today's date.
TDatosResumen Datos_Resumen_De_Tarea(const TTipoTarea &rTarea);

// The lines of the summary, absent optional lines left out (what a wizard page shows).
// fbPrimeraAusente tells whether the type's first line is optional and absent.
// An unknown type or a language other than 0 and 1 gives no lines.
QStringList Lineas_Resumen(const TDatosResumen &rDatos, int riLenguaje, bool *fbPrimeraAusente = nullptr);

// The one-time sentence; the quick reminder writes its English lead "One time. ".
QString Resumen_Una_Vez(double rdInicio, int riLenguaje, bool rbRecordatorioRapido = false);

// The summary of a record, lines joined with CR LF. A type whose optional first line
// is absent begins with CR LF (a weekly record without weekdays, for instance).
QString Generar_Resumen_Tarea(const TTipoTarea &rTarea, int riLenguaje);
