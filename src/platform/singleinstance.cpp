#include "singleinstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// How this process holds the instance, once it does.
enum class TTenencia { Ninguna, Nombre, Bloqueo };
TTenencia ptTenencia = TTenencia::Ninguna;
int piBloqueo = -1; // open for the life of the process: closing it would free the lock

void Avisar(const QString &rsTexto)
{
    std::fputs(("Kestrin: " + rsTexto + "\n").toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

bool Bus_Conectado(QDBusConnection &fConexion)
{
    fConexion = QDBusConnection::sessionBus();
    return fConexion.isConnected() && fConexion.interface() != nullptr;
}

// Opens the lock file without following a link planted in a shared folder, and only
// when it is ours: a file of another user there could be held to keep us out.
// O_CLOEXEC: the alert windows Kestrin starts must not carry the lock on after it ends.
int Abrir_Bloqueo(QString &fsError)
{
    const QByteArray ruta = QFile::encodeName(Archivo_Bloqueo_Instancia());
    const int fd = ::open(ruta.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        fsError = QString::fromLocal8Bit(std::strerror(errno));
        return -1;
    }
    struct stat datos {};
    if (::fstat(fd, &datos) != 0 || !S_ISREG(datos.st_mode) || datos.st_uid != ::geteuid()) {
        fsError = QStringLiteral("not a file of this user");
        ::close(fd);
        return -1;
    }
    return fd;
}

// LOCK_NB: a second copy must learn at once that the first runs, never wait for it.
bool Bloquear(int riFd)
{
    int r;
    do
        r = ::flock(riFd, LOCK_EX | LOCK_NB);
    while (r != 0 && errno == EINTR);
    return r == 0;
}
} // namespace

QString Archivo_Bloqueo_Instancia()
{
    QString carpeta = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (carpeta.isEmpty() || !QDir(carpeta).exists())
        carpeta = QDir::tempPath();
    return QDir(carpeta).filePath(QStringLiteral("kestrin-%1.lock").arg(::geteuid()));
}

TAdquisicion Adquirir_Instancia_Unica()
{
    if (ptTenencia != TTenencia::Ninguna)
        return TAdquisicion::Propia;
    QDBusConnection conexion(QString{});
    if (Bus_Conectado(conexion)) {
        // Neither waiting in the queue for the name nor letting a later copy take it over.
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> respuesta =
            conexion.interface()->registerService(QLatin1String(KESTRIN_BUS_SERVICE),
                                                  QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
        if (!respuesta.isValid()) {
            Avisar(QStringLiteral("cannot ask the session bus for %1: %2")
                       .arg(QLatin1String(KESTRIN_BUS_SERVICE), respuesta.error().message()));
            return TAdquisicion::Imposible;
        }
        if (respuesta.value() != QDBusConnectionInterface::ServiceRegistered)
            return TAdquisicion::OtraCorre;
        ptTenencia = TTenencia::Nombre;
        return TAdquisicion::Propia;
    }

    QString error;
    const int fd = Abrir_Bloqueo(error);
    if (fd < 0) {
        // Not "another Kestrin runs": a file we may not use is no proof of that, and
        // saying nothing would leave the user without a program and without a word.
        Avisar(QStringLiteral("cannot open the lock file %1: %2").arg(Archivo_Bloqueo_Instancia(), error));
        return TAdquisicion::Imposible;
    }
    if (!Bloquear(fd)) {
        const int motivo = errno;
        ::close(fd);
        if (motivo == EWOULDBLOCK)
            return TAdquisicion::OtraCorre;
        Avisar(QStringLiteral("cannot lock %1: %2")
                   .arg(Archivo_Bloqueo_Instancia(), QString::fromLocal8Bit(std::strerror(motivo))));
        return TAdquisicion::Imposible;
    }
    piBloqueo = fd;
    ptTenencia = TTenencia::Bloqueo;
    return TAdquisicion::Propia;
}

bool Instancia_Corriendo()
{
    QDBusConnection conexion(QString{});
    if (Bus_Conectado(conexion)) {
        if (ptTenencia == TTenencia::Nombre)
            return false; // the owner is this process
        const QDBusReply<bool> registrado =
            conexion.interface()->isServiceRegistered(QLatin1String(KESTRIN_BUS_SERVICE));
        return registrado.isValid() && registrado.value();
    }
    if (ptTenencia == TTenencia::Bloqueo)
        return false;
    QString error;
    const int fd = Abrir_Bloqueo(error);
    if (fd < 0)
        return false; // no file that could be held: nobody holds it
    const bool libre = Bloquear(fd);
    ::close(fd); // frees the probe's own lock at once
    return !libre;
}
