#pragma once
// A fired reminder as a desktop notification: the arguments of Notify built from the
// reminder and the popup's settings, with no bus, so the rules are tested headless. The
// actions carry the popup menu's own captions, and choosing one runs the popup's code.

#include "platform/notificador.h"

#include <QImage>
#include <QString>

// The keys of the actions ("default" is the one the service runs on a click).
inline constexpr char ACCION_NOTIFICACION_POSPONER[] = "snooze";
inline constexpr char ACCION_NOTIFICACION_ABRIR[] = "default";
inline constexpr char ACCION_NOTIFICACION_SILENCIO[] = "mute";

struct TDatosNotificacion {
    QString psNombre;
    QString psMensaje;           // lines may end in CR LF, as in the reminder file
    bool pbPermanente = false;   // the popup would stay until closed
    int piSegundos = 10;         // how long the popup would stay
    int piSnoozeDefault = 10;    // minutes
    bool pbConSonido = false;    // the reminder plays a sound (here or in its alert window)
    int piLenguaje = 0;
    bool pbMarcado = false;      // the service reads markup in the body
    QImage pImagen;              // the icon's picture; none: only the icon's name
};

// The caption of the snooze action: the popup menu's entry for the default snooze time,
// or for 10 minutes when the default is not one of its entries ("Snooze 10 Minutes").
QString Caption_Posponer_Notificacion(int riSnoozeDefault, int riLenguaje);

TNotificacion Armar_Notificacion(const TDatosNotificacion &rDatos);
