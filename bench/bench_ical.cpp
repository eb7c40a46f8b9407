// iCalendar export and import of N reminders (10,000 by default), each way under 2 s:
// the export of a loaded table, then the import of that file into an empty folder
// (plan and writing every reminder file through the store).
// build/bench/bench_ical [reminders] [folder on the disk to measure; a temporary one by default]

#include "ical/icalexport.h"
#include "ical/icalimport.h"
#include "store/daycount.h"
#include "store/loader.h"
#include "store/writer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
TTipoTarea Tarea(int i)
{
    TTipoTarea t;
    t.tsTaskName = QStringLiteral("Reminder %1").arg(i);
    t.tsMensaje = QStringLiteral("Message of reminder %1\r\nsecond line").arg(i);
    t.tsSummary = QStringLiteral("summary");
    t.tiTocarSonido = 1;
    t.tsPathDelSonido = QStringLiteral("/usr/share/kestrin/sounds/s1.mp3");
    const int tipos[] = {TAREA_UNA_VEZ, TAREA_DIARIA, TAREA_SEMANAL, TAREA_MENSUAL, TAREA_CADA_HORA, TAREA_ANUAL};
    t.tiTareaTipo = tipos[i % 6];
    t.tdFechaInicio = Fecha_Hora_a_Dias(QDate(2026, 1, 1).addDays(i % 365), QTime(8 + i % 12, (i * 7) % 60));
    t.tdFechaCreacion = t.tdFechaInicio - 30;
    t.tsDiasSemana = QStringLiteral("135");
    t.tsMeses = QStringLiteral(",01,03,05,07,09,11,");
    t.tsDias = QStringLiteral(",01,15,32,");
    t.tiRangoHoras = i % 2 + 1;
    t.tsRangoHoraInicio = QStringLiteral("08:00");
    t.tsRangoHoraFin = QStringLiteral("20:00");
    t.tiRangoCadaHora = 3;
    t.tsHorasLista = QStringLiteral("08:00 AM,12:30 PM,05:00 PM");
    return t;
}

double Segundos(QElapsedTimer &fReloj)
{
    return double(fReloj.restart()) / 1000.0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir temporal(argc > 2 ? QString::fromLocal8Bit(argv[2]) + QStringLiteral("/bench_ical-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/bench_ical-XXXXXX"));
    const QString raiz = temporal.path();
    TTablaTareas tabla;
    for (int i = 0; i < n; ++i) {
        tabla.paTipoTarea << Tarea(i);
        tabla.paTipoTarea.last().tsFile = raiz + QStringLiteral("/origin/data%1-1.od").arg(i);
    }
    const TZonaICal zona = Zona_Sistema_ICal();
    QElapsedTimer reloj;
    reloj.start();
    const TExportacionICal exportacion = Exportar_ICal(tabla.paTipoTarea, zona, Ahora(), 0);
    const double tExportar = Segundos(reloj);
    const QString ics = raiz + QStringLiteral("/all.ics");
    QFile f(ics);
    if (!f.open(QIODevice::WriteOnly) || f.write(exportacion.sDatos) != exportacion.sDatos.size())
        return 1;
    f.close();

    TContextoImport contexto;
    contexto.sCarpetaDatos = raiz + QStringLiteral("/Kestrin/System/");
    contexto.sArchivoUids = raiz + QStringLiteral("/Kestrin/icalendar-uids");
    contexto.dAhora = Ahora();
    reloj.restart();
    TPlanImport plan = Planear_Import_ICal(ics, contexto);
    const double tPlan = Segundos(reloj);
    const int escritos = Aplicar_Import_ICal(plan, contexto);
    const double tEscribir = Segundos(reloj);
    std::printf("%d reminders, %d events, %.1f MB\n", exportacion.iTareas, exportacion.iEventos,
                double(exportacion.sDatos.size()) / 1e6);
    std::printf("export: %.3f s\n", tExportar);
    std::printf("import: %.3f s (read and plan %.3f s, write %d files %.3f s)%s\n", tPlan + tEscribir, tPlan, escritos,
                tEscribir, plan.sError.isEmpty() ? "" : qPrintable(QStringLiteral(" error: ") + plan.sError));
    return escritos == n && tExportar < 2.0 && tPlan + tEscribir < 2.0 ? 0 : 1;
}
