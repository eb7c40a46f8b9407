// Properties of the next run over thousands of random schedules and moments (fixed
// seed), checked against a plain day-by-day search where the rule allows one.

#include "nextrun_helpers.h"
#include "scheduler/nextrun.h"

#include <QRandomGenerator>
#include <QTest>

#include <functional>

namespace {

constexpr qint64 kMsDia = 86400000;

struct TGenerador {
    QRandomGenerator rng{20260310};

    int Entre(int a, int b) { return a + int(rng.bounded(b - a + 1)); }
    bool Moneda(int riPorCiento) { return Entre(1, 100) <= riPorCiento; }

    QString Dias_Semana()
    {
        QString s;
        for (int d = 1; d <= 7; ++d)
            if (Moneda(35))
                s += QChar(u'0' + char16_t(d));
        return s.isEmpty() ? QString::number(Entre(1, 7)) : s;
    }
    QString Lista_Numeros(int riMax, int riPorCiento)
    {
        QString s = QStringLiteral(",");
        for (int n = 1; n <= riMax; ++n)
            if (Moneda(riPorCiento))
                s += Numero_Con_Ceros(n, 2) + QLatin1Char(',');
        return s == QStringLiteral(",") ? QLatin1Char(',') + Numero_Con_Ceros(Entre(1, riMax), 2) + QLatin1Char(',') : s;
    }
    QString HHMM() { return Numero_Con_Ceros(Entre(0, 23), 2) + QLatin1Char(':') + Numero_Con_Ceros(Entre(0, 59), 2); }

    // A record as the editors write it, read back through the file form.
    TTipoTarea Tarea_Al_Azar(double rdCerca)
    {
        const int tipo = Entre(1, 7);
        const double dia = Solo_Fecha(rdCerca) + Entre(-800, 400);
        const double inicio = dia + double(Entre(0, 86399)) / 86400.0;
        TTipoTarea t = Tarea(tipo, tipo == TAREA_CADA_HORA ? dia + 0.5 : inicio);
        if (Moneda(40))
            t = Hasta(t, inicio + double(Entre(-100, 900)) + double(Entre(0, 86399)) / 86400.0);
        t.tsDiasSemana = Dias_Semana();
        t.tsMeses = Lista_Numeros(12, 20);
        t.tsDias = Lista_Numeros(32, 10);
        if (Moneda(50)) {
            t.tiRangoHoras = 1;
            t.tsRangoHoraInicio = HHMM();
            t.tsRangoHoraFin = HHMM();
            t.tiRangoCadaHora = Entre(0, 6);
        } else {
            t.tiRangoHoras = 2;
            QStringList horas;
            for (int i = Entre(1, 8); i > 0; --i)
                horas << Convertir_Fecha_a_HHMM(double(Entre(0, 1439)) / 1440.0, true);
            t.tsHorasLista = horas.join(QLatin1Char(','));
        }
        return t;
    }
};

qint64 Ms(double d) { return Dias_a_Milisegundos(d); }

bool Dia_Elegido(const TTipoTarea &t, const QDate &f)
{
    return t.tsDiasSemana.contains(QString::number(f.dayOfWeek()));
}

bool Mes_Y_Dia_Elegidos(const TTipoTarea &t, const QDate &f)
{
    auto entre = [](int n) { return QLatin1Char(',') + Numero_Con_Ceros(n, 2) + QLatin1Char(','); };
    if (!t.tsMeses.contains(entre(f.month())))
        return false;
    return t.tsDias.contains(entre(f.day())) ||
           (f.day() == f.daysInMonth() && t.tsDias.contains(QStringLiteral(",32,")));
}

// The first moment not before rDesde, at time of day riHora, on a date that passes
// rAcepta, looking at most riDias days ahead; 0 when there is none.
qint64 Primera_Ocurrencia(qint64 rDesde, qint64 riHora, int riDias, const std::function<bool(const QDate &)> &rAcepta)
{
    const qint64 dia0 = rDesde >= 0 ? rDesde / kMsDia : (rDesde - kMsDia + 1) / kMsDia;
    for (int i = 0; i <= riDias; ++i) {
        const qint64 m = (dia0 + i) * kMsDia + riHora;
        if (m >= rDesde && rAcepta(Dias_a_Fecha(Milisegundos_a_Dias(m))))
            return m;
    }
    return 0;
}

qint64 Hora_Del_Dia(double d) { return Ms(d) - Ms(Solo_Fecha(d)); }

} // namespace

