// The schedule summary in both languages, from records and from plain values.

#include "editor/summary.h"
#include "store/daycount.h"
#include "store/textforms.h"

#include <QTest>

Q_DECLARE_METATYPE(TTipoTarea)

namespace {

double D(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, mo, d), QTime(h, mi, s));
}

// Values as they come back from a reminder file.
double F(double rdDias)
{
    return Str_To_Float_Sin_Punto(Float_To_Str_Sin_Punto(rdDias));
}

TTipoTarea Tarea(int riTipo, double rdInicio)
{
    TTipoTarea t;
    t.tiTareaTipo = riTipo;
    t.tdFechaInicio = F(rdInicio);
    t.tdFechaFin = F(D(2011, 1, 31, 18));
    return t;
}

TTipoTarea Hasta(TTipoTarea t)
{
    t.tiSiempreRepetirHasta = 1;
    return t;
}

TTipoTarea Con(TTipoTarea t, const QString &rsDiasSemana, const QString &rsMeses = {}, const QString &rsDias = {})
{
    t.tsDiasSemana = rsDiasSemana;
    t.tsMeses = rsMeses;
    t.tsDias = rsDias;
    return t;
}

TTipoTarea Horaria(bool rbRango, const QString &rsHoras, int riPaso = 1)
{
    TTipoTarea t = Tarea(TAREA_CADA_HORA, D(2010, 11, 8, 12));
    t.tsDiasSemana = QStringLiteral("12345");
    t.tiRangoHoras = rbRango ? 1 : 2;
    t.tsRangoHoraInicio = QStringLiteral("08:00");
    t.tsRangoHoraFin = QStringLiteral("17:00");
    t.tiRangoCadaHora = riPaso;
    t.tsHorasLista = rsHoras;
    return t;
}

} // namespace

class TstSummary : public QObject {
    Q_OBJECT
private slots:
    void de_un_registro_data();
    void de_un_registro();
    void valores_del_asistente();
    void recordatorio_rapido();
};

