#pragma once
// The reminder record, its codes, and the reminder table.

#include <QString>
#include <QVector>

// Reminder types (tiTareaTipo).
enum : qint32 {
    TAREA_UNA_VEZ = 1,
    TAREA_DIARIA = 2,
    TAREA_SEMANAL = 3,
    TAREA_MENSUAL = 4,
    TAREA_AL_INICIAR = 5,
    TAREA_CADA_HORA = 6,
    TAREA_ANUAL = 7,
};

// Alert modes (tiAlertWindow).
enum : qint32 {
    ALERTA_POPUP = 1,
    ALERTA_VENTANA = 2,
    ALERTA_AMBAS = 3,
};

// Dates are day counts since 1899-12-30 in local time (see daycount.h).
struct TTipoTarea {
    QString tsFile;
    QString tsTaskName;
    QString tsMensaje;        // lines joined with CR LF
    QString tsSummary;        // lines joined with CR LF
    qint32 tiLenguaje = 0;
    qint32 tiAlertWindow = ALERTA_POPUP;
    qint32 tiTocarSonido = 0;
    qint32 tiUsarSonidoDefault = 1;
    QString tsSonidoElegido;
    QString tsPathDelSonido = QStringLiteral("0");
    qint32 tiRepetirSonido = 0;
    qint32 tiTareaTipo = TAREA_UNA_VEZ;
    double tdFechaInicio = 0;
    qint32 tiSiempreRepetirHasta = 0;
    double tdFechaFin = 0;
    QString tsDiasSemana;
    QString tsMeses;
    QString tsDias;
    qint32 tiRangoHoras = 1;
    QString tsRangoHoraInicio = QStringLiteral("08:00");
    QString tsRangoHoraFin = QStringLiteral("08:00");
    qint32 tiRangoCadaHora = 1;
    QString tsHorasLista;
    double tdFechaCreacion = 0;
    qint32 tiSnoozeTime = -1;
    double tdSnoozeRun = 0;
    qint32 tiAutoDelete = 0;
    double tdNextRunTime = 0;   // computed, never stored; -1 = at the next start with the session
    double tdLastRunTime = 0;
};

// A reminder table: the records in the order their files were loaded.
// The count is the array's size, so the two can never disagree.
struct TTablaTareas {
    QVector<TTipoTarea> paTipoTarea;
    qint32 piTipoTareaTotal() const { return qint32(paTipoTarea.size()); }
    void Vaciar() { paTipoTarea.clear(); }
};
