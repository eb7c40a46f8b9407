// Writes the same N reminders twice: as Kestrin reminder files and as one remind(1)
// script, for bench_cli_vs_remind. The mix is fixed (no clock, no random numbers) so
// that two runs, or two builds, list exactly the same thing.
// Usage: bench_workload N FOLDER SCRIPT   (the files go to FOLDER, the script to SCRIPT)

#include "store/cipher.h"
#include "store/daycount.h"
#include "store/writer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {
const char *const kDias[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
const char *const kMeses[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// One reminder of the mix, and its line for remind: one time, daily, weekly, monthly and
// yearly in turn, spread over the year and the hours of the day.
TTipoTarea Tarea(int i, QString &fsRemind)
{
    const QDate base(2026, 1, 1);
    const QDate dia = base.addDays(i % 365);
    const QTime hora(6 + i % 14, (i * 7) % 60);
    TTipoTarea t;
    t.tsTaskName = QStringLiteral("Reminder %1: pay the electricity bill").arg(i);
    t.tsMensaje = QStringLiteral("Remember to pay before noon.\r\nAccount 12-3456-789");
    t.tsSummary = QStringLiteral("Summary line");
    t.tiAlertWindow = 1 + i % 3;
    t.tdFechaCreacion = DateTime_a_Dias(QDateTime(base, QTime(9, 0)));
    t.tdFechaInicio = DateTime_a_Dias(QDateTime(dia, hora));
    const QString at = QStringLiteral(" AT ") + hora.toString(QStringLiteral("HH:mm"));
    const QString msg = QStringLiteral(" MSG ") + t.tsTaskName + QLatin1Char('\n');
    const QString desde = dia.toString(Qt::ISODate);
    switch (i % 5) {
    case 0: // one time, next year
        t.tiTareaTipo = TAREA_UNA_VEZ;
        t.tdFechaInicio += 365;
        fsRemind = QStringLiteral("REM ") + dia.addDays(365).toString(Qt::ISODate) + at + msg;
        break;
    case 1: // daily, every second one until the end of 2027
        t.tiTareaTipo = TAREA_DIARIA;
        t.tiSiempreRepetirHasta = (i / 5) % 2;
        t.tdFechaFin = DateTime_a_Dias(QDateTime(QDate(2027, 12, 31), QTime(23, 0)));
        fsRemind = QStringLiteral("REM ") + desde + QStringLiteral(" *1") +
                   (t.tiSiempreRepetirHasta ? QStringLiteral(" UNTIL 2027-12-31") : QString()) + at + msg;
        break;
    case 2: { // weekly on two days
        t.tiTareaTipo = TAREA_SEMANAL;
        const int a = i % 7, b = (i + 3) % 7;
        t.tsDiasSemana = QString::number(std::min(a, b) + 1) + QString::number(std::max(a, b) + 1);
        fsRemind = QStringLiteral("REM ") + QLatin1String(kDias[std::min(a, b)]) + QLatin1Char(' ') +
                   QLatin1String(kDias[std::max(a, b)]) + QStringLiteral(" FROM ") + desde + at + msg;
        break;
    }
    case 3: { // monthly on one day of every month
        t.tiTareaTipo = TAREA_MENSUAL;
        const int d = 1 + i % 28;
        t.tsMeses = QStringLiteral(",01,02,03,04,05,06,07,08,09,10,11,12,");
        t.tsDias = QStringLiteral(",%1,").arg(d, 2, 10, QLatin1Char('0'));
        fsRemind = QStringLiteral("REM %1 FROM ").arg(d) + desde + at + msg;
        break;
    }
    default: // yearly
        t.tiTareaTipo = TAREA_ANUAL;
        fsRemind = QStringLiteral("REM %1 ").arg(dia.day()) + QLatin1String(kMeses[dia.month() - 1]) +
                   QStringLiteral(" FROM ") + desde + at + msg;
        break;
    }
    return t;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream errores(stderr);
    if (argc != 4) {
        errores << "usage: bench_workload N FOLDER SCRIPT\n";
        return 2;
    }
    const int n = QString::fromLocal8Bit(argv[1]).toInt();
    const QString carpeta = QString::fromLocal8Bit(argv[2]);
    QFile guion(QString::fromLocal8Bit(argv[3]));
    if (n <= 0 || !QDir().mkpath(carpeta) || !guion.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        errores << "bench_workload: cannot write " << carpeta << " or " << guion.fileName() << '\n';
        return 1;
    }
    for (int i = 0; i < n; ++i) {
        QString linea;
        const TTipoTarea t = Tarea(i, linea);
        guion.write(linea.toUtf8());
        // Written directly, without the writer's sync per file: only the content matters here.
        QByteArray datos;
        for (const QString &plana : Lineas_Archivo_Tarea(t))
            datos += Encriptar(plana).toLatin1() + "\r\n";
        QFile archivo(carpeta + QStringLiteral("/data%1.od").arg(i, 5, 10, QLatin1Char('0')));
        if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate) || archivo.write(datos) != datos.size()) {
            errores << "bench_workload: cannot write " << archivo.fileName() << '\n';
            return 1;
        }
    }
    return 0;
}
