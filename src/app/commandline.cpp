#include "commandline.h"

#include "platform/bus.h"
#include "platform/singleinstance.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

struct TOpcionInstancia {
    const QString &sNombre;
    const char *sMensaje;
    const char *sHecho;
};

const TOpcionInstancia paOpciones[] = {
    {kOpcionShow, MSG_KESTRIN, "Kestrin is running: asked it to show its window."},
    {kOpcionQuit, MSG_KESTRIN_SHUTDOWN, "Kestrin is running: asked it to shut down."},
    {kOpcionReload, MSG_KESTRIN_READ_FILES, "Kestrin is running: asked it to read the reminder files again."},
};

} // namespace

int Ejecutar_Opcion_Instancia(const QCommandLineParser &rParser, QTextStream &fSalida, QTextStream &fErrores,
                              const std::function<int()> &rIniciar_Kestrin)
{
    const TOpcionInstancia *elegida = nullptr;
    for (const TOpcionInstancia &o : paOpciones)
        if (rParser.isSet(o.sNombre))
            elegida = &o;
    if (elegida == nullptr || !Una_Sola_Accion(rParser, fErrores))
        return 1;

    const bool hayBus = QDBusConnection::sessionBus().isConnected();
    const bool corriendo = Instancia_Corriendo();
    if (&elegida->sNombre == &kOpcionShow && !corriendo) {
        fSalida << "Kestrin is not running: starting it.\n";
        fSalida.flush();
        return rIniciar_Kestrin();
    }
    if (!hayBus) {
        // Without a bus only the lock file tells whether Kestrin runs, and nothing reaches it.
        if (corriendo)
            fErrores << "Kestrin is running, but without a D-Bus session bus nothing can reach it.\n";
        else
            fErrores << "No D-Bus session bus, and Kestrin is not running.\n";
        return 1;
    }
    if (!corriendo) {
        fErrores << "Kestrin is not running.\n";
        return 1;
    }
    if (!Broadcast_Message(QLatin1String(elegida->sMensaje))) {
        fErrores << "Could not send " << elegida->sMensaje << " on the session bus.\n";
        return 1;
    }
    fSalida << elegida->sHecho << '\n';
    return 0;
}

int Reemplazar_Por_Kestrin()
{
    const QByteArray programa = QFile::encodeName(QCoreApplication::applicationFilePath());
    std::fflush(stdout);
    std::fflush(stderr);
    char *const argumentos[] = {const_cast<char *>(programa.constData()), nullptr};
    ::execv(programa.constData(), argumentos);
    const int motivo = errno;
    std::fprintf(stderr, "Cannot start %s: %s\n", programa.constData(), std::strerror(motivo));
    return 1;
}
