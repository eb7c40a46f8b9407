#pragma once
// Reminders to an iCalendar file (RFC 5545): one VEVENT per reminder with the RRULE of its
// type, an alarm at the start, and the whole record in X-KESTRIN- properties.

#include "icaltime.h"
#include "store/record.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

struct TExportacionICal {
    QByteArray sDatos;     // the iCalendar text
    int iTareas = 0;       // reminders exported
    int iEventos = 0;      // events written (an hourly reminder may need several)
    QStringList aNotas;    // one line per reminder that calendar programs cannot show as Kestrin runs it
};

// The UIDs kept from earlier imports, by reminder file name (see icaluids.h); a reminder
// without one gets Uid_Tarea.
using TUidsPorArchivo = QHash<QString, QString>;

// Exports the reminders in the given order. rdAhora stamps the events (DTSTAMP) and
// riLenguaje names the calendar and the notes.
TExportacionICal Exportar_ICal(const QVector<TTipoTarea> &rTareas, const TZonaICal &rZona, double rdAhora,
                               int riLenguaje, const TUidsPorArchivo &rUids = {});
