#pragma once
// Reading and changing the RTC's wake switch through the helper program kestrin-wakeup,
// with the wake-timer dialog's numbered errors. No window: the dialog shows the result.
//
//   600  the query could not run, timed out (killed) or exited non-zero
//   601  the helper answered nothing
//   602  the switch holds something other than "enabled" / "disabled"
//   603  the answer cannot be read (no "wakeup=" line)
//   604  an exception while reading or changing
//   610  the change failed or was not authorised

#include <QString>
#include <QStringList>

struct TContextoWakeTimers {
    QString psAyudante;                                       // empty: kestrin-wakeup beside the program
    QStringList paPrefijoCambio{QStringLiteral("pkexec")};    // runs enable/disable as root
    int piLimiteMs = 10000;                                   // ExecAndWait's limit for the query
    // A change waits for a person to type a password into pkexec's dialog: ten seconds
    // would cut many of them off, so it has a limit of its own.
    int piLimiteCambioMs = 120000;
};

struct TResultadoDespertar {
    int iCodigo = 0;        // 0 or one of the numbers above
    QString sMensaje;       // the whole box text, "Error 60x. ..."; empty when iCodigo is 0
    bool bHabilitado = false;
};

// The options dialog enables its wake-timer button with this: an RTC with a wake switch.
bool Existe_Interruptor_Despertar();
QString Ruta_Ayudante_Despertar(const TContextoWakeTimers &rContexto);

// The helper's answer to "query": 0, 601, 602 or 603.
TResultadoDespertar Interpretar_Respuesta_Despertar(const QString &rsSalida, int riLenguaje);

TResultadoDespertar Leer_Interruptor_Despertar(const TContextoWakeTimers &rContexto, int riLenguaje);
// Runs the helper's enable or disable behind the prefix. 0 or 610 (604 for an exception).
TResultadoDespertar Cambiar_Interruptor_Despertar(const TContextoWakeTimers &rContexto, bool rbHabilitar,
                                                  int riLenguaje);
