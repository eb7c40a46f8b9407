#include "renames.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::atomic<unsigned> gRechazos{0};
std::mutex gMutexObservador;
std::function<void(const QString &)> gObservador;

void Poner_Error(QString *fsError, const QString &rsRuta, int riErrno)
{
    if (fsError)
        *fsError = rsRuta + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(riErrno));
}

int Enlazar(const char *rsOrigen, const char *rsDestino)
{
    if (gRechazos & RECHAZAR_ENLACE) {
        errno = EPERM;
        return -1;
    }
    return ::link(rsOrigen, rsDestino);
}

int Renombrar_Excl(const char *rsOrigen, const char *rsDestino)
{
    if (gRechazos & RECHAZAR_RENOMBRAR_EXCL) {
        errno = EINVAL;
        return -1;
    }
    return ::renameat2(AT_FDCWD, rsOrigen, AT_FDCWD, rsDestino, RENAME_NOREPLACE);
}

// The errors of a file system that does not offer the call at all.
bool No_Soportado(int riErrno)
{
    return riErrno == EPERM || riErrno == EINVAL || riErrno == ENOSYS || riErrno == EOPNOTSUPP ||
           riErrno == ENOTSUP || riErrno == EXDEV;
}

bool Existe(const char *rsRuta)
{
    struct stat info {};
    return ::lstat(rsRuta, &info) == 0;
}
} // namespace

bool Escribir_Todo(int riFd, const QByteArray &rDatos)
{
    qsizetype hecho = 0;
    while (hecho < rDatos.size()) {
        const ssize_t n = ::write(riFd, rDatos.constData() + hecho, size_t(rDatos.size() - hecho));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        hecho += n;
    }
    return true;
}

namespace {
// The last resort of a claim: the name is created exclusively and the content written
// through it and synced. Ocupado when the name exists.
TReclamo Crear_Con_Contenido(const QByteArray &rDestino, const QByteArray &rContenido, const QString &rsDestino,
                             QString *fsError)
{
    const int fd = ::open(rDestino.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return TReclamo::Ocupado;
        Poner_Error(fsError, rsDestino, errno);
        return TReclamo::Error;
    }
    if (!Escribir_Todo(fd, rContenido) || ::fsync(fd) != 0) {
        const int e = errno;
        ::close(fd);
        ::unlink(rDestino.constData());
        Poner_Error(fsError, rsDestino, e);
        return TReclamo::Error;
    }
    ::close(fd);
    return TReclamo::Ok;
}
} // namespace

TReclamo Reclamar_Nombre(const QString &rsTemporal, const QByteArray &rContenido, const QString &rsDestino,
                         QString *fsError)
{
    const QByteArray origen = QFile::encodeName(rsTemporal);
    const QByteArray destino = QFile::encodeName(rsDestino);
    // A rename that never replaces: one change of the folder, where a link and an unlink
    // would be two.
    if (Renombrar_Excl(origen.constData(), destino.constData()) == 0)
        return TReclamo::Ok;
    if (errno == EEXIST)
        return TReclamo::Ocupado;
    if (!No_Soportado(errno)) {
        Poner_Error(fsError, rsDestino, errno);
        return TReclamo::Error;
    }
    // No such rename here: a link, which fails when the name exists.
    if (Enlazar(origen.constData(), destino.constData()) == 0) {
        ::unlink(origen.constData());
        return TReclamo::Ok;
    }
    if (errno == EEXIST)
        return TReclamo::Ocupado;
    if (!No_Soportado(errno)) {
        Poner_Error(fsError, rsDestino, errno);
        return TReclamo::Error;
    }
    const TReclamo r = Crear_Con_Contenido(destino, rContenido, rsDestino, fsError);
    if (r == TReclamo::Ok)
        ::unlink(origen.constData());
    return r;
}

