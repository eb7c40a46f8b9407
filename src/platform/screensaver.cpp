#include "screensaver.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>

namespace {
// Without an address and without the per-user bus socket there is no session bus; asking
// for one then would only try to start a bus of its own.
bool Session_Bus_Configured()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

void Send_Activity(QDBusConnection &rBus, const QString &rsService, const QString &rsPath,
                   const QString &rsInterface)
{
    QDBusMessage call = QDBusMessage::createMethodCall(rsService, rsPath, rsInterface,
                                                       QStringLiteral("SimulateUserActivity"));
    // A screensaver that is not running is not started for this, and no reply is awaited.
    call.setAutoStartService(false);
    rBus.send(call);
}
} // namespace

void Report_User_Activity()
{
    static const bool configured = Session_Bus_Configured();
    if (!configured)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // The freedesktop name is served by KDE, Xfce and most others; GNOME answers on its own.
    Send_Activity(bus, QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
                  QStringLiteral("org.freedesktop.ScreenSaver"));
    Send_Activity(bus, QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver"),
                  QStringLiteral("org.gnome.ScreenSaver"));
}
