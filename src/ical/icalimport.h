#pragma once
// An iCalendar file to reminder files: each VEVENT (and each VTODO with a due time) is
// planned as added, updated (same UID as an earlier import or export), already there, or
// skipped with the reason; then the plan is written through the store's writer. A file
// that does not read or parse gives no plan, and nothing is written.

#include "store/record.h"

#include <QStringList>
#include <QVector>

#include <functional>

// The largest file and the most events an import reads: far above any real calendar,
// low enough that reading one cannot exhaust the memory.
inline constexpr qint64 kMaxBytesICal = 32LL * 1024 * 1024;
inline constexpr int kMaxEventosICal = 20000;

enum class TAccionImport { Agregar, Actualizar, YaEsta, Omitir };

struct TEventoImport {
    TAccionImport iAccion = TAccionImport::Omitir;
    QString sNombre;   // the event's SUMMARY
    QString sUid;
    QString sMotivo;   // why it is skipped
    QString sArchivo;  // the reminder file it updates or matches; the new file once added
    TTipoTarea tTarea; // what is written
};

struct TContextoImport {
    QString sCarpetaDatos;      // the reminder folder
    QString sArchivoUids;       // see icaluids.h
    QString sPathSonidoDefault; // full path of the default sound
    int iLenguaje = 0;
    double dAhora = 0;
    // The schedule summary of a reminder in a language (the store keeps it in the file).
    std::function<QString(const TTipoTarea &, int)> Resumen;
};

struct TPlanImport {
    QString sError; // not empty: the file could not be read or parsed, nothing is planned
    QVector<TEventoImport> aEventos;
    int Cuantos(TAccionImport rAccion) const;
};

TPlanImport Planear_Import_ICal(const QString &rsArchivo, const TContextoImport &rContexto);
// Writes the added and updated reminders; a write that fails turns its event into a
// skipped one with the store's text. Returns the count of files written.
int Aplicar_Import_ICal(TPlanImport &fPlan, const TContextoImport &rContexto);

// The report: one line per event (added, updated, already there, skipped with why), then
// the counts, in riLenguaje.
QStringList Lineas_Informe_Import(const TPlanImport &rPlan, bool rbPrueba, int riLenguaje);