int Abrir_Archivo_Sin_Nombre(const QString &rsCarpeta, bool &fbNoSoportado, QString *fsError)
{
    fbNoSoportado = false;
    if (gRechazos & RECHAZAR_SIN_NOMBRE) {
        fbNoSoportado = true;
        return -1;
    }
    const int fd = ::open(QFile::encodeName(rsCarpeta).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0)
        return fd;
    // Kernels and file systems without unnamed files answer EISDIR or EOPNOTSUPP.
    fbNoSoportado = errno == EISDIR || No_Soportado(errno);
    if (!fbNoSoportado)
        Poner_Error(fsError, rsCarpeta, errno);
    return -1;
}

TReclamo Nombrar_Archivo_Sin_Nombre(int riFd, const QByteArray &rContenido, const QString &rsDestino,
                                    QString *fsError)
{
    const QByteArray destino = QFile::encodeName(rsDestino);
    // The descriptor's name under /proc links the file itself (linkat with AT_EMPTY_PATH
    // would need a capability); the link fails when the name exists.
    const QByteArray origen = "/proc/self/fd/" + QByteArray::number(riFd);
    if (gRechazos & RECHAZAR_ENLACE)
        errno = EPERM;
    else if (::linkat(AT_FDCWD, origen.constData(), AT_FDCWD, destino.constData(), AT_SYMLINK_FOLLOW) == 0)
        return TReclamo::Ok;
    if (errno == EEXIST)
        return TReclamo::Ocupado;
    // No /proc (ENOENT) or no links here: the content goes through the name itself.
    if (errno != ENOENT && !No_Soportado(errno)) {
        Poner_Error(fsError, rsDestino, errno);
        return TReclamo::Error;
    }
    return Crear_Con_Contenido(destino, rContenido, rsDestino, fsError);
}

TReclamo Renombrar_Sin_Reemplazar(const QString &rsOrigen, const QString &rsDestino, QString *fsError)
{
    const QByteArray origen = QFile::encodeName(rsOrigen);
    const QByteArray destino = QFile::encodeName(rsDestino);
    if (Renombrar_Excl(origen.constData(), destino.constData()) == 0)
        return TReclamo::Ok;
    if (errno == EEXIST)
        return TReclamo::Ocupado;
    if (!No_Soportado(errno)) {
        Poner_Error(fsError, rsOrigen, errno);
        return TReclamo::Error;
    }
    if (Enlazar(origen.constData(), destino.constData()) == 0) {
        ::unlink(origen.constData());
        return TReclamo::Ok;
    }
    if (errno == EEXIST)
        return TReclamo::Ocupado;
    if (!No_Soportado(errno)) {
        Poner_Error(fsError, rsOrigen, errno);
        return TReclamo::Error;
    }
    if (Existe(destino.constData()))
        return TReclamo::Ocupado;
    if (::rename(origen.constData(), destino.constData()) != 0) {
        Poner_Error(fsError, rsOrigen, errno);
        return TReclamo::Error;
    }
    return TReclamo::Ok;
}

bool Sincronizar_Carpeta(const QString &rsCarpeta, QString *fsError)
{
    const QByteArray ruta = QFile::encodeName(rsCarpeta);
    const int fd = ::open(ruta.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        Poner_Error(fsError, rsCarpeta, errno);
        return false;
    }
    // Some file systems cannot sync a folder (EINVAL): nothing more can be done there.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    const int e = errno;
    ::close(fd);
    if (!ok) {
        Poner_Error(fsError, rsCarpeta, e);
        return false;
    }
    std::lock_guard<std::mutex> lock(gMutexObservador);
    if (gObservador)
        gObservador(rsCarpeta);
    return true;
}

void Simular_Rechazos_Sistema_Archivos(unsigned riRechazos)
{
    gRechazos = riRechazos;
}

void Observar_Sincronizaciones_Carpeta(std::function<void(const QString &)> rObservador)
{
    std::lock_guard<std::mutex> lock(gMutexObservador);
    gObservador = std::move(rObservador);
}
