#include "icaltexts.h"

#include <libical/ical.h>

#include <array>
#include <iterator>

namespace {
struct TPar {
    const char *en;
    const char *es;
};

constexpr std::array kTextos = {
    TPar{"Kestrin reminders", "Recordatorios de Kestrin"},
    TPar{"\"%1\" runs when the computer starts, which a calendar cannot show: exported without a repeat rule.",
         "\"%1\" se ejecuta cuando la computadora inicia, lo que un calendario no puede mostrar: exportado sin regla de repetición."},
    TPar{"Exported %1 reminders to %2.", "Se exportaron %1 recordatorios a %2."},
    TPar{"Exported \"%1\" to %2.", "Se exportó \"%1\" a %2."},
    TPar{"%1 added, %2 updated, %3 already there, %4 skipped.", "%1 agregados, %2 actualizados, %3 ya estaban, %4 omitidos."},
    TPar{"Dry run, nothing written: %1 would be added, %2 updated, %3 already there, %4 skipped.",
         "Prueba, nada escrito: se agregarían %1, se actualizarían %2, %3 ya estaban, %4 se omitirían."},
    TPar{"Added: %1", "Agregado: %1"},
    TPar{"Updated: %1", "Actualizado: %1"},
    TPar{"Already there: %1", "Ya estaba: %1"},
    TPar{"Skipped: %1: %2", "Omitido: %1: %2"},
    TPar{"Cannot import %1: %2", "No se puede importar %1: %2"},
    TPar{"%1 every %2 %3 cannot be held", "%1 cada %2 %3 no se puede guardar"},
    TPar{"a repeat that ends after a number of times (COUNT) cannot be held",
         "una repetición que termina tras un número de veces (COUNT) no se puede guardar"},
    TPar{"a rule with BYSETPOS cannot be held", "una regla con BYSETPOS no se puede guardar"},
    TPar{"a numbered weekday (%1) cannot be held", "un día de la semana numerado (%1) no se puede guardar"},
    TPar{"a rule with %1 cannot be held", "una regla con %1 no se puede guardar"},
    TPar{"more than one repeat rule cannot be held", "más de una regla de repetición no se puede guardar"},
    TPar{"excluded dates (EXDATE) cannot be held", "las fechas excluidas (EXDATE) no se pueden guardar"},
    TPar{"extra dates (RDATE) cannot be held", "las fechas adicionales (RDATE) no se pueden guardar"},
    TPar{"a repeat every minute or second cannot be held", "una repetición cada minuto o segundo no se puede guardar"},
    TPar{"a monthly repeat with an end date cannot be held", "una repetición mensual con fecha final no se puede guardar"},
    TPar{"it has no start time", "no tiene hora de inicio"},
    TPar{"a to-do without a due time", "una tarea pendiente sin fecha de vencimiento"},
    TPar{"it is cancelled", "está cancelado"},
    TPar{"it is completed", "está completada"},
    TPar{"a changed single occurrence (RECURRENCE-ID) cannot be held",
         "una ocurrencia cambiada (RECURRENCE-ID) no se puede guardar"},
    TPar{"its UID comes earlier in the file", "su UID aparece antes en el archivo"},
    TPar{"unknown time zone %1", "zona horaria desconocida %1"},
    TPar{"its Kestrin properties are not valid (code %1)", "sus propiedades de Kestrin no son válidas (código %1)"},
    TPar{"part of a Kestrin reminder whose first part is not in the file",
         "parte de un recordatorio de Kestrin cuya primera parte no está en el archivo"},
    TPar{"more than 26 times a day cannot be held", "más de 26 horas al día no se pueden guardar"},
    TPar{"hourly every %1 hours does not divide the day and cannot be held",
         "cada %1 horas no divide el día y no se puede guardar"},
    TPar{"(no title)", "(sin título)"},
};
static_assert(kTextos.size() == std::size_t(TTextoICal::SinNombre) + 1);
} // namespace

QString Texto_ICal(TTextoICal rQue, int riLenguaje)
{
    const TPar &p = kTextos[std::size_t(rQue)];
    return QString::fromUtf8(riLenguaje == 1 ? p.es : p.en);
}

namespace {
// The words of a recurrence in both languages: its adjective and its unit.
struct TFrecuencia {
    int iFrecuencia;
    const char *palabraEn, *palabraEs, *unidadEn, *unidadEs;
};
constexpr TFrecuencia kFrecuencias[] = {
    {ICAL_HOURLY_RECURRENCE, "hourly", "por horas", "hours", "horas"},
    {ICAL_DAILY_RECURRENCE, "daily", "diario", "days", "días"},
    {ICAL_WEEKLY_RECURRENCE, "weekly", "semanal", "weeks", "semanas"},
    {ICAL_MONTHLY_RECURRENCE, "monthly", "mensual", "months", "meses"},
    {ICAL_YEARLY_RECURRENCE, "yearly", "anual", "years", "años"},
};

// Any other frequency reads as yearly, the last of the table.
const TFrecuencia &Frecuencia(int riFrecuencia)
{
    for (const TFrecuencia &f : kFrecuencias)
        if (f.iFrecuencia == riFrecuencia)
            return f;
    return kFrecuencias[std::size(kFrecuencias) - 1];
}
} // namespace

QString Palabra_Frecuencia(int riFrecuencia, int riLenguaje)
{
    const TFrecuencia &f = Frecuencia(riFrecuencia);
    return QString::fromUtf8(riLenguaje == 1 ? f.palabraEs : f.palabraEn);
}

QString Unidad_Frecuencia(int riFrecuencia, int riLenguaje)
{
    const TFrecuencia &f = Frecuencia(riFrecuencia);
    return QString::fromUtf8(riLenguaje == 1 ? f.unidadEs : f.unidadEn);
}