class TstNextRunPropiedades : public QObject {
    Q_OBJECT
private slots:
    void nunca_antes_de_la_referencia();
    void coincide_con_el_calendario();
    void tras_disparar_siempre_avanza();
};

void TstNextRunPropiedades::nunca_antes_de_la_referencia()
{
    TGenerador g;
    const double base = D(2026, 3, 10, 12);
    for (int i = 0; i < 6000; ++i) {
        TTipoTarea t = g.Tarea_Al_Azar(base);
        const double ahora = base + double(g.Entre(-400, 400)) + double(g.rng.bounded(86400000)) / 86400000.0;
        if (g.Moneda(30))
            t = Pospuesta(t, ahora + double(g.Entre(-3000, 3000)) / 1440.0);
        const int gracia = QList<int>{0, 0, 90, 600}[g.Entre(0, 3)];
        const double r = Calcular_Proxima_Ejecucion(t, ahora, gracia);
        const qint64 ref = Ms(ahora) - qint64(gracia) * 1000;
        if (r == -1.0) {
            QCOMPARE(t.tiTareaTipo, int(TAREA_AL_INICIAR));
            continue;
        }
        QVERIFY2(r == 0 || Ms(r) >= ref, qPrintable(QStringLiteral("case %1 type %2").arg(i).arg(t.tiTareaTipo)));
        // Results are whole milliseconds.
        QCOMPARE(r, Milisegundos_a_Dias(Ms(r)));
        // A pending snooze always wins over a later scheduled time.
        if (t.tdSnoozeRun != 0 && Ms(t.tdSnoozeRun) >= Ms(ahora))
            QVERIFY(Ms(r) <= Ms(t.tdSnoozeRun));
    }
}

