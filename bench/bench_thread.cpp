// Scheduler thread benchmark (a plain program, not a test):
//   1. one tick's due pass over 10,000 reminders in the thread's table;
//   2. a full reload and recompute of 1,000 reminder files by the thread's loader;
//   3. the CPU the running thread uses over a minute with 100 reminders, none due.
// Usage: bench_thread [--idle-seconds N]   (N = 0 skips part 3; default 60)

#include "alertthread.h"
#include "threadcontrol.h"
#include "store/daycount.h"
#include "store/writer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <ctime>

namespace {
QTextStream gSalida(stdout);

// A main window that only swallows what the thread sends; nothing falls due here.
class TVentanaMuda : public QObject, public TVentanaDelHilo {
public:
    QObject *Objeto_Ventana() override { return this; }
    void Mostrar_Desktop_Alert_Thread() override {}
    void Tocar_Sonido_Thread() override {}
    void Mensaje_Reporte_Hilo(int, int, const QString &) override {}
    void Mensaje_Archivos_Cambiados(int, int, const QString &) override {}
    void Mensaje_Hilo_Terminado(int, int, const QString &) override {}
};

// The thread's own steps, run here directly on an object that is never started.
class TThreadMedido : public TThreadAlerta {
public:
    using TThreadAlerta::TThreadAlerta;
    using TThreadAlerta::Calcular_Next_Run_Time;
    using TThreadAlerta::Leer_Archivos;
    using TThreadAlerta::Revisar_Tareas;
    using TThreadAlerta::pTabla;
};

// A mix of every schedule, at times that never coincide with the bench's "now".
TTipoTarea Tarea_Numero(int i)
{
    const QDate hoy = QDate::currentDate();
    TTipoTarea t;
    t.tsTaskName = QStringLiteral("Recordatorio %1").arg(i);
    t.tsMensaje = QStringLiteral("Mensaje %1").arg(i);
    t.tiTareaTipo = 1 + i % 7;
    t.tdFechaInicio = Fecha_Hora_a_Dias(hoy.addDays(-(i % 40)), QTime((i * 7) % 24, (i * 13) % 60));
    t.tdFechaFin = t.tdFechaInicio + 400;
    t.tdFechaCreacion = t.tdFechaInicio - 1;
    t.tsDiasSemana = QStringLiteral("135");
    t.tsMeses = QStringLiteral(",01,03,05,07,09,11,");
    t.tsDias = QStringLiteral(",05,15,32,");
    t.tsRangoHoraInicio = QStringLiteral("08:00");
    t.tsRangoHoraFin = QStringLiteral("18:00");
    t.tiRangoCadaHora = 2;
    t.tsFile = QStringLiteral("/nowhere/data%1.od").arg(i);
    return t;
}

double Mediana(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Cpu_Segundos()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int segundosReposo = 60;
    const QStringList args = app.arguments();
    const int i = int(args.indexOf(QStringLiteral("--idle-seconds")));
    if (i > 0 && i + 1 < args.size())
        segundosReposo = args[i + 1].toInt();

    // Between two ticks' seconds, so no reminder is exactly due.
    const QDateTime ahora(QDate::currentDate(), QTime(3, 0, 30, 500));
    Establecer_Reloj([ahora] { return ahora; });
    TVentanaMuda ventana;

    {
        TThreadMedido hilo(&ventana);
        for (int n = 0; n < 10000; ++n)
            hilo.pTabla.paTipoTarea.append(Tarea_Numero(n));
        hilo.Calcular_Next_Run_Time(QString(), 0);
        QVector<double> tiempos;
        QElapsedTimer reloj;
        for (int r = 0; r < 2000; ++r) {
            reloj.start();
            hilo.Revisar_Tareas(Ahora());
            tiempos << double(reloj.nsecsElapsed()) / 1e6;
        }
        gSalida << "due pass, 10000 reminders: median " << QString::number(Mediana(tiempos), 'f', 3)
                << " ms (goal < 1 ms)\n";
    }

    {
        QTemporaryDir carpeta;
        const QString datos = carpeta.path() + QStringLiteral("/System/");
        for (int n = 0; n < 1000; ++n)
            if (!Grabar_Archivo_Tarea(datos + QStringLiteral("data%1.od").arg(n, 4, 10, QLatin1Char('0')),
                                      Tarea_Numero(n)))
                qFatal("cannot write the bench files");
        TThreadMedido hilo(&ventana);
        hilo.psAppDataSystemLocal = datos;
        QVector<double> tiempos;
        QElapsedTimer reloj;
        for (int r = 0; r < 15; ++r) {
            reloj.start();
            hilo.Leer_Archivos();
            hilo.Calcular_Next_Run_Time(QString(), 0);
            tiempos << double(reloj.nsecsElapsed()) / 1e6;
        }
        if (hilo.pTabla.piTipoTareaTotal() != 1000)
            qFatal("loaded %d of 1000 files", hilo.pTabla.piTipoTareaTotal());
        gSalida << "reload and recompute, 1000 files: median " << QString::number(Mediana(tiempos), 'f', 1)
                << " ms (goal < 150 ms)\n";
    }

    if (segundosReposo > 0) {
        QTemporaryDir carpeta;
        const QString datos = carpeta.path() + QStringLiteral("/System/");
        for (int n = 0; n < 100; ++n)
            Grabar_Archivo_Tarea(datos + QStringLiteral("data%1.od").arg(n), Tarea_Numero(n));
        Establecer_Reloj({}); // the real clock: a production tick of 1000 ms
        TInicioThreadAlerta inicio;
        inicio.pVentana = &ventana;
        inicio.psAppDataSystemLocal = datos;
        bool autoStarted = false;
        QString error;
        auto hilo = Iniciar_Thread_Alerta(inicio, autoStarted, error);
        if (!hilo)
            qFatal("%s", qPrintable(error));
        const double cpu0 = Cpu_Segundos();
        QTimer::singleShot(segundosReposo * 1000, &app, &QCoreApplication::quit);
        app.exec();
        const double cpu = Cpu_Segundos() - cpu0;
        const qint64 ticks = hilo->Ticks_Completos();
        Detener_Thread_Alerta(hilo);
        gSalida << "idle, 100 reminders, " << segundosReposo << " s: " << ticks << " ticks, CPU "
                << QString::number(cpu * 1000, 'f', 1) << " ms (" << QString::number(cpu / segundosReposo * 100, 'f', 3)
                << " % of one core)\n";
    }
    return 0;
}
