#pragma once
// The texts of waking from sleep: the event-log lines about what stops Kestrin from
// waking the computer, and the wake-timer dialog's captions and messages.

#include <QString>

// The log line, once per run, when the wake alarm cannot be set. riError is the errno of
// the failure; for EPERM it names the capability and how to grant it to rsEjecutable.
QString Texto_Sin_Despertar(int riLenguaje, int riError, const QString &rsEjecutable);
// The log line when suspend and resume cannot be followed (no system bus, no logind).
QString Texto_Sin_Logind(int riLenguaje, const QString &rsDetalle);

// The wake-timer dialog: 1 Spanish, any other value English.
struct TCaptionsWakeTimers {
    QString sTitulo;
    QString LabelNota1, LabelNota2;
    QString GroupBox;
    QString LabelBateria1, LabelConectado1;
    QString BitBtnEnableWakeTimers, BitBtnDisableWakeTimers, BitBtnCerrar;
    QString psEnabled, psDisabled;
    QString sNoPudoLeer;       // after "Error 601. ", 602 and 603
    QString sHabilitados;      // the confirmation after Enable
    QString sDeshabilitados;   // the confirmation after Disable
    QString sNoAutorizado;     // pkexec refused or the authentication was cancelled
    QString sSinCambio;        // the switch still reads the old state after a change
};
const TCaptionsWakeTimers &Captions_Wake_Timers(int riLenguaje);

// "The command did not finish within N seconds and was stopped", for error 600 and 610.
QString Texto_Tiempo_Agotado(int riLenguaje, int riSegundos);
// "Error <code>. <text>", the form of every numbered box of the dialog.
QString Texto_Error_Wake_Timers(int riCodigo, const QString &rsTexto);
