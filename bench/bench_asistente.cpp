// Opening the reminder wizard for an existing reminder, up to its page being shown:
// construction, Inicializar (texts, sound list of 50 numbered sounds and 20 others, every
// page's values) and show(), for each reminder type. Goal: under 150 ms.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_asistente [rounds]

#include "editor/agregartarea.h"
#include "store/daycount.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rondas = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QTemporaryDir dir;
    TContextoAsistente c;
    c.pCarpetas.psAppDataSoundsAllUsers = dir.path() + QStringLiteral("/Sounds/");
    c.pCarpetas.psAppDataSystemLocal = dir.path() + QStringLiteral("/System/");
    QDir().mkpath(c.pCarpetas.psAppDataSoundsAllUsers);
    for (int n = 1; n <= 50; ++n)
        QFile(c.pCarpetas.psAppDataSoundsAllUsers + QStringLiteral("s%1.mp3").arg(n)).open(QIODevice::WriteOnly);
    for (int n = 1; n <= 20; ++n)
        QFile(c.pCarpetas.psAppDataSoundsAllUsers + QStringLiteral("extra%1.wav").arg(n)).open(QIODevice::WriteOnly);
    TConfiguracion configuracion;
    configuracion.psDefaultSound = QStringLiteral("s1.mp3");
    c.pConfiguracion = &configuracion;

    TTipoTarea t;
    t.tsFile = c.pCarpetas.psAppDataSystemLocal + QStringLiteral("data1.od");
    t.tsTaskName = QStringLiteral("Bench");
    t.tsMensaje = QStringLiteral("line one\r\nline two");
    t.tdFechaInicio = Ahora();
    t.tdFechaFin = Ahora() + 30;
    t.tsDiasSemana = QStringLiteral("135");
    t.tsMeses = QStringLiteral(",01,06,12,");
    t.tsDias = QStringLiteral(",01,15,32,");
    t.tsHorasLista = QStringLiteral("09:00 AM,01:30 PM,06:00 PM");
    t.tiUsarSonidoDefault = 2;
    t.tsSonidoElegido = QStringLiteral("Sound 7");
    t.tiTocarSonido = 1;

    std::printf("type  median ms  worst ms  (%d rounds)\n", rondas);
    for (int tipo = 1; tipo <= 7; ++tipo) {
        t.tiTareaTipo = tipo;
        t.tiRangoHoras = tipo == 6 ? 2 : 1;
        c.pTarea = t;
        c.piIndice = 0;
        QList<double> tiempos;
        for (int r = 0; r < rondas; ++r) {
            QElapsedTimer reloj;
            reloj.start();
            {
                TfrmAgregarTarea f(nullptr, c);
                f.Inicializar(0);
                f.show();
                QCoreApplication::processEvents();
                tiempos << reloj.nsecsElapsed() / 1e6;
            }
            QCoreApplication::processEvents();
        }
        std::sort(tiempos.begin(), tiempos.end());
        std::printf("%4d  %9.1f  %8.1f\n", tipo, tiempos[tiempos.size() / 2], tiempos.last());
    }
    return 0;
}
