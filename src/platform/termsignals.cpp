#include "platform/termsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int giTubo[2] = {-1, -1};

extern "C" void Manejador_Senal(int riSenal)
{
    const int errnoGuardado = errno;
    const unsigned char byte = static_cast<unsigned char>(riSenal);
    // A full pipe means a request is already pending; dropping this one is harmless.
    [[maybe_unused]] const ssize_t n = ::write(giTubo[1], &byte, 1);
    errno = errnoGuardado;
}

void Poner_Manejador(int riSenal, void (*rManejador)(int))
{
    struct sigaction accion {};
    accion.sa_handler = rManejador;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    ::sigaction(riSenal, &accion, nullptr);
}
} // namespace

TAvisoSenales::TAvisoSenales(QObject *rParent) : QObject(rParent)
{
    if (giTubo[0] >= 0 || ::pipe2(giTubo, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (giTubo[0] < 0)
            giTubo[0] = giTubo[1] = -1;
        return;
    }
    pNotificador = new QSocketNotifier(giTubo[0], QSocketNotifier::Read, this);
    connect(pNotificador, &QSocketNotifier::activated, this, &TAvisoSenales::Leer_Tubo);
    Poner_Manejador(SIGTERM, Manejador_Senal);
    Poner_Manejador(SIGINT, Manejador_Senal);
}

TAvisoSenales::~TAvisoSenales()
{
    if (!pNotificador)
        return;
    Poner_Manejador(SIGTERM, SIG_DFL);
    Poner_Manejador(SIGINT, SIG_DFL);
    delete pNotificador;
    ::close(giTubo[0]);
    ::close(giTubo[1]);
    giTubo[0] = giTubo[1] = -1;
}

void TAvisoSenales::Leer_Tubo()
{
    unsigned char bytes[16];
    ssize_t n;
    while ((n = ::read(giTubo[0], bytes, sizeof bytes)) > 0)
        for (ssize_t i = 0; i < n; ++i)
            emit Senal_Recibida(bytes[i]);
}
