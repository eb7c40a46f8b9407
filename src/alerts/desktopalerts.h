#pragma once
// The tray popups of the main window: Mostrar_Desktop_Alert_Thread shows one for a
// fired reminder, Mostrar_Desktop_Alert_Prueba one for the wizard's test. Open popups
// stack upwards from the bottom-right corner of the screen's work area (above the tray
// icon when the tray reports where it is) and close up when one closes. The menu's
// snooze writes the reminder file through the store's one locked snooze, then the main
// window reloads; mute and every close stop the reminder's sound. With desktop
// notifications on, a fired reminder goes to the desktop's notification service instead,
// whose actions run the same snooze, open and mute; the popup stays the fallback.

#include "alerts/reproductores.h"
#include "settings/settingsload.h"

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QAction;
class TDesktopAlert;
class TNotificacionesAlertas;
struct TDatosNotificacion;

// What the popups need from the main window: plain values and callbacks.
struct TContextoDesktopAlert {
    // The main window's settings (not owned), read as each popup is made, the test popup
    // included: piDesktopAlertDuracion, pbDesktopAlertPermanent, psFontMensaje.
    const TConfiguracion *pConfiguracion = nullptr;
    QIcon pIcono;                    // ImageDesktopAlert; empty: the program's icon resource
    std::function<void()> Abrir_Kestrin;                    // show the main window
    std::function<void(const QString &rsArchivo)> Tras_Posponer; // reload the list, tell the scheduler
    std::function<void()> Desktop_Alert_Prueba_Close;       // the wizard's test popup closed
    std::function<QRect()> Geometria_Bandeja;               // the tray icon's place; empty when unknown
    std::function<double()> Ahora;                          // the wall clock as a day count (tests)
};

// Where popups go: the work area, cut at the top of the tray icon when the tray sits
// inside it at its bottom.
QRect Area_Popups(const QRect &rDisponible, const QRect &rBandeja);
// Top-left corners of popups of the given sizes stacked upwards from the bottom right
// of rArea, the first at the bottom; never above the area's top.
QList<QPoint> Posiciones_Apiladas(const QRect &rArea, const QList<QSize> &rTamanos);

class TDesktopAlerts : public QObject {
    Q_OBJECT
public:
    explicit TDesktopAlerts(TReproductores &rReproductores, QObject *rParent = nullptr);
    ~TDesktopAlerts() override;

    TContextoDesktopAlert pContexto;

    // A fired reminder's popup (psThreadArchivo, psThreadTaskName, psThreadMensaje). A
    // failure shows "Error 209. " + its text and no popup (the reminder then goes to the
    // desktop's notifications, where there are any); false then. With
    // pbDesktopNotifications the reminder is a desktop notification, and the popup shows
    // only when the service is missing or refuses (said once in the event log).
    // rbConSonido: the reminder plays a sound (its notification offers Mute).
    bool Mostrar_Desktop_Alert_Thread(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje,
                                      bool rbConSonido = false);
    // The wizard's test popup for a test file: it stays the set seconds even when popups
    // are permanent; its snooze items only close alert windows; its mute stops the
    // preview. rAlCerrar (Desktop_Alert_Prueba_Close) runs when it closes; without it the
    // context's. Returns empty, or the failure's text (nothing is shown then).
    QString Mostrar_Desktop_Alert_Prueba(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje,
                                         std::function<void()> rAlCerrar = {});

    // The menu's actions (also reached from the popups' menus and the notifications).
    void Snooze_Click(const QAction *rItem);
    void Snooze_Click(const QString &rsCaption, const QString &rsArchivo);
    void Open_Click();
    void Mute_Click();

    QList<TDesktopAlert *> Popups() const;
    // The reminders now shown as desktop notifications.
    int Notificaciones() const;
    // Puts the open popups in their stacked places again.
    void Apilar();

signals:
    // A popup closed (after its sound was stopped).
    void Desktop_Alert_Close(TDesktopAlert *rPopup);

private:
    struct TEntrada {
        QPointer<TDesktopAlert> pPopup;
        QString psArchivo;
        bool pbPrueba = false;
        std::function<void()> pAlCerrar;
    };
    TDesktopAlert *Crear(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje, bool rbPrueba,
                         std::function<void()> rAlCerrar = {});
    void Item_Elegido(const TEntrada &rEntrada, QAction *rItem);
    void Cerrado(TDesktopAlert *rPopup);
    bool Mostrar_Popup(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje, bool rbConSonido,
                       bool rbNotificarSiFalla);
    TDatosNotificacion Datos_Notificacion(const QString &rsNombre, const QString &rsMensaje, bool rbConSonido) const;
    void Notificar(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje, bool rbConSonido,
                   std::function<void(const QString &rsFalla)> rSiFalla);

    TReproductores &pReproductores;
    TNotificacionesAlertas *pNotificaciones = nullptr; // made at the first notification
    bool pbSinNotificaciones = false; // the event log already says why the popup shows
    QList<TEntrada> paPopups;
};
