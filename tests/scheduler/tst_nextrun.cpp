// The next run of each reminder type at chosen moments, including the pending snooze,
// the grace after a clock jump and the bounds on the hourly and monthly searches.

#include "nextrun_helpers.h"
#include "scheduler/nextrun.h"

#include <QTest>

#include <limits>

class TstNextRun : public QObject {
    Q_OBJECT
private slots:
    void casos_data();
    void casos();
    void hasta_las_ocho_guardado_en_archivo();
    void resultado_exacto_al_milisegundo();
    void mensual_un_solo_mes_cada_anio();
    void anual_29_de_febrero();
    void valores_absurdos_terminan();
};

void TstNextRun::casos_data()
{
    QTest::addColumn<TTipoTarea>("tarea");
    QTest::addColumn<double>("ahora");
    QTest::addColumn<int>("gracia");
    QTest::addColumn<double>("esperado");

    // 2026-03-10 is a Tuesday.
    const double hoy8 = D(2026, 3, 10, 8);
    const TTipoTarea unaVez = Tarea(TAREA_UNA_VEZ, hoy8);
    QTest::newRow("una vez, antes") << unaVez << D(2026, 3, 10, 7) << 0 << hoy8;
    QTest::newRow("una vez, justo a la hora") << unaVez << hoy8 << 0 << hoy8;
    QTest::newRow("una vez, un segundo tarde") << unaVez << D(2026, 3, 10, 8, 0, 1) << 0 << 0.0;
    QTest::newRow("una vez, gracia 600 tras un salto") << unaVez << D(2026, 3, 10, 8, 5) << 600 << hoy8;
    QTest::newRow("una vez, 11 minutos tarde con gracia 600") << unaVez << D(2026, 3, 10, 8, 11) << 600 << 0.0;
    QTest::newRow("una vez, pospuesta a 08:20") << Pospuesta(unaVez, D(2026, 3, 10, 8, 20))
                                                << D(2026, 3, 10, 8, 10) << 0 << D(2026, 3, 10, 8, 20);
    QTest::newRow("una vez, posposicion vencida") << Pospuesta(unaVez, D(2026, 3, 10, 8, 20))
                                                  << D(2026, 3, 10, 8, 21) << 0 << 0.0;
    QTest::newRow("una vez futura, posposicion posterior no manda")
        << Pospuesta(unaVez, D(2026, 3, 10, 9)) << D(2026, 3, 10, 7) << 0 << hoy8;
    QTest::newRow("una vez futura, posposicion anterior manda")
        << Pospuesta(unaVez, D(2026, 3, 10, 7, 30)) << D(2026, 3, 10, 7) << 0 << D(2026, 3, 10, 7, 30);
    QTest::newRow("sin fecha") << Tarea(TAREA_UNA_VEZ, 0) << hoy8 << 0 << 0.0;

    const TTipoTarea diaria = Tarea(TAREA_DIARIA, D(2026, 3, 9, 8));
    QTest::newRow("diaria, antes de la hora") << diaria << D(2026, 3, 10, 7, 59) << 0 << hoy8;
    QTest::newRow("diaria, justo a la hora") << diaria << hoy8 << 0 << hoy8;
    QTest::newRow("semanal, justo a la hora") << Semanal(D(2026, 1, 6, 8), QStringLiteral("2")) << hoy8 << 0 << hoy8;
    QTest::newRow("diaria, medio segundo despues") << diaria << D(2026, 3, 10, 8, 0, 0, 500) << 0
                                                   << D(2026, 3, 11, 8);
    QTest::newRow("diaria, fin ayer 23:00") << Hasta(diaria, D(2026, 3, 9, 23)) << D(2026, 3, 10, 7) << 0 << 0.0;
    QTest::newRow("diaria, fin hoy 08:00") << Hasta(diaria, hoy8) << D(2026, 3, 10, 7) << 0 << hoy8;
    QTest::newRow("diaria futura, fin antes del inicio")
        << Hasta(Tarea(TAREA_DIARIA, D(2026, 4, 1, 8)), D(2026, 3, 1)) << hoy8 << 0 << D(2026, 4, 1, 8);
    QTest::newRow("diaria, gracia 90 tras retroceso") << diaria << D(2026, 3, 10, 8, 1) << 90 << hoy8;
    QTest::newRow("diaria, gracia 90 no alcanza") << diaria << D(2026, 3, 10, 8, 2) << 90 << D(2026, 3, 11, 8);
    QTest::newRow("diaria, mañana pospuesta a hoy 18:00")
        << Pospuesta(Tarea(TAREA_DIARIA, D(2026, 3, 11, 9)), D(2026, 3, 10, 18)) << D(2026, 3, 10, 12) << 0
        << D(2026, 3, 10, 18);

    QTest::newRow("semanal sabado, inicio lunes futuro")
        << Semanal(D(2026, 3, 16, 7, 15), QStringLiteral("6")) << hoy8 << 0 << D(2026, 3, 21, 7, 15);
    QTest::newRow("semanal lunes y viernes, desde un martes")
        << Semanal(D(2026, 1, 5, 9), QStringLiteral("15")) << hoy8 << 0 << D(2026, 3, 13, 9);
    QTest::newRow("semanal martes, hoy ya paso")
        << Semanal(D(2026, 1, 6, 7), QStringLiteral("2")) << hoy8 << 0 << D(2026, 3, 17, 7);
    QTest::newRow("semanal, fin antes del proximo dia")
        << Hasta(Semanal(D(2026, 1, 5, 9), QStringLiteral("5")), D(2026, 3, 12)) << hoy8 << 0 << 0.0;
    QTest::newRow("semanal futura, se aplica el fin")
        << Hasta(Semanal(D(2026, 4, 6, 9), QStringLiteral("7")), D(2026, 4, 7)) << hoy8 << 0 << 0.0;
    QTest::newRow("semanal sin dias validos: 7 dias despues")
        << Semanal(D(2026, 1, 5, 9), QStringLiteral("9")) << hoy8 << 0 << D(2026, 3, 17, 9);

    QTest::newRow("mensual febrero 30: nunca")
        << Mensual(D(2026, 1, 1, 10), QStringLiteral(",02,"), QStringLiteral(",30,")) << hoy8 << 0 << 0.0;
    QTest::newRow("mensual ultimo dia, febrero elegido")
        << Mensual(D(2025, 6, 1, 10), QStringLiteral(",01,02,"), QStringLiteral(",32,")) << D(2026, 1, 31, 11)
        << 0 << D(2026, 2, 28, 10);
    QTest::newRow("mensual ultimo dia, febrero bisiesto")
        << Mensual(D(2025, 6, 1, 10), QStringLiteral(",01,02,"), QStringLiteral(",32,")) << D(2028, 1, 31, 11)
        << 0 << D(2028, 2, 29, 10);
    QTest::newRow("mensual ultimo dia, solo enero")
        << Mensual(D(2025, 6, 1, 10), QStringLiteral(",01,"), QStringLiteral(",32,")) << D(2026, 1, 31, 11) << 0
        << D(2027, 1, 31, 10);
    QTest::newRow("mensual ultimo dia de abril es el 30")
        << Mensual(D(2025, 6, 1, 10), QStringLiteral(",04,"), QStringLiteral(",32,")) << hoy8 << 0
        << D(2026, 4, 30, 10);
    QTest::newRow("mensual dia 15, hoy es 10")
        << Mensual(D(2025, 6, 1, 10), QStringLiteral(",03,"), QStringLiteral(",15,")) << hoy8 << 0
        << D(2026, 3, 15, 10);
    QTest::newRow("mensual dia 10 a las 10, hoy a las 8")
        << Mensual(D(2025, 6, 1, 10), QStringLiteral(",03,"), QStringLiteral(",10,")) << hoy8 << 0
        << D(2026, 3, 10, 10);
    QTest::newRow("mensual 10 de marzo ya pasado: el del año que viene")
        << Mensual(D(2025, 6, 1, 7), QStringLiteral(",03,"), QStringLiteral(",10,")) << hoy8 << 0
        << D(2027, 3, 10, 7);
    QTest::newRow("mensual inicio futuro desde su dia")
        << Mensual(D(2026, 5, 20, 6), QStringLiteral(",05,06,"), QStringLiteral(",01,10,")) << hoy8 << 0
        << D(2026, 6, 1, 6);
    QTest::newRow("mensual 29 de febrero tras un bisiesto")
        << Mensual(D(2024, 3, 1, 9), QStringLiteral(",02,"), QStringLiteral(",29,")) << D(2024, 3, 1, 10) << 0
        << D(2028, 2, 29, 9);
    QTest::newRow("mensual mes 13: nunca")
        << Mensual(D(2025, 6, 1, 10), QStringLiteral(",13,"), QStringLiteral(",01,")) << hoy8 << 0 << 0.0;

    const double hoy = D(2026, 3, 10);
    QTest::newRow("horaria 08-12 cada 2, a las 10:30")
        << Rango(hoy, QStringLiteral("08:00"), QStringLiteral("12:00"), 2) << D(2026, 3, 10, 10, 30) << 0
        << D(2026, 3, 10, 12);
    QTest::newRow("horaria 08-12 cada 2, despues de las 12 salta al dia elegido")
        << Rango(hoy, QStringLiteral("08:00"), QStringLiteral("12:00"), 2, QStringLiteral("5"))
        << D(2026, 3, 10, 12, 0, 1) << 0 << D(2026, 3, 13, 8);
    QTest::newRow("horaria 22-02: solo las 22")
        << Rango(hoy, QStringLiteral("22:00"), QStringLiteral("02:00"), 1) << D(2026, 3, 10, 23) << 0
        << D(2026, 3, 11, 22);
    QTest::newRow("horaria 08-11:59: las 12 no entra")
        << Rango(hoy, QStringLiteral("08:00"), QStringLiteral("11:59"), 1) << D(2026, 3, 10, 11, 0, 1) << 0
        << D(2026, 3, 11, 8);
    QTest::newRow("horaria 08-10:59: las 11 no entra")
        << Rango(hoy, QStringLiteral("08:00"), QStringLiteral("10:59"), 1) << D(2026, 3, 10, 10, 0, 1) << 0
        << D(2026, 3, 11, 8);
    QTest::newRow("horaria paso 0: solo la primera hora")
        << Rango(hoy, QStringLiteral("08:00"), QStringLiteral("20:00"), 0) << D(2026, 3, 10, 9) << 0
        << D(2026, 3, 11, 8);
    QTest::newRow("horaria paso negativo: solo la primera hora")
        << Rango(hoy, QStringLiteral("08:00"), QStringLiteral("20:00"), -3) << D(2026, 3, 10, 9) << 0
        << D(2026, 3, 11, 8);
    QTest::newRow("horaria inicio ilegible: nunca")
        << Rango(hoy, QStringLiteral("25:00"), QStringLiteral("20:00"), 1) << D(2026, 3, 10, 9) << 0 << 0.0;
    QTest::newRow("horaria inicio en el futuro")
        << Rango(D(2026, 3, 20), QStringLiteral("09:30"), QStringLiteral("12:00"), 1) << hoy8 << 0
        << D(2026, 3, 20, 9, 30);
    QTest::newRow("horaria hasta ayer: nunca")
        << Hasta(Rango(D(2026, 3, 1), QStringLiteral("08:00"), QStringLiteral("12:00"), 1), D(2026, 3, 9, 23))
        << hoy8 << 0 << 0.0;
    QTest::newRow("lista, la hora 25 corta la lista")
        << Lista(hoy, QStringLiteral("08:00 AM,13:00 PM,05:00 PM")) << D(2026, 3, 10, 9) << 0 << D(2026, 3, 11, 8);
    QTest::newRow("lista, un elemento mal escrito cuenta como mediodia")
        << Lista(hoy, QStringLiteral("08:00 AM,bad")) << D(2026, 3, 10, 9) << 0 << D(2026, 3, 10, 12);
    QTest::newRow("lista, la menor de las candidatas")
        << Lista(hoy, QStringLiteral("05:15 PM,09:00 AM,01:30 PM")) << D(2026, 3, 10, 9, 30) << 0
        << D(2026, 3, 10, 13, 30);
    QTest::newRow("lista vacia: nunca") << Lista(hoy, QStringLiteral("  ")) << hoy8 << 0 << 0.0;

    // 30 items; the 27th (07:00 AM) would be the next one but lies past the 26 entries.
    QStringList muchas;
    for (int i = 0; i < 26; ++i)
        muchas << QStringLiteral("11:%1 PM").arg(i, 2, 10, QLatin1Char('0'));
    muchas << QStringLiteral("07:00 AM") << QStringLiteral("07:01 AM") << QStringLiteral("07:02 AM")
           << QStringLiteral("07:03 AM");
    QTest::newRow("lista de 30: solo cuentan 26") << Lista(hoy, muchas.join(QLatin1Char(','))) << D(2026, 3, 10, 1)
                                                 << 0 << D(2026, 3, 10, 23);

    const TTipoTarea inicio = Tarea(TAREA_AL_INICIAR, 0);
    QTest::newRow("al iniciar, sin posponer") << inicio << hoy8 << 0 << -1.0;
    QTest::newRow("al iniciar, pospuesta") << Pospuesta(inicio, D(2026, 3, 10, 8, 10)) << hoy8 << 0
                                           << D(2026, 3, 10, 8, 10);
    QTest::newRow("al iniciar, posposicion pasada") << Pospuesta(inicio, D(2026, 3, 10, 8, 10))
                                                    << D(2026, 3, 10, 8, 11) << 0 << -1.0;

    const TTipoTarea anual = Tarea(TAREA_ANUAL, D(2020, 3, 15, 9));
    QTest::newRow("anual, este año") << anual << hoy8 << 0 << D(2026, 3, 15, 9);
    QTest::newRow("anual, ya paso este año") << anual << D(2026, 3, 15, 9, 0, 1) << 0 << D(2027, 3, 15, 9);
    QTest::newRow("anual, inicio futuro sin revisar el fin")
        << Hasta(Tarea(TAREA_ANUAL, D(2027, 1, 1, 9)), D(2026, 1, 1)) << hoy8 << 0 << D(2027, 1, 1, 9);
    QTest::newRow("anual, fin antes de la siguiente") << Hasta(anual, D(2026, 3, 15, 8)) << hoy8 << 0 << 0.0;
    QTest::newRow("anual, muy antiguo") << Tarea(TAREA_ANUAL, D(1930, 12, 31, 23, 59, 59)) << hoy8 << 0
                                        << D(2026, 12, 31, 23, 59, 59);

    QTest::newRow("tipo desconocido") << Tarea(9, hoy8) << D(2026, 3, 10, 7) << 0 << 0.0;
    QTest::newRow("tipo desconocido pospuesto") << Pospuesta(Tarea(0, hoy8), D(2026, 3, 10, 9)) << hoy8 << 0
                                                << D(2026, 3, 10, 9);
}

