// Times loading N generated reminder files into a table.
// Usage: bench_load [N ...]   (default 1000 10000)

#include "store/daycount.h"
#include "store/loader.h"
#include "store/writer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

static TTipoTarea Tarea_Aleatoria(QRandomGenerator &rng, int i)
{
    TTipoTarea t;
    t.tsTaskName = QStringLiteral("Reminder %1: pay the electricity bill").arg(i);
    t.tsMensaje = QStringLiteral("Remember to pay before noon.\r\nAccount 12-3456-789\r\nCall Ana if the site is down.");
    t.tsSummary = QStringLiteral("Every day, starting on Dec 9, 2026 at 08:00 AM");
    t.tiAlertWindow = 1 + int(rng.bounded(3));
    t.tiTocarSonido = int(rng.bounded(2));
    t.tsPathDelSonido = QStringLiteral("/usr/share/kestrin/Sounds/s1.mp3");
    t.tiTareaTipo = 1 + int(rng.bounded(7));
    t.tdFechaInicio = Ahora() + rng.bounded(100.0);
    t.tdFechaFin = t.tdFechaInicio + 365;
    t.tiSiempreRepetirHasta = int(rng.bounded(2));
    t.tsDiasSemana = QStringLiteral("135");
    t.tsMeses = QStringLiteral(",01,04,07,10,");
    t.tsDias = QStringLiteral(",01,15,32,");
    t.tsHorasLista = QStringLiteral("08:00 AM,12:30 PM,05:15 PM");
    t.tdFechaCreacion = Ahora();
    return t;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<int> tamanos;
    for (int i = 1; i < argc; ++i)
        tamanos << QString::fromLatin1(argv[i]).toInt();
    if (tamanos.isEmpty())
        tamanos = {1000, 10000};
    QTextStream out(stdout);
    QRandomGenerator rng(42);
    for (int n : tamanos) {
        QTemporaryDir dir;
        for (int i = 0; i < n; ++i) {
            QString archivo;
            Grabar_Archivo_Tarea_Nuevo(dir.path(), Tarea_Aleatoria(rng, i), Ahora() + i / 86400.0, archivo);
        }
        Cargar_Directorio_Tareas(dir.path()); // warm the page cache
        double mejor = 1e9;
        int cargadas = 0;
        for (int vuelta = 0; vuelta < 5; ++vuelta) {
            QElapsedTimer reloj;
            reloj.start();
            const TResultadoCarga r = Cargar_Directorio_Tareas(dir.path());
            mejor = std::min(mejor, reloj.nsecsElapsed() / 1e6);
            cargadas = r.tabla.piTipoTareaTotal();
        }
        out << "load " << n << " files: " << cargadas << " loaded, best of 5 " << QString::number(mejor, 'f', 1)
            << " ms\n";
        out.flush();
    }
    return 0;
}
