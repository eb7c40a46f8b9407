#include "daycount.h"

#include <cmath>
#include <mutex>

namespace {
constexpr qint64 kMsPorDia = MS_POR_DIA;
const qint64 kDiaCero = QDate(1899, 12, 30).toJulianDay();
// Far wider than any date the program writes; keeps QDate arithmetic in range.
constexpr double kLimiteDias = 3.0e6;

std::mutex gRelojMutex;
TRelojFuncion gReloj;
} // namespace

double Fecha_Hora_a_Dias(const QDate &rdFecha, const QTime &rdHora)
{
    const double dias = double(rdFecha.toJulianDay() - kDiaCero);
    const int ms = rdHora.isValid() ? rdHora.msecsSinceStartOfDay() : 0;
    return dias + double(ms) / double(kMsPorDia);
}

double DateTime_a_Dias(const QDateTime &rdFechaHora)
{
    const QDateTime local = rdFechaHora.toLocalTime();
    return Fecha_Hora_a_Dias(local.date(), local.time());
}

bool Dias_Validos(double rdDias)
{
    return std::isfinite(rdDias) && std::fabs(rdDias) < kLimiteDias;
}

qint64 Dias_a_Milisegundos(double rdDias)
{
    if (!Dias_Validos(rdDias))
        return 0;
    return std::llround(rdDias * double(kMsPorDia));
}

qint64 Dia_De_Milisegundos(qint64 riMs)
{
    return riMs >= 0 ? riMs / kMsPorDia : -((-riMs + kMsPorDia - 1) / kMsPorDia);
}

qint64 Hora_De_Milisegundos(qint64 riMs)
{
    return riMs - Dia_De_Milisegundos(riMs) * kMsPorDia;
}

QDate Fecha_De_Milisegundos(qint64 riMs)
{
    return QDate::fromJulianDay(kDiaCero + Dia_De_Milisegundos(riMs));
}

qint64 Fecha_a_Milisegundos(const QDate &rdFecha, qint64 riMsDelDia)
{
    return (rdFecha.toJulianDay() - kDiaCero) * kMsPorDia + riMsDelDia;
}

double Milisegundos_a_Dias(qint64 riMs)
{
    // Whole days and the remainder separately, so exact millisecond values stay exact.
    return double(Dia_De_Milisegundos(riMs)) + double(Hora_De_Milisegundos(riMs)) / double(kMsPorDia);
}

static void Partir(double rdDias, qint64 &fDias, qint64 &fMs)
{
    const qint64 total = Dias_a_Milisegundos(rdDias);
    fDias = Dia_De_Milisegundos(total);
    fMs = Hora_De_Milisegundos(total);
}

QDate Dias_a_Fecha(double rdDias)
{
    if (!Dias_Validos(rdDias))
        return {};
    qint64 dias, ms;
    Partir(rdDias, dias, ms);
    return QDate::fromJulianDay(kDiaCero + dias);
}

QTime Dias_a_Hora(double rdDias)
{
    if (!Dias_Validos(rdDias))
        return QTime(0, 0);
    qint64 dias, ms;
    Partir(rdDias, dias, ms);
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

QDateTime Dias_a_DateTime(double rdDias)
{
    return QDateTime(Dias_a_Fecha(rdDias), Dias_a_Hora(rdDias));
}

double Solo_Fecha(double rdDias)
{
    qint64 dias, ms;
    Partir(rdDias, dias, ms);
    return double(dias);
}

double Solo_Hora(double rdDias)
{
    qint64 dias, ms;
    Partir(rdDias, dias, ms);
    return double(ms) / double(kMsPorDia);
}

int Dia_De_La_Semana(double rdDias)
{
    const QDate d = Dias_a_Fecha(rdDias);
    return d.isValid() ? d.dayOfWeek() : 1;
}

QDateTime Ahora_DateTime()
{
    TRelojFuncion reloj;
    {
        std::lock_guard<std::mutex> lock(gRelojMutex);
        reloj = gReloj;
    }
    return reloj ? reloj() : QDateTime::currentDateTime();
}

double Ahora()
{
    return DateTime_a_Dias(Ahora_DateTime());
}

void Establecer_Reloj(TRelojFuncion rReloj)
{
    std::lock_guard<std::mutex> lock(gRelojMutex);
    gReloj = std::move(rReloj);
}

QDate Fecha_Hoy()
{
    TRelojFuncion reloj;
    {
        std::lock_guard<std::mutex> lock(gRelojMutex);
        reloj = gReloj;
    }
    if (reloj) // a test's clock is asked every time
        return Dias_a_Fecha(DateTime_a_Dias(reloj()));
    struct THoy {
        qint64 leido = 0;
        qint64 desde = 0;
        qint64 hasta = -1; // nothing kept yet
        QDate fecha;
    };
    thread_local THoy hoy;
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    if (ms >= hoy.desde && ms < hoy.hasta && ms >= hoy.leido && ms - hoy.leido < 1000)
        return hoy.fecha;
    const QDateTime ahora = QDateTime::fromMSecsSinceEpoch(ms);
    hoy.fecha = Dias_a_Fecha(DateTime_a_Dias(ahora));
    hoy.leido = ms;
    hoy.desde = hoy.fecha.startOfDay().toMSecsSinceEpoch();
    hoy.hasta = hoy.fecha.addDays(1).startOfDay().toMSecsSinceEpoch();
    return hoy.fecha;
}