void TstSummary::de_un_registro_data()
{
    QTest::addColumn<TTipoTarea>("tarea");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("esperado");

    const double inicio = D(2010, 11, 8, 9, 5, 7);
    const TTipoTarea unaVez = Tarea(TAREA_UNA_VEZ, inicio);
    QTest::newRow("una vez en") << unaVez << 0 << "One Time. Nov 8, 2010 at 9:05:07 AM";
    QTest::newRow("una vez es") << unaVez << 1 << "Solo Una Vez. 8/Nov/2010 a las 9:05:07 AM";
    QTest::newRow("00:15") << Tarea(TAREA_UNA_VEZ, D(2010, 11, 8, 0, 15)) << 0 << "One Time. Nov 8, 2010 at 0:15:00 AM";
    QTest::newRow("mediodia") << Tarea(TAREA_UNA_VEZ, D(2010, 11, 8, 12)) << 0 << "One Time. Nov 8, 2010 at 12:00:00 PM";
    QTest::newRow("13:30") << Tarea(TAREA_UNA_VEZ, D(2010, 11, 8, 13, 30)) << 1
                           << "Solo Una Vez. 8/Nov/2010 a las 1:30:00 PM";
    QTest::newRow("las 8 guardadas no son 7:59:59") << Tarea(TAREA_UNA_VEZ, D(2010, 12, 8, 8)) << 0
                                                   << "One Time. Dec 8, 2010 at 8:00:00 AM";

    const TTipoTarea diaria = Tarea(TAREA_DIARIA, inicio);
    QTest::newRow("diaria sin fin") << diaria << 0 << "Every day, starting on Nov 8, 2010 at 9:05:07 AM";
    QTest::newRow("diaria con fin en") << Hasta(diaria) << 0
                                       << "Every day, starting on Nov 8, 2010 at 9:05:07 AM\r\n"
                                          "Until Jan 31, 2011 at 6:00:00 PM";
    QTest::newRow("diaria con fin es") << Hasta(diaria) << 1
                                       << "Todos los días, iniciando el 8/Nov/2010 a las 9:05:07 AM\r\n"
                                          "Hasta el 31/Ene/2011 a las 6:00:00 PM";

    const TTipoTarea semanal = Con(Tarea(TAREA_SEMANAL, inicio), QStringLiteral("135"));
    QTest::newRow("semanal lun mie vie") << semanal << 0
                                         << "Every Monday, Wednesday, Friday\r\n"
                                            "Starting on Nov 8, 2010 at 9:05:07 AM";
    QTest::newRow("semanal es, con fin") << Hasta(Con(Tarea(TAREA_SEMANAL, inicio), QStringLiteral("367"))) << 1
                                         << "Cada Miércoles, Sábado, Domingo\r\n"
                                            "Iniciando el 8/Nov/2010 a las 9:05:07 AM\r\n"
                                            "Hasta el 31/Ene/2011 a las 6:00:00 PM";
    QTest::newRow("semanal sin dias empieza con CR LF") << Con(Tarea(TAREA_SEMANAL, inicio), QString()) << 0
                                                        << "\r\nStarting on Nov 8, 2010 at 9:05:07 AM";

    const TTipoTarea mensual =
        Hasta(Con(Tarea(TAREA_MENSUAL, inicio), QString(), QStringLiteral(",01,07,"), QStringLiteral(",01,15,32,")));
    QTest::newRow("mensual en, sin linea Until") << mensual << 0
                                                 << "Months: January, July\r\nDays: 1, 15, Last\r\n"
                                                    "Starting on Nov 8, 2010 at 9:05:07 AM";
    QTest::newRow("mensual es") << mensual << 1
                                << "Meses: Enero, Julio\r\nDías: 1, 15, Ultimo\r\n"
                                   "Iniciando el 8/Nov/2010 a las 9:05:07 AM";
    QTest::newRow("mensual sin meses")
        << Con(Tarea(TAREA_MENSUAL, inicio), QString(), QStringLiteral(",13,"), QStringLiteral(",32,")) << 0
        << "\r\nDays: Last\r\nStarting on Nov 8, 2010 at 9:05:07 AM";
    QTest::newRow("mensual sin meses ni dias") << Con(Tarea(TAREA_MENSUAL, inicio), QString(), QStringLiteral(","),
                                                      QStringLiteral(",1,")) << 0
                                               << "\r\nStarting on Nov 8, 2010 at 9:05:07 AM";

    QTest::newRow("al iniciar en") << Tarea(TAREA_AL_INICIAR, 0) << 0 << "When the Computer Starts";
    QTest::newRow("al iniciar es") << Tarea(TAREA_AL_INICIAR, 0) << 1 << "Cuando la Computadora Inicie";

    QTest::newRow("horaria rango cada 2") << Horaria(true, {}, 2) << 0
                                          << "Every Monday, Tuesday, Wednesday, Thursday, Friday\r\n"
                                             "Hours 08:00 AM to 05:00 PM, Every 2 Hours\r\n"
                                             "Starting on Nov 8, 2010";
    QTest::newRow("horaria rango cada hora es") << Hasta(Horaria(true, {}, 1)) << 1
                                                << "Cada Lunes, Martes, Miércoles, Jueves, Viernes\r\n"
                                                   "Horas 08:00 AM a 05:00 PM, Cada Hora\r\n"
                                                   "Iniciando el 8/Nov/2010\r\n"
                                                   "Hasta el 31/Ene/2011 a las 6:00:00 PM";
    TTipoTarea medianoche = Horaria(true, {}, 3);
    medianoche.tsRangoHoraInicio = QStringLiteral("0:30");
    medianoche.tsRangoHoraFin = QStringLiteral("12:00");
    QTest::newRow("horaria desde 00:30") << medianoche << 1
                                         << "Cada Lunes, Martes, Miércoles, Jueves, Viernes\r\n"
                                            "Horas 00:30 AM a 12:00 PM, Cada 3 Horas\r\n"
                                            "Iniciando el 8/Nov/2010";
    QTest::newRow("horaria lista") << Horaria(false, QStringLiteral(" 09:00 AM,01:30 PM ")) << 0
                                   << "Every Monday, Tuesday, Wednesday, Thursday, Friday\r\n"
                                      "Hours 09:00 AM, 01:30 PM\r\n"
                                      "Starting on Nov 8, 2010";
    QTest::newRow("horaria lista vacia") << Horaria(false, QStringLiteral("  ")) << 0
                                         << "Every Monday, Tuesday, Wednesday, Thursday, Friday\r\n"
                                            "Starting on Nov 8, 2010";
    QTest::newRow("horaria sin dias ni horas") << Con(Horaria(false, {}), QString()) << 0
                                               << "\r\nStarting on Nov 8, 2010";

    const TTipoTarea anual = Tarea(TAREA_ANUAL, D(2010, 3, 15, 21, 0, 0));
    QTest::newRow("anual") << anual << 0 << "Every year, starting on Mar 15, 2010 at 9:00:00 PM";
    QTest::newRow("anual es con fin") << Hasta(anual) << 1
                                      << "Cada año, iniciando el 15/Mar/2010 a las 9:00:00 PM\r\n"
                                         "Hasta el 31/Ene/2011 a las 6:00:00 PM";

    QTest::newRow("tipo 0") << Tarea(0, inicio) << 0 << "";
    QTest::newRow("tipo 8") << Tarea(8, inicio) << 1 << "";
    QTest::newRow("lenguaje 2") << unaVez << 2 << "";
    QTest::newRow("lenguaje -1") << Tarea(TAREA_AL_INICIAR, 0) << -1 << "";
}