void TstNextRun::casos()
{
    QFETCH(TTipoTarea, tarea);
    QFETCH(double, ahora);
    QFETCH(int, gracia);
    QFETCH(double, esperado);
    const double r = Calcular_Proxima_Ejecucion(tarea, ahora, gracia);
    QCOMPARE(Dias_a_DateTime(r), Dias_a_DateTime(esperado));
    QCOMPARE(Dias_a_Milisegundos(r), Dias_a_Milisegundos(esperado));
}

// The file form stores 08:00 a few microseconds early; the comparisons must still see 08:00.
void TstNextRun::hasta_las_ocho_guardado_en_archivo()
{
    const double fin = F(D(2026, 3, 10, 8));
    QVERIFY(fin < D(2026, 3, 10, 8)); // the stored value really is early
    const TTipoTarea horaria = Hasta(Rango(D(2026, 3, 1), QStringLiteral("06:00"), QStringLiteral("10:00"), 1), fin);
    QCOMPARE(Calcular_Proxima_Ejecucion(horaria, D(2026, 3, 10, 7, 30), 0), D(2026, 3, 10, 8));
    const TTipoTarea diaria = Hasta(Tarea(TAREA_DIARIA, D(2026, 3, 1, 8)), fin);
    QCOMPARE(Calcular_Proxima_Ejecucion(diaria, D(2026, 3, 10, 7), 0), D(2026, 3, 10, 8));
    // Computed exactly at the stored moment, a one-time reminder is still ahead.
    const TTipoTarea unaVez = Tarea(TAREA_UNA_VEZ, D(2026, 3, 10, 8));
    QCOMPARE(Calcular_Proxima_Ejecucion(unaVez, D(2026, 3, 10, 8), 0), D(2026, 3, 10, 8));
}

