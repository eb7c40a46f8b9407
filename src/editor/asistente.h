#pragma once
// The reminder wizard as the main window sees it: what it hands over, and the one call
// that opens the wizard for a new reminder or for an existing one.

#include "platform/folders.h"
#include "settings/settingsload.h"
#include "store/record.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;
class TReproductorInterno;

struct TContextoAsistente {
    TCarpetas pCarpetas;
    // The main window's settings (not owned): the default sound, snooze time, popup time,
    // font and start with the session are read from it each time they are used, so a
    // change made meanwhile (the sound manager, the options) counts at once.
    const TConfiguracion *pConfiguracion = nullptr;
    int piLenguaje = 0;                   // the interface language (Lenguaje_Actual())
    int piIndice = -1;                    // the list row being edited; -1 for a new reminder
    std::optional<TTipoTarea> pTarea;     // the record copy of that row; none for a new reminder
    QString psEjecutable;                 // the program the autostart entry names; empty: Archivo_Inicio_Con_Sesion()
    TReproductorInterno *pReproductor = nullptr; // the main window's preview player (not owned)

    // The test popup: reminder file (empty: a test, whose snooze items only close the test
    // alert window), header and message. Returns empty, or the failure's text when no
    // popup could be shown. When the popup closes, the main window calls
    // Popup_Prueba_Cerrado().
    std::function<QString(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje)>
        Mostrar_Popup_Prueba;
    // The sound library manager, modal over rOwner; the wizard refreshes its list after.
    std::function<void(QWidget *rOwner, const QString &rsCaption)> Abrir_Manejador_Sonidos;
    // After a save: reload with rsArchivo selected and have the scheduler re-read the files.
    std::function<void(const QString &rsArchivo)> Tras_Guardar;
    // The wizard turned starting with the session on (the main window's pbStartWithWindows).
    std::function<void()> Tras_Inicio_Con_Sistema;
};

// Opens the wizard modally over rParent and returns when it closes. A request while a
// wizard is open is ignored (returns false at once).
bool Abrir_Asistente_Tarea(QWidget *rParent, const TContextoAsistente &rContexto);

// The test popup has closed: the open wizard stops its preview and lets Test run again.
void Popup_Prueba_Cerrado();
