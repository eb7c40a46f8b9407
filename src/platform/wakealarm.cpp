#include "platform/wakealarm.h"

#include <cerrno>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

int Crear_Timer_Alarma()
{
    // Close-on-exec: the alert window and other children must not keep the alarm alive.
    return timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC | TFD_NONBLOCK);
}

TAlarmaDespertar::TAlarmaDespertar(TCrearTimer rCrear)
    : pCrear(rCrear ? std::move(rCrear) : TCrearTimer(&Crear_Timer_Alarma))
{
}

TAlarmaDespertar::~TAlarmaDespertar()
{
    Cancelar();
}

int TAlarmaDespertar::Armar(qint64 riMsEpoch)
{
    if (piFd < 0) {
        piFd = pCrear();
        if (piFd < 0)
            return errno ? errno : EINVAL;
    }
    itimerspec valor{};
    valor.it_value.tv_sec = time_t(riMsEpoch / 1000);
    valor.it_value.tv_nsec = long(riMsEpoch % 1000) * 1000000L;
    if (valor.it_value.tv_sec <= 0 && valor.it_value.tv_nsec <= 0)
        valor.it_value.tv_nsec = 1; // an all-zero value would disarm instead
    if (timerfd_settime(piFd, TFD_TIMER_ABSTIME, &valor, nullptr) != 0) {
        const int error = errno;
        Cancelar();
        return error;
    }
    return 0;
}

void TAlarmaDespertar::Cancelar()
{
    if (piFd < 0)
        return;
    const itimerspec cero{};
    timerfd_settime(piFd, 0, &cero, nullptr); // failures change nothing: the close follows
    ::close(piFd);
    piFd = -1;
}

qint64 TAlarmaDespertar::Momento_Armado() const
{
    if (piFd < 0)
        return -1;
    itimerspec resto{};
    if (timerfd_gettime(piFd, &resto) != 0)
        return -1;
    if (resto.it_value.tv_sec == 0 && resto.it_value.tv_nsec == 0)
        return -1;
    // timerfd_gettime gives the time left; the clock of the timer turns it into a moment.
    timespec ahora{};
    clock_gettime(CLOCK_REALTIME, &ahora);
    const qint64 nsRestantes = qint64(resto.it_value.tv_sec) * 1000000000LL + resto.it_value.tv_nsec;
    const qint64 nsAhora = qint64(ahora.tv_sec) * 1000000000LL + ahora.tv_nsec;
    return (nsAhora + nsRestantes + 500000) / 1000000;
}
