#include "pruebaventana.h"

#include "store/textforms.h"

#include <QFile>
#include <QFileInfo>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/types.h>
#include <sys/wait.h>

bool Proceso_Es_Programa(qint64 riPid, const QString &rsNombre)
{
    if (riPid <= 0)
        return false;
    const QString base = QStringLiteral("/proc/") + QString::number(riPid);
    // A process that has ended but not been reaped yet is not running.
    QFile stat(base + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray estado = stat.readAll();
    const qsizetype cierre = estado.lastIndexOf(')');
    if (cierre < 0 || cierre + 2 >= estado.size() || estado.at(cierre + 2) == 'Z' || estado.at(cierre + 2) == 'X')
        return false;
    const QString exe = QFileInfo(base + QStringLiteral("/exe")).symLinkTarget();
    if (!exe.isEmpty()) {
        // A program rebuilt or reinstalled while it runs reads "name (deleted)".
        QString nombre = QFileInfo(exe).fileName();
        if (nombre.endsWith(QStringLiteral(" (deleted)")))
            nombre.chop(10);
        return nombre == rsNombre;
    }
    QFile comm(base + QStringLiteral("/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return false;
    const QString nombre = QString::fromLocal8Bit(comm.readAll()).trimmed();
    return !nombre.isEmpty() && nombre == rsNombre.left(15);
}

bool Proceso_Es_Prueba(qint64 riPid, const QString &rsNombre, const QString &rsArgumento)
{
    // execve() switches /proc/PID/exe to the new program and closes the close-on-exec
    // descriptors (which is when QProcess reports the start) before it lays out the new
    // program's arguments; until then /proc/PID/cmdline reads empty. A live process of
    // the right program with no arguments yet is in that step: read again until they are
    // there, which takes microseconds, not scheduling rounds, unless the machine is very
    // busy (hence the generous bound).
    const QString camino = QStringLiteral("/proc/") + QString::number(riPid) + QStringLiteral("/cmdline");
    QDeadlineTimer limite(2000);
    for (;;) {
        if (!Proceso_Es_Programa(riPid, rsNombre))
            return false;
        QFile linea(camino);
        if (!linea.open(QIODevice::ReadOnly))
            return false;
        const QByteArray contenido = linea.readAll();
        if (!contenido.isEmpty())
            return contenido.split('\0').contains(QFile::encodeName(rsArgumento));
        if (limite.hasExpired())
            return false;
        QThread::usleep(200);
    }
}

TVentanaPrueba::~TVentanaPrueba()
{
    Terminar();
}

bool TVentanaPrueba::Iniciar(const QString &rsPrograma, const QStringList &rArgumentos,
                             const QString &rsArchivoTemporal, QString &fsError)
{
    Terminar();
    psArchivo = rsArchivoTemporal;
    QProcess proceso;
    proceso.setProgram(rsPrograma);
    proceso.setArguments(rArgumentos);
    qint64 pid = 0;
    if (!proceso.startDetached(&pid)) {
        fsError = proceso.errorString();
        return false;
    }
    piPid = pid;
    psNombrePrograma = QFileInfo(rsPrograma).fileName();
    return true;
}

void TVentanaPrueba::Terminar()
{
    if (piPid > 0 && Proceso_Es_Prueba(piPid, psNombrePrograma, psArchivo))
        ::kill(pid_t(piPid), SIGTERM);
    piPid = 0;
    if (!psArchivo.isEmpty()) {
        QFile::remove(psArchivo);
        psArchivo.clear();
    }
}

QString Nombre_Archivo_Prueba(const QString &rsCarpeta, double rdAhora)
{
    return rsCarpeta + Float_To_Str_Sin_Punto(rdAhora) + QStringLiteral(".tmp");
}
