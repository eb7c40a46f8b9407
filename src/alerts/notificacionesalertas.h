#pragma once
// The reminders shown as desktop notifications instead of popups. Each notification's
// actions run the popup menu's own snooze, open and mute; its closing, in any way, stops
// the reminder's sound as a popup's closing does. Notifications still open when Kestrin
// ends are taken off the screen, since nobody would answer their actions.

#include "alerts/notificacion.h"
#include "platform/notificador.h"

#include <QHash>
#include <QObject>

#include <functional>

struct TAccionesNotificacion {
    std::function<void(const QString &rsCaption, const QString &rsArchivo)> Posponer; // Snooze_Click
    std::function<void()> Abrir;     // Open_Click
    std::function<void()> Silenciar; // Mute_Click
    std::function<void()> Cerrada;   // what a popup's closing does
};

class TNotificacionesAlertas : public QObject {
    Q_OBJECT
public:
    explicit TNotificacionesAlertas(TAccionesNotificacion rAcciones, QObject *rParent = nullptr);
    ~TNotificacionesAlertas() override;

    // Shows the reminder of rsArchivo. rResultado runs once: with an empty text when the
    // service took it, else with why not (no service, a refusal, no answer in time, or a
    // service that shows no actions, where snooze and mute could not be reached).
    void Mostrar(TDatosNotificacion rDatos, const QString &rsArchivo, std::function<void(const QString &rsFalla)> rResultado);

    int Abiertas() const { return int(paAbiertas.size()); }

private:
    void Accion(uint riId, const QString &rsClave);
    void Cerrada(uint riId);

    struct TAbierta {
        QString psArchivo;
        QString psCaptionPosponer;
    };
    TAccionesNotificacion pAcciones;
    TNotificador pNotificador;
    QHash<uint, TAbierta> paAbiertas; // only our own: the service's signals tell every client
};
