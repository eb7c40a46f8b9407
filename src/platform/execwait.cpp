#include "platform/execwait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>

namespace {

quint32 Error_De_Inicio(const QString &rsPrograma)
{
    const QString ruta = rsPrograma.contains(QLatin1Char('/')) ? rsPrograma
                                                                : QStandardPaths::findExecutable(rsPrograma);
    if (ruta.isEmpty() || !QFileInfo::exists(ruta))
        return ENOENT;
    if (!QFileInfo(ruta).isExecutable() || QFileInfo(ruta).isDir())
        return EACCES;
    return EIO;
}

} // namespace

TResultadoEjecucion ExecAndWait(const QStringList &rpExecFile, quint16 rwSegsTimeOut, bool rbAllowKill,
                                int riMsTimeOut)
{
    TResultadoEjecucion r;
    if (rpExecFile.isEmpty()) {
        r.iResultado = ENOENT;
        r.sTextoSistema = QStringLiteral("No program given");
        return r;
    }
    QProcess proceso;
    proceso.setProgram(rpExecFile.first());
    proceso.setArguments(rpExecFile.mid(1));
    proceso.setStandardInputFile(QProcess::nullDevice());

    QEventLoop bucle;
    QObject::connect(&proceso, &QProcess::finished, &bucle, &QEventLoop::quit);
    QObject::connect(&proceso, &QProcess::errorOccurred, &bucle, [&](QProcess::ProcessError rError) {
        if (rError == QProcess::FailedToStart)
            bucle.quit();
    });
    proceso.start();
    if (!proceso.waitForStarted(-1)) {
        r.iResultado = Error_De_Inicio(rpExecFile.first());
        r.sTextoSistema = proceso.errorString();
        return r;
    }
    r.bIniciado = true;

    const int limiteMs = riMsTimeOut > 0 ? riMsTimeOut : int(rwSegsTimeOut) * 1000;
    QTimer limite;
    limite.setSingleShot(true);
    bool agotado = false;
    QObject::connect(&limite, &QTimer::timeout, &bucle, [&] {
        agotado = true;
        bucle.quit();
    });
    if (limiteMs > 0)
        limite.start(limiteMs);
    if (proceso.state() != QProcess::NotRunning)
        bucle.exec();

    if (agotado && proceso.state() != QProcess::NotRunning) {
        r.bAgotado = true;
        if (!rbAllowKill) {
            // A QProcess cannot leave its child behind: it ends it as it goes. The caller
            // still learns that the limit passed, not that the program was stopped.
            r.iResultado = EJECUCION_TIEMPO_AGOTADO;
            r.sSalida = QString::fromLocal8Bit(proceso.readAllStandardOutput());
            r.sErrores = QString::fromLocal8Bit(proceso.readAllStandardError());
            return r;
        }
        proceso.kill();
        r.iResultado = proceso.waitForFinished(2000) ? EJECUCION_DETENIDA : EJECUCION_NO_DETENIDA;
        r.sSalida = QString::fromLocal8Bit(proceso.readAllStandardOutput());
        r.sErrores = QString::fromLocal8Bit(proceso.readAllStandardError());
        return r;
    }
    r.sSalida = QString::fromLocal8Bit(proceso.readAllStandardOutput());
    r.sErrores = QString::fromLocal8Bit(proceso.readAllStandardError());
    if (proceso.exitStatus() == QProcess::CrashExit)
        r.iResultado = 128u + quint32(proceso.exitCode() ? proceso.exitCode() : 9);
    else
        r.iResultado = quint32(proceso.exitCode());
    return r;
}