void TstSummary::de_un_registro()
{
    QFETCH(TTipoTarea, tarea);
    QFETCH(int, lenguaje);
    QFETCH(QString, esperado);
    QCOMPARE(Generar_Resumen_Tarea(tarea, lenguaje), esperado);
}

// A wizard page: the same sentences, absent lines simply left out.
void TstSummary::valores_del_asistente()
{
    TDatosResumen d;
    d.tiTareaTipo = TAREA_SEMANAL;
    d.tdInicio = D(2010, 11, 8, 9, 5, 7);
    bool ausente = false;
    QCOMPARE(Lineas_Resumen(d, 0, &ausente), QStringList{"Starting on Nov 8, 2010 at 9:05:07 AM"});
    QVERIFY(ausente);

    d.tiTareaTipo = TAREA_MENSUAL;
    d.tbMeses[2] = true;
    d.tbDias[31] = true;
    d.tbUltimoDia = true;
    d.tsUltimo = QStringLiteral("Ultimo");
    d.tbHasta = true;
    QCOMPARE(Lineas_Resumen(d, 1, &ausente),
             (QStringList{"Meses: Febrero", "Días: 31, Ultimo", "Iniciando el 8/Nov/2010 a las 9:05:07 AM"}));
    QVERIFY(!ausente);

    d.tiTareaTipo = TAREA_CADA_HORA;
    d.tdInicio = D(2010, 11, 8, 12);
    d.tbDiasSemana[7] = true;
    d.tbHasta = false;
    d.tbRango = true;
    d.tdRangoInicio = D(2010, 11, 8, 23, 59);
    d.tdRangoFin = 0; // midnight of a time picker
    d.tiRangoPaso = 4;
    QCOMPARE(Lineas_Resumen(d, 0),
             (QStringList{"Every Sunday", "Hours 11:59 PM to 00:00 AM, Every 4 Hours", "Starting on Nov 8, 2010"}));
    d.tbRango = false;
    d.tsHoras = QStringList{"07:00 AM"};
    QCOMPARE(Lineas_Resumen(d, 0), (QStringList{"Every Sunday", "Hours 07:00 AM", "Starting on Nov 8, 2010"}));

    d.tiTareaTipo = 12;
    QVERIFY(Lineas_Resumen(d, 0).isEmpty());
}

void TstSummary::recordatorio_rapido()
{
    const double t = D(2010, 11, 8, 17, 45, 0);
    QCOMPARE(Resumen_Una_Vez(t, 0, true), QStringLiteral("One time. Nov 8, 2010 at 5:45:00 PM"));
    QCOMPARE(Resumen_Una_Vez(t, 1, true), QStringLiteral("Solo Una Vez. 8/Nov/2010 a las 5:45:00 PM"));
    QCOMPARE(Resumen_Una_Vez(t, 0, false), QStringLiteral("One Time. Nov 8, 2010 at 5:45:00 PM"));
}

QTEST_APPLESS_MAIN(TstSummary)
#include "tst_summary.moc"
