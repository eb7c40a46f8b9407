#include "bus.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <atomic>
#include <cstdio>

namespace {
std::atomic<bool> pbAvisoDado{false};

void Avisar_Sin_Bus(const QString &rsMotivo)
{
    if (pbAvisoDado.exchange(true))
        return;
    const QByteArray texto = "Kestrin: no D-Bus session bus (" + rsMotivo.toLocal8Bit()
                           + "); broadcast messages are skipped\n";
    std::fputs(texto.constData(), stderr);
    std::fflush(stderr);
}

// The session bus, or nothing (and the one report) when there is none.
bool Conexion(QDBusConnection &fConexion)
{
    fConexion = QDBusConnection::sessionBus();
    if (fConexion.isConnected())
        return true;
    const QString motivo = fConexion.lastError().isValid() ? fConexion.lastError().message()
                                                            : QStringLiteral("not connected");
    Avisar_Sin_Bus(motivo);
    return false;
}

// The bus answers a call only after it has taken every earlier message of this
// connection, so one blocking round trip means: what was sent before has arrived.
bool Esperar_Al_Bus(QDBusConnection &rConexion)
{
    const QDBusMessage llamada = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
    return rConexion.call(llamada, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
}
} // namespace

const QStringList &Kestrin_Messages()
{
    static const QStringList lista{QLatin1String(MSG_KESTRIN), QLatin1String(MSG_KESTRIN_SHUTDOWN),
                                   QLatin1String(MSG_KESTRIN_READ_FILES), QLatin1String(MSG_KESTRIN_CLOSE),
                                   QLatin1String(MSG_KESTRIN_MUTE)};
    return lista;
}

bool Is_Kestrin_Message(const QString &rsName)
{
    return Kestrin_Messages().contains(rsName);
}

bool Session_Bus_Available()
{
    QDBusConnection conexion(QString{});
    return Conexion(conexion);
}

bool Broadcast_Message(const QString &rsName)
{
    if (!Is_Kestrin_Message(rsName))
        return false;
    QDBusConnection conexion(QString{});
    if (!Conexion(conexion))
        return false;
    const QDBusMessage senal = QDBusMessage::createSignal(QLatin1String(KESTRIN_BUS_PATH),
                                                          QLatin1String(KESTRIN_BUS_INTERFACE), rsName);
    if (!conexion.send(senal))
        return false;
    // A signal still queued in this process dies with it: make it safe before the
    // caller may exit.
    return Esperar_Al_Bus(conexion);
}

TBusListener::TBusListener(QObject *rParent) : QObject(rParent) {}

TBusListener::~TBusListener()
{
    if (paEscuchando.isEmpty())
        return;
    QDBusConnection conexion = QDBusConnection::sessionBus();
    for (const QString &nombre : std::as_const(paEscuchando))
        conexion.disconnect(QString(), QLatin1String(KESTRIN_BUS_PATH), QLatin1String(KESTRIN_BUS_INTERFACE),
                            nombre, this, SLOT(On_Bus_Signal(QDBusMessage)));
}

bool TBusListener::Listen(const QString &rsName)
{
    if (!Is_Kestrin_Message(rsName))
        return false;
    if (paEscuchando.contains(rsName))
        return true;
    QDBusConnection conexion(QString{});
    if (!Conexion(conexion))
        return false;
    if (!conexion.connect(QString(), QLatin1String(KESTRIN_BUS_PATH), QLatin1String(KESTRIN_BUS_INTERFACE), rsName,
                          this, SLOT(On_Bus_Signal(QDBusMessage))))
        return false;
    paEscuchando.append(rsName);
    // The subscription travels to the bus like any message; once it has arrived, no
    // message sent after Listen returns can pass by unheard.
    return Esperar_Al_Bus(conexion);
}

void TBusListener::On_Bus_Signal(const QDBusMessage &rMensaje)
{
    if (paEscuchando.contains(rMensaje.member()))
        emit Message_Received(rMensaje.member());
}
