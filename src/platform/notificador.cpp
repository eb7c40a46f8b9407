#include "notificador.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString sServicio = QStringLiteral("org.freedesktop.Notifications");
const QString sRuta = QStringLiteral("/org/freedesktop/Notifications");
const QString sInterfaz = QStringLiteral("org.freedesktop.Notifications");
// A service that has not answered by then is as good as missing: the popup takes over.
constexpr int iEsperaMs = 5000;

// The "image-data" hint: width, height, row length, alpha, bits per sample, channels, RGBA bytes.
QVariant Datos_Imagen(const QImage &rImagen)
{
    const QImage rgba = rImagen.convertToFormat(QImage::Format_RGBA8888);
    QDBusArgument datos;
    datos.beginStructure();
    datos << rgba.width() << rgba.height() << int(rgba.bytesPerLine()) << true << 8 << 4
          << QByteArray(reinterpret_cast<const char *>(rgba.constBits()), int(rgba.sizeInBytes()));
    datos.endStructure();
    return QVariant::fromValue(datos);
}

QDBusMessage Llamada(const QString &rsMetodo)
{
    return QDBusMessage::createMethodCall(sServicio, sRuta, sInterfaz, rsMetodo);
}
} // namespace

TNotificador::TNotificador(QObject *rParent) : QObject(rParent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // The signals of whoever owns the service's name, followed across restarts.
    pbConectado = bus.connect(sServicio, sRuta, sInterfaz, QStringLiteral("ActionInvoked"), this,
                              SLOT(On_Accion(uint, QString))) &&
                  bus.connect(sServicio, sRuta, sInterfaz, QStringLiteral("NotificationClosed"), this,
                              SLOT(On_Cerrada(uint, uint)));
}

TNotificador::~TNotificador() = default;

void TNotificador::Llamar(const QDBusMessage &rLlamada, std::function<void(const QDBusMessage &)> rAlResponder)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !pbConectado) {
        rAlResponder(QDBusMessage::createError(QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
                                               QStringLiteral("no session bus")));
        return;
    }
    auto *espera = new QDBusPendingCallWatcher(bus.asyncCall(rLlamada, iEsperaMs), this);
    connect(espera, &QDBusPendingCallWatcher::finished, this, [rAlResponder](QDBusPendingCallWatcher *rEspera) {
        rEspera->deleteLater();
        rAlResponder(rEspera->reply());
    });
}

void TNotificador::Capacidades(std::function<void(const QStringList &, const QString &)> rRespuesta)
{
    Llamar(Llamada(QStringLiteral("GetCapabilities")), [rRespuesta](const QDBusMessage &rRespuestaBus) {
        if (rRespuestaBus.type() != QDBusMessage::ReplyMessage || rRespuestaBus.arguments().isEmpty())
            rRespuesta({}, rRespuestaBus.errorMessage().isEmpty() ? QStringLiteral("no answer")
                                                                  : rRespuestaBus.errorMessage());
        else
            rRespuesta(rRespuestaBus.arguments().constFirst().toStringList(), QString());
    });
}

void TNotificador::Mostrar(const TNotificacion &rNotificacion, std::function<void(uint, const QString &)> rRespuesta)
{
    QVariantMap pistas = rNotificacion.pPistas;
    if (!rNotificacion.pImagen.isNull())
        pistas.insert(QStringLiteral("image-data"), Datos_Imagen(rNotificacion.pImagen));
    QDBusMessage llamada = Llamada(QStringLiteral("Notify"));
    llamada << rNotificacion.psAplicacion << uint(0) << rNotificacion.psIcono << rNotificacion.psResumen
            << rNotificacion.psCuerpo << rNotificacion.paAcciones << pistas << rNotificacion.piExpiraMs;
    Llamar(llamada, [rRespuesta](const QDBusMessage &rRespuestaBus) {
        const QList<QVariant> valores = rRespuestaBus.arguments();
        const uint id = valores.isEmpty() ? 0 : valores.constFirst().toUInt();
        if (rRespuestaBus.type() == QDBusMessage::ReplyMessage && id != 0)
            rRespuesta(id, QString());
        else
            rRespuesta(0, rRespuestaBus.type() == QDBusMessage::ReplyMessage
                              ? QStringLiteral("the service gave no notification id")
                              : rRespuestaBus.errorName() + QStringLiteral(": ") + rRespuestaBus.errorMessage());
    });
}

bool TNotificador::Cerrar(uint riId)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || riId == 0)
        return false;
    QDBusMessage llamada = Llamada(QStringLiteral("CloseNotification"));
    llamada.setAutoStartService(false);
    llamada << riId;
    return bus.call(llamada, QDBus::Block, 1000).type() == QDBusMessage::ReplyMessage;
}

void TNotificador::On_Accion(uint riId, const QString &rsClave)
{
    emit Accion(riId, rsClave);
}

void TNotificador::On_Cerrada(uint riId, uint riMotivo)
{
    emit Cerrada(riId, riMotivo);
}
