#pragma once
// The texts of iCalendar export and import, English (0) and Spanish (1), shared by the
// command line and the main window.

#include <QString>

enum class TTextoICal {
    NombreCalendario,  // X-WR-CALNAME
    NotaAlIniciar,     // %1 name
    Exportadas,        // %1 count, %2 file
    ExportadaUna,      // %1 name, %2 file
    Resumen,           // %1 added, %2 updated, %3 already there, %4 skipped
    ResumenPrueba,     // the same for --dry-run
    Agregada,          // %1 name
    Actualizada,
    YaEstaba,
    Omitida,           // %1 name, %2 why
    ArchivoIlegible,   // %1 file, %2 why
    // Why an event is skipped.
    Intervalo,         // %1 frequency word, %2 interval, %3 unit
    Cuenta,
    PosicionEnSerie,
    DiaNumerado,       // %1 the BYDAY value
    ParteDeRegla,      // %1 the rule part (BYWEEKNO...)
    VariasReglas,
    FechasExcluidas,
    FechasExtra,
    CadaMinuto,
    HastaMensual,
    SinInicio,
    PendienteSinFecha,
    Cancelado,
    Completado,
    OcurrenciaCambiada,
    UidRepetido,
    ZonaDesconocida,   // %1 zone
    RegistroInvalido,  // %1 code
    ParteSinPrimera,
    DemasiadasHoras,
    PasoHorario,       // %1 hours
    SinNombre,
};

QString Texto_ICal(TTextoICal rQue, int riLenguaje);

// "daily", "weekly"... and "days", "weeks"... for a libical frequency (icalrecurrencetype_frequency).
QString Palabra_Frecuencia(int riFrecuencia, int riLenguaje);
QString Unidad_Frecuencia(int riFrecuencia, int riLenguaje);
