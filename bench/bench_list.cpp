// "kestrin --list --json" over 1,000 reminder files, wall time including process
// start (goal: under 300 ms).

#include "store/daycount.h"
#include "store/writer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream salida(stdout);
    QTemporaryDir datos;
    if (!datos.isValid())
        return 1;
    const QString dir = datos.path() + QStringLiteral("/Kestrin/System/");
    const double ahora = Ahora();
    for (int i = 0; i < 1000; ++i) {
        TTipoTarea t;
        t.tsTaskName = QStringLiteral("Reminder %1").arg(i);
        t.tsMensaje = QStringLiteral("Line one\r\nLine two");
        t.tsSummary = QStringLiteral("Summary");
        t.tiTareaTipo = 1 + i % 7;
        t.tdFechaInicio = ahora + double(i % 50 - 25);
        t.tsDiasSemana = QStringLiteral("1357");
        t.tsMeses = QStringLiteral(",01,06,");
        t.tsDias = QStringLiteral(",01,32,");
        t.tsHorasLista = QStringLiteral("08:00 AM,05:15 PM");
        t.tiRangoHoras = 1 + i % 2;
        t.tdFechaCreacion = ahora;
        if (!Grabar_Archivo_Tarea(dir + QStringLiteral("data%1.od").arg(i, 4, 10, QLatin1Char('0')), t))
            return 1;
    }

    QVector<double> tiempos;
    for (int vez = 0; vez < 10; ++vez) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), datos.path());
        p.setProcessEnvironment(env);
        QElapsedTimer reloj;
        reloj.start();
        p.start(QStringLiteral(KESTRIN_BIN), {QStringLiteral("--list"), QStringLiteral("--json")});
        p.waitForFinished(60000);
        const QByteArray json = p.readAllStandardOutput();
        tiempos << double(reloj.nsecsElapsed()) / 1e6;
        if (p.exitCode() != 0 || !json.contains("Reminder 999")) {
            salida << "kestrin --list --json failed\n";
            return 1;
        }
    }
    std::sort(tiempos.begin(), tiempos.end());
    salida << "kestrin --list --json over 1000 files: median " << tiempos[tiempos.size() / 2] << " ms, best "
           << tiempos.front() << " ms, worst " << tiempos.back() << " ms (goal < 300 ms)\n";
    return 0;
}
