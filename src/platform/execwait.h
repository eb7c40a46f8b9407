#pragma once
// ExecAndWait: runs a program and waits for it, keeping the calling thread's event loop
// served so the windows stay responsive. Used by the wake-timer dialog with a 10 s limit.

#include <QString>
#include <QStringList>

// The codes of iResultado besides the program's own exit code.
inline constexpr quint32 EJECUCION_TIEMPO_AGOTADO = 1;  // the limit passed, killing not allowed
inline constexpr quint32 EJECUCION_DETENIDA = 2;        // killed after the limit
inline constexpr quint32 EJECUCION_NO_DETENIDA = 3;     // killing failed

struct TResultadoEjecucion {
    bool bIniciado = false; // false: the program could not be started
    bool bAgotado = false;  // the limit passed (iResultado 1 to 3, which a program's own exit code may also be)
    quint32 iResultado = 0; // 0 ran and exited 0; errno when not started; 1..3 above; else the exit code
    QString sSalida;        // standard output
    QString sErrores;       // standard error
    QString sTextoSistema;  // why it could not be started
};

// rpExecFile: the program and its arguments (no shell). rwSegsTimeOut 0 waits for ever.
// A limit in milliseconds (riMsTimeOut) lets tests stay short; it wins when above 0.
TResultadoEjecucion ExecAndWait(const QStringList &rpExecFile, quint16 rwSegsTimeOut, bool rbAllowKill,
                                int riMsTimeOut = 0);