void TstNextRun::resultado_exacto_al_milisegundo()
{
    const TTipoTarea diaria = Tarea(TAREA_DIARIA, D(2026, 3, 1, 8));
    const double r = Calcular_Proxima_Ejecucion(diaria, D(2026, 3, 10, 7), 0);
    QCOMPARE(r, D(2026, 3, 10, 8));
    QCOMPARE(Convertir_FechaHora_a_Cadena(r, QStringLiteral(" at "), false, true, true, false, false, 0),
             QStringLiteral("8:00:00 AM"));
    QCOMPARE(Obtener_Fecha_Hora(r, r), D(2026, 3, 10, 8));
}

// A reminder for one month of the year keeps firing every year.
void TstNextRun::mensual_un_solo_mes_cada_anio()
{
    const TTipoTarea t = Mensual(D(2026, 1, 1, 9), QStringLiteral(",03,"), QStringLiteral(",10,"));
    double ahora = D(2026, 1, 1, 8);
    for (int y = 2026; y < 2036; ++y) {
        const double r = Calcular_Proxima_Ejecucion(t, ahora, 0);
        QCOMPARE(r, D(y, 3, 10, 9));
        ahora = r + 1.0 / 86400000.0; // just after it fired
    }
}

void TstNextRun::anual_29_de_febrero()
{
    const TTipoTarea t = Tarea(TAREA_ANUAL, D(2024, 2, 29, 7, 30));
    QCOMPARE(Calcular_Proxima_Ejecucion(t, D(2024, 3, 1), 0), D(2025, 2, 28, 7, 30));
    QCOMPARE(Calcular_Proxima_Ejecucion(t, D(2025, 2, 28, 7, 31), 0), D(2026, 2, 28, 7, 30));
    QCOMPARE(Calcular_Proxima_Ejecucion(t, D(2027, 3, 1), 0), D(2028, 2, 29, 7, 30));
    QCOMPARE(Calcular_Proxima_Ejecucion(t, D(2099, 3, 1), 0), D(2100, 2, 28, 7, 30));
}

