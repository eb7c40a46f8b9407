#pragma once
// Starting, restarting and stopping the scheduler thread: the operations the main window
// calls. All of them run on the main window's thread.

#include "alertthread.h"

#include <memory>

// The start values the main window hands to each new thread.
struct TInicioThreadAlerta {
    TVentanaDelHilo *pVentana = nullptr;
    QString psEXEPath;
    QString psAppDataSystemLocal;
    QString psAppDataSoundsAllUsers;
    QString psDefaultSound;
    QString psFontMensaje;
    int piDefaultSnoozeTime = 10;
    int piTickMs = 1000;       // tests shorten the tick
    int piPausaSaltoMs = 2000; // and the pause after a clock jump
};

// Creates a thread, copies the start values in, hands over fbAutoStarted and clears it
// (only the first thread of the process sees an automatic start), and starts it.
// On failure: null, and fsError = "Error 202. " + the failure's text.
std::unique_ptr<TThreadAlerta> Iniciar_Thread_Alerta(const TInicioThreadAlerta &rInicio, bool &fbAutoStarted,
                                                     QString &fsError);

// The stop at shutdown: tells the thread to stop and waits until it has left its loop,
// handling the caller's events meanwhile so that a popup or sound call in progress can
// finish. A tick cut short by the stop completes its file write first. Threads left
// running by an earlier restart are waited for as well. A restart asked for while this
// waits (a message handled meanwhile) is ignored.
void Detener_Thread_Alerta(std::unique_ptr<TThreadAlerta> &fThread);

// Tells the thread to stop and gives it up to 1500 ms, handling the caller's events
// meanwhile. A thread still busy then (a long load, a write) is not cut off: it is left
// to finish its tick and is released when it ends. Then a new thread is started with
// Iniciar_Thread_Alerta. A failure while stopping gives fsError203 = "Error 203. " +
// text and the restart goes on; a failure to start gives fsError202 as above. A restart
// asked for while another is waiting (a message handled during the wait) is ignored;
// a stop (Detener_Thread_Alerta) during the wait ends the restart without a new thread.
// Returns true when a new thread runs.
bool Reiniciar_Thread_Alerta(std::unique_ptr<TThreadAlerta> &fThread, const TInicioThreadAlerta &rInicio,
                             bool &fbAutoStarted, QString &fsError203, QString &fsError202);
