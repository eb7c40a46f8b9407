#pragma once
// What the main window does with a report of the scheduler thread: which line goes to
// the log, which box is shown (caption "Error"), and whether the thread is restarted.

#include <QString>

struct TAccionReporte {
    QString sLog;   // empty: nothing logged
    QString sCaja;  // empty: no box
    bool bReiniciar = false;
};

// A report (WM_USER + 1) with its code and the thread's text. fiContadorLogErrors is
// the main window's piContadorLogErrors: the first three reports of code 1 are logged
// and answered by a restart, later ones are shown without one.
TAccionReporte Accion_Reporte_Planificador(int riCodigo, const QString &rsTexto, int &fiContadorLogErrors);
// The thread's loop ended (WM_USER + 3): log "Error 200 - " + text, then restart.
TAccionReporte Accion_Planificador_Detenido(const QString &rsTexto);