// Nothing that a file or a hand-edited record can hold makes the computation fail or loop.
void TstNextRun::valores_absurdos_terminan()
{
    const double raros[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(), 1e300, -1e300, 2.9e6, -2.9e6, -1, 0};
    const double ahora = D(2026, 3, 10, 8);
    for (int tipo = -1; tipo <= 8; ++tipo) {
        for (double v : raros) {
            TTipoTarea t;
            t.tiTareaTipo = tipo;
            t.tdFechaInicio = v;
            t.tdFechaFin = v;
            t.tdSnoozeRun = v;
            t.tiSiempreRepetirHasta = 1;
            t.tsDiasSemana = QStringLiteral("x");
            t.tsMeses = QStringLiteral(",02,");
            t.tsDias = QStringLiteral(",31,");
            t.tiRangoCadaHora = std::numeric_limits<qint32>::max();
            t.tsRangoHoraFin = QStringLiteral("23:59");
            const double r = Calcular_Proxima_Ejecucion(t, ahora, std::numeric_limits<int>::max());
            QVERIFY2(std::isfinite(r), qPrintable(QStringLiteral("type %1 value %2").arg(tipo).arg(v)));
            QVERIFY(std::isfinite(Calcular_Proxima_Ejecucion(t, v, 0)));
            t.tiRangoHoras = 2;
            t.tsHorasLista = QString(5000, QLatin1Char(','));
            QVERIFY(std::isfinite(Calcular_Proxima_Ejecucion(t, v, -600)));
        }
    }
}

QTEST_APPLESS_MAIN(TstNextRun)
#include "tst_nextrun.moc"
