#include "threadcontrol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QPointer>

#include <exception>

namespace {
constexpr int kGraciaReinicioMs = 1500;
constexpr int kPasoEsperaMs = 10;

// Threads a restart did not wait for; they end on their own (main thread only).
QList<QPointer<TThreadAlerta>> gHilosPendientes;
bool gReiniciando = false;
bool gDeteniendo = false;

// Waits until the thread has ended or the time is up (riMs < 0: no limit), handling the
// caller's events between short waits. True when it has ended. An event handled here may
// stop and release the thread (a shutdown): the pointer is checked at each step, and a
// released thread counts as ended.
bool Esperar_Fin(const QPointer<TThreadAlerta> &rHilo, int riMs)
{
    QDeadlineTimer limite = riMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(riMs);
    while (rHilo && !rHilo->wait(QDeadlineTimer(kPasoEsperaMs))) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (limite.hasExpired())
            return !rHilo || rHilo->isFinished();
    }
    return true;
}

void Esperar_Hilos_Pendientes()
{
    const QList<QPointer<TThreadAlerta>> pendientes = gHilosPendientes;
    gHilosPendientes.clear();
    for (const QPointer<TThreadAlerta> &hilo : pendientes) {
        // The pointer is checked at each step: a finished thread may be released meanwhile.
        while (hilo && !hilo->wait(QDeadlineTimer(kPasoEsperaMs)))
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        delete hilo.data();
    }
}

QString Texto_De(const std::exception &e)
{
    return QString::fromLocal8Bit(e.what());
}
} // namespace

std::unique_ptr<TThreadAlerta> Iniciar_Thread_Alerta(const TInicioThreadAlerta &rInicio, bool &fbAutoStarted,
                                                     QString &fsError)
{
    try {
        auto hilo = std::make_unique<TThreadAlerta>(rInicio.pVentana, rInicio.piTickMs, rInicio.piPausaSaltoMs);
        hilo->pbHiloVivo = true;
        hilo->psAppDataSystemLocal = rInicio.psAppDataSystemLocal;
        hilo->psAppDataSoundsAllUsers = rInicio.psAppDataSoundsAllUsers;
        hilo->psDefaultSound.Poner(rInicio.psDefaultSound);
        hilo->psEXEPath = rInicio.psEXEPath;
        hilo->piDefaultSnoozeTime = rInicio.piDefaultSnoozeTime;
        hilo->psFontMensaje.Poner(rInicio.psFontMensaje);
        hilo->pbAutoStarted = fbAutoStarted;
        fbAutoStarted = false;
        hilo->start();
        // A thread that could not be created is neither running nor finished.
        if (!hilo->isRunning() && !hilo->isFinished()) {
            fsError = QStringLiteral("Error 202. ") + QStringLiteral("The scheduler thread could not be created");
            return nullptr;
        }
        return hilo;
    } catch (const std::exception &e) {
        fsError = QStringLiteral("Error 202. ") + Texto_De(e);
    } catch (...) {
        fsError = QStringLiteral("Error 202. ") + QStringLiteral("Unknown failure");
    }
    return nullptr;
}

void Detener_Thread_Alerta(std::unique_ptr<TThreadAlerta> &fThread)
{
    // A restart asked for by a message handled during this wait is ignored.
    const bool yaDeteniendo = gDeteniendo;
    gDeteniendo = true;
    if (fThread) {
        fThread->Detener();
        Esperar_Fin(QPointer<TThreadAlerta>(fThread.get()), -1);
        fThread.reset();
    }
    Esperar_Hilos_Pendientes();
    gDeteniendo = yaDeteniendo;
}

bool Reiniciar_Thread_Alerta(std::unique_ptr<TThreadAlerta> &fThread, const TInicioThreadAlerta &rInicio,
                             bool &fbAutoStarted, QString &fsError203, QString &fsError202)
{
    if (gReiniciando || gDeteniendo)
        return false;
    gReiniciando = true;
    try {
        if (fThread) {
            const QPointer<TThreadAlerta> viejo(fThread.get());
            fThread->Detener();
            // Whatever it reports from now on is the new thread's business.
            fThread->Descartar_Reportes();
            const bool termino = Esperar_Fin(viejo, kGraciaReinicioMs);
            if (!viejo) {
                // Stopped and released during the grace by the shutdown: no new thread.
                gReiniciando = false;
                return false;
            }
            if (termino) {
                fThread.reset();
            } else {
                TThreadAlerta *hilo = fThread.release();
                gHilosPendientes.append(hilo);
                QObject::connect(hilo, &QThread::finished, hilo, [hilo] {
                    gHilosPendientes.removeAll(QPointer<TThreadAlerta>(hilo));
                    hilo->deleteLater();
                });
                // It may have ended between the wait and the connection.
                if (hilo->isFinished()) {
                    gHilosPendientes.removeAll(QPointer<TThreadAlerta>(hilo));
                    hilo->deleteLater();
                }
            }
        }
    } catch (const std::exception &e) {
        fsError203 = QStringLiteral("Error 203. ") + Texto_De(e);
    } catch (...) {
        fsError203 = QStringLiteral("Error 203. ") + QStringLiteral("Unknown failure");
    }
    fThread = Iniciar_Thread_Alerta(rInicio, fbAutoStarted, fsError202);
    gReiniciando = false;
    return fThread != nullptr;
}
