#pragma once
// A client of the desktop's notification service (org.freedesktop.Notifications on the
// session bus): shows a notification, closes it, and reports the actions the user chose
// and the closings. Every call is asynchronous, so a slow or hung service never holds up
// the windows; a missing service, a refusal or no answer in time is a failure text.

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class QDBusMessage;

// The arguments of Notify.
struct TNotificacion {
    QString psAplicacion;
    QString psIcono;           // an icon name of the theme
    QString psResumen;
    QString psCuerpo;
    QStringList paAcciones;    // key, caption, key, caption...
    QVariantMap pPistas;       // hints
    QImage pImagen;            // sent as the "image-data" hint; none: the icon's name alone
    qint32 piExpiraMs = -1;    // 0 never, -1 the service's choice
};

// Why a notification was closed (the service's codes).
enum class TCierreNotificacion : uint { Expiro = 1, Descartada = 2, Cerrada = 3, Otro = 4 };

class TNotificador : public QObject {
    Q_OBJECT
public:
    explicit TNotificador(QObject *rParent = nullptr);
    ~TNotificador() override;

    // The capabilities of the service ("actions", "body-markup"...), or the failure.
    void Capacidades(std::function<void(const QStringList &raCapacidades, const QString &rsFalla)> rRespuesta);
    // Shows rNotificacion; rRespuesta gets its id, or 0 and the failure.
    void Mostrar(const TNotificacion &rNotificacion, std::function<void(uint riId, const QString &rsFalla)> rRespuesta);
    // Takes a notification off the screen (and waits a moment for the service to have it,
    // so it works while the program ends). False when the service did not answer.
    bool Cerrar(uint riId);

signals:
    void Accion(uint riId, const QString &rsClave);
    void Cerrada(uint riId, uint riMotivo);

private slots:
    void On_Accion(uint riId, const QString &rsClave);
    void On_Cerrada(uint riId, uint riMotivo);

private:
    void Llamar(const QDBusMessage &rLlamada, std::function<void(const QDBusMessage &rRespuesta)> rAlResponder);
    bool pbConectado = false;
};
