// Suspend benchmark (a plain program, not a test): the time from logind's
// PrepareForSleep(true) to the release of Kestrin's delay inhibitor, with the wake alarm
// armed for the earliest of 1,000 reminders in between. A private dbus-daemon stands in
// for the system bus and a stand-in logind sees the release as the end of a pipe.
// Usage: bench_suspend [reminders] [rounds]      (defaults 1000 and 50)

#include "logind_standin.h"
#include "platform/logind.h"
#include "platform/wakealarm.h"
#include "scheduler/despertador.h"
#include "store/daycount.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <random>
#include <sys/timerfd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream salida(stdout);
    const int cantidad = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    const int rondas = argc > 2 ? QByteArray(argv[2]).toInt() : 50;

    TBusSistemaPrivado bus;
    if (bus.Direccion().isEmpty()) {
        salida << "dbus-daemon could not be started\n";
        return 1;
    }
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus.Direccion().toUtf8());
    TLogindSimulado logind(bus.Direccion());
    if (!logind.Registrar()) {
        salida << "the stand-in logind could not take its name\n";
        return 1;
    }

    // 1,000 reminders: a tenth never or at the next start, the rest over the next month.
    std::mt19937 azar(7);
    const double ahora = Ahora();
    TTablaTareas tabla;
    for (int i = 0; i < cantidad; ++i) {
        TTipoTarea t;
        t.tdNextRunTime = i % 10 == 0 ? (i % 20 == 0 ? 0.0 : -1.0)
                                       : ahora + 0.01 + std::uniform_real_distribution<double>(0, 30)(azar);
        tabla.paTipoTarea.append(t);
    }
    // The real alarm clock when the capability is there, else the ordinary one: the cost
    // of the system call is alike.
    TAlarmaDespertar alarma([] {
        const int fd = Crear_Timer_Alarma();
        return fd >= 0 ? fd : timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK);
    });
    TContextoDespertador contexto;
    contexto.pbWakeUpComputer = [] { return true; };
    contexto.pTabla = [&]() -> const TTablaTareas & { return tabla; };
    TDespertador despertador(contexto, alarma);
    TSuspensionLogind suspension([&] { despertador.WMPowerBroadcast(PBT_APMSUSPEND); },
                                 [&] { despertador.WMPowerBroadcast(PBT_APMRESUMEAUTOMATIC); });
    suspension.Iniciar();

    QVector<double> tiempos;
    for (int r = 0; r < rondas; ++r) {
        // Wait for the inhibitor of this round.
        QElapsedTimer espera;
        espera.start();
        while (suspension.Descriptor_Inhibidor() < 0 && espera.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const int llamada = logind.paLlamadas.size() - 1;
        if (llamada < 0 || suspension.Descriptor_Inhibidor() < 0 || logind.Liberado(llamada)) {
            salida << "no inhibitor was granted\n";
            return 1;
        }
        QElapsedTimer reloj;
        reloj.start();
        logind.Emitir_PrepareForSleep(true);
        while (!logind.Liberado(llamada) && reloj.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        tiempos << reloj.nsecsElapsed() / 1e6;
        if (!alarma.Armada()) {
            salida << "the alarm was not armed\n";
            return 1;
        }
        logind.Emitir_PrepareForSleep(false);
    }
    std::sort(tiempos.begin(), tiempos.end());
    salida << "PrepareForSleep(true) to inhibitor release, " << cantidad << " reminders, " << rondas
           << " rounds: median " << QString::number(tiempos.at(tiempos.size() / 2), 'f', 2) << " ms, best "
           << QString::number(tiempos.first(), 'f', 2) << " ms, worst " << QString::number(tiempos.last(), 'f', 2)
           << " ms (goal < 50 ms)\n";
    return 0;
}
