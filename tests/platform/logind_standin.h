#pragma once
// Test support: a private dbus-daemon that stands in for the system bus, and a stand-in
// logind object on it. The daemon allows everything on a socket in a temporary folder;
// DBUS_SYSTEM_BUS_ADDRESS points at it before anything asks Qt for the system bus.
// The stand-in records each Inhibit call and hands out the write end of a pipe whose
// read end it keeps, so a test sees the inhibitor's release as the end of the pipe.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QVector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

class TBusSistemaPrivado {
public:
    // Starts the daemon; Direccion() is empty when it could not be started.
    TBusSistemaPrivado()
    {
        const QString socket = pDir.path() + QStringLiteral("/system_bus_socket");
        const QString config = pDir.path() + QStringLiteral("/bus.conf");
        QFile archivo(config);
        if (!archivo.open(QIODevice::WriteOnly))
            return;
        archivo.write(QStringLiteral(
                          "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                          " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                          "<busconfig>\n"
                          "  <listen>unix:path=%1</listen>\n"
                          "  <auth>EXTERNAL</auth>\n"
                          "  <policy context=\"default\">\n"
                          "    <allow user=\"*\"/>\n"
                          "    <allow own=\"*\"/>\n"
                          "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                          "    <allow receive_sender=\"*\"/>\n"
                          "  </policy>\n"
                          "</busconfig>\n")
                          .arg(socket)
                          .toUtf8());
        archivo.close();
        pDaemon.setProgram(QStringLiteral("dbus-daemon"));
        pDaemon.setArguments({QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                              QStringLiteral("--print-address=1")});
        pDaemon.start();
        if (!pDaemon.waitForStarted(5000))
            return;
        while (!pDaemon.canReadLine() && pDaemon.waitForReadyRead(5000)) {
        }
        psDireccion = QString::fromUtf8(pDaemon.readLine()).trimmed();
    }
    ~TBusSistemaPrivado()
    {
        pDaemon.terminate();
        pDaemon.waitForFinished(3000);
    }
    QString Direccion() const { return psDireccion; }

private:
    QTemporaryDir pDir;
    QProcess pDaemon;
    QString psDireccion;
};

struct TLlamadaInhibit {
    QString sWhat, sWho, sWhy, sMode;
    int iFdLectura = -1; // the pipe's read end, kept by the stand-in
};

class TLogindSimulado : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    explicit TLogindSimulado(const QString &rsDireccion)
        : pBus(QDBusConnection::connectToBus(rsDireccion, QStringLiteral("logind-simulado")))
    {
    }
    ~TLogindSimulado() override
    {
        Quitar_Nombre();
        for (const TLlamadaInhibit &llamada : paLlamadas)
            ::close(llamada.iFdLectura);
        QDBusConnection::disconnectFromBus(QStringLiteral("logind-simulado"));
    }
    bool Registrar()
    {
        return pBus.registerObject(QStringLiteral("/org/freedesktop/login1"), this, QDBusConnection::ExportAllSlots)
               && Poner_Nombre();
    }
    bool Poner_Nombre() { return pBus.registerService(QStringLiteral("org.freedesktop.login1")); }
    void Quitar_Nombre() { pBus.unregisterService(QStringLiteral("org.freedesktop.login1")); }

    void Emitir_PrepareForSleep(bool rbAntes)
    {
        QDBusMessage senal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                        QStringLiteral("org.freedesktop.login1.Manager"),
                                                        QStringLiteral("PrepareForSleep"));
        senal << rbAntes;
        pBus.send(senal);
    }

    // True once every copy of the write end handed out by call i is closed.
    bool Liberado(int riLlamada) const
    {
        pollfd p{paLlamadas.at(riLlamada).iFdLectura, POLLIN, 0};
        return ::poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLIN));
    }

    QVector<TLlamadaInhibit> paLlamadas;
    bool pbNegar = false; // answer Inhibit with an error

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode, const QDBusMessage &rMensaje)
    {
        if (pbNegar) {
            rMensaje.setDelayedReply(true);
            pBus.send(rMensaje.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                                                QStringLiteral("Permission denied")));
            return {};
        }
        int extremos[2];
        if (::pipe2(extremos, O_CLOEXEC) != 0)
            return {};
        paLlamadas.append({what, who, why, mode, extremos[0]});
        QDBusUnixFileDescriptor escritura(extremos[1]); // Qt keeps its own copy
        ::close(extremos[1]);
        return escritura;
    }

private:
    QDBusConnection pBus;
};
