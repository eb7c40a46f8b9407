#pragma once
// The main window as the scheduler thread sees it. TfrmMain implements this; the thread
// reaches it only through the calls below, never by touching its widgets.
//
// Synchronised calls (popup, sound) run on the main window's thread while the scheduler
// waits; before each, the scheduler copies its hand-over values into the fields here.
// Posted messages run later on the main window's thread and carry their own copy of
// the text, so no text is shared between the threads.

#include <QString>

class QObject;

// The private messages of the scheduler (WM_USER is 1024).
enum : int {
    WM_USER_HILO = 1024,
    MENSAJE_HILO_REPORTE = WM_USER_HILO + 1,    // 1025: a report, code in wParam
    MENSAJE_HILO_ARCHIVOS = WM_USER_HILO + 2,   // 1026: reminder files changed
    MENSAJE_HILO_TERMINADO = WM_USER_HILO + 3,  // 1027: the thread's loop ended
};

// Report codes of message 1025.
enum : int {
    REPORTE_ERROR_CARGA = 1,        // loader failure; the thread stalls
    REPORTE_ARCHIVO_INVALIDO = 3,   // a reminder file failed validation; lParam = its code
    REPORTE_ALERTWINDOW_FALTA = 4,  // the alert window program is missing
    REPORTE_ALERTWINDOW_FALLO = 5,  // launching it failed unexpectedly
    REPORTE_ALERTWINDOW_NO_INICIO = 6, // the system refused to start it
    REPORTE_ESCRITURA = 7,          // writing the reminder file back failed
};

class TVentanaDelHilo {
public:
    virtual ~TVentanaDelHilo() = default;

    // The object whose thread runs the calls and receives the messages (the window).
    // It must outlive every scheduler thread created for it.
    virtual QObject *Objeto_Ventana() = 0;

    // Popup hand-over, filled by the scheduler just before Mostrar_Desktop_Alert_Thread.
    QString psThreadArchivo;
    QString psThreadTaskName;
    QString psThreadMensaje;
    qint32 piThreadTocarSonido = 0; // 1: the reminder plays a sound (here or in its alert window)
    // Sound hand-over, filled just before Tocar_Sonido_Thread.
    qint32 piThreadUsarSonidoDefault = 1;
    qint32 piThreadRepetirSonido = 0;
    QString psThreadPathDelSonido;

    // The two synchronised calls; the scheduler waits until each returns.
    virtual void Mostrar_Desktop_Alert_Thread() = 0;
    virtual void Tocar_Sonido_Thread() = 0;

    // The three posted messages: wParam, lParam and the text of the thread's psError.
    virtual void Mensaje_Reporte_Hilo(int riWParam, int riLParam, const QString &rsTexto) = 0;
    virtual void Mensaje_Archivos_Cambiados(int riWParam, int riLParam, const QString &rsTexto) = 0;
    virtual void Mensaje_Hilo_Terminado(int riWParam, int riLParam, const QString &rsTexto) = 0;
};