// Without a snooze the result is the first moment of the schedule from the later of
// start and ref, or 0 past the end.
void TstNextRunPropiedades::coincide_con_el_calendario()
{
    TGenerador g;
    const double base = D(2027, 7, 1, 12);
    int comprobados = 0;
    for (int i = 0; i < 6000; ++i) {
        const TTipoTarea t = g.Tarea_Al_Azar(base);
        const double ahora = base + double(g.Entre(-400, 400)) + double(g.rng.bounded(86400000)) / 86400000.0;
        const double r = Calcular_Proxima_Ejecucion(t, ahora, 0);
        const qint64 ref = Ms(ahora);
        const qint64 inicio = Ms(t.tdFechaInicio);
        const qint64 desde = std::max(inicio, ref);
        const qint64 hora = Hora_Del_Dia(t.tdFechaInicio);
        const bool hasta = t.tiSiempreRepetirHasta == 1;
        auto fin = [&](qint64 m) { return hasta && m > Ms(t.tdFechaFin) ? 0 : m; };
        qint64 esperado = -2;
        switch (t.tiTareaTipo) {
        case TAREA_DIARIA:
            esperado = inicio >= ref ? inicio : fin(Primera_Ocurrencia(ref, hora, 1, [](const QDate &) { return true; }));
            break;
        case TAREA_SEMANAL:
            esperado = fin(Primera_Ocurrencia(desde, hora, 7, [&](const QDate &f) { return Dia_Elegido(t, f); }));
            break;
        case TAREA_MENSUAL: {
            // 49 months from the month of the start value.
            const QDate primero = Dias_a_Fecha(Milisegundos_a_Dias(desde));
            const int dias = int(QDate(primero.year(), primero.month(), 1).daysTo(
                QDate(primero.year(), primero.month(), 1).addMonths(49)));
            esperado = Primera_Ocurrencia(desde, hora, dias, [&](const QDate &f) { return Mes_Y_Dia_Elegidos(t, f); });
            break;
        }
        case TAREA_ANUAL: {
            const QDate fi = Dias_a_Fecha(t.tdFechaInicio);
            esperado = inicio >= ref ? inicio
                                     : fin(Primera_Ocurrencia(ref + 1, hora, 1500, [&](const QDate &f) {
                                           const int dia = std::min(fi.day(), QDate(f.year(), fi.month(), 1).daysInMonth());
                                           return f.month() == fi.month() && f.day() == dia && f.year() > fi.year();
                                       }));
            break;
        }
        case TAREA_CADA_HORA:
            if (r != 0) {
                const QDate f = Dias_a_Fecha(r);
                QVERIFY(Dia_Elegido(t, f));
                if (hasta)
                    QVERIFY(Ms(r) <= Ms(t.tdFechaFin));
            }
            continue;
        case TAREA_UNA_VEZ:
            esperado = inicio >= ref ? inicio : 0;
            break;
        default:
            continue;
        }
        ++comprobados;
        QVERIFY2(Ms(r) == esperado,
                 qPrintable(QStringLiteral("case %1 type %2: got %3, expected %4")
                                .arg(i)
                                .arg(t.tiTareaTipo)
                                .arg(Dias_a_DateTime(r).toString(Qt::ISODateWithMs),
                                     Dias_a_DateTime(Milisegundos_a_Dias(esperado)).toString(Qt::ISODateWithMs))));
    }
    QVERIFY(comprobados > 3000);
}

// Fired right at its due time and recomputed just after (grace 0), a reminder never
// gives the same moment twice, and a repeating one without an end keeps going.
void TstNextRunPropiedades::tras_disparar_siempre_avanza()
{
    TGenerador g;
    const double base = D(2025, 11, 20, 12);
    for (int i = 0; i < 3000; ++i) {
        TTipoTarea t = g.Tarea_Al_Azar(base);
        double ahora = base + double(g.Entre(-400, 400)) + double(g.rng.bounded(86400000)) / 86400000.0;
        if (g.Moneda(20))
            t = Pospuesta(t, ahora + double(g.Entre(1, 3000)) / 1440.0);
        double anterior = 0;
        for (int disparo = 0; disparo < 12; ++disparo) {
            const double r = Calcular_Proxima_Ejecucion(t, ahora, 0);
            if (r == 0 || r == -1.0)
                break;
            if (anterior != 0)
                QVERIFY2(Ms(r) > Ms(anterior), qPrintable(QStringLiteral("case %1 type %2").arg(i).arg(t.tiTareaTipo)));
            if (t.tiSiempreRepetirHasta == 0 && Ms(r) != Ms(t.tdSnoozeRun)) {
                if (t.tiTareaTipo == TAREA_DIARIA && anterior != 0 && Ms(anterior) != Ms(t.tdSnoozeRun))
                    QVERIFY(Ms(r) - Ms(anterior) == kMsDia);
                if ((t.tiTareaTipo == TAREA_SEMANAL || t.tiTareaTipo == TAREA_CADA_HORA) &&
                    Ms(t.tdFechaInicio) < Ms(ahora))
                    QVERIFY(Ms(r) - Ms(ahora) <= 7 * kMsDia);
            }
            t.tdLastRunTime = r;
            anterior = r;
            ahora = r + 1.0 / 86400000.0; // fired at its due time; recomputed a millisecond later
        }
    }
}

QTEST_APPLESS_MAIN(TstNextRunPropiedades)
#include "tst_nextrun_propiedades.moc"
