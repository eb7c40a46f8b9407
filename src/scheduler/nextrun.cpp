#include "nextrun.h"

#include "store/daycount.h"
#include "store/textforms.h"

#include <QDate>

#include <algorithm>
#include <optional>

// All schedule arithmetic runs on whole milliseconds. Day counts read from files are a
// few microseconds off (08:00 is stored a hair early); rounding every value to the
// millisecond before comparing makes "until 08:00" include 08:00, and results come back
// as exact millisecond values, so their texts never show 7:59:59 for 8:00:00.

namespace {

constexpr qint64 kMsHora = 3600000;
constexpr qint64 kMsNinguno = 0;            // "no next run"
constexpr int kEntradasHorarias = 26;       // capacity of the hourly candidate list
constexpr int kPasadasMensuales = 49;       // 4 years + 1 month: every 29 February is reached

qint64 Ms(double rdDias)
{
    return Dias_a_Milisegundos(rdDias);
}

// The time of day of x on the reference day, one day later if that is before ref.
qint64 Mover_Al_Dia_Referencia(qint64 riX, qint64 riRef)
{
    qint64 v = Dia_De_Milisegundos(riRef) * MS_POR_DIA + Hora_De_Milisegundos(riX);
    if (v < riRef)
        v += MS_POR_DIA;
    return v;
}

bool Dia_Coincide(qint64 riMs, const QString &rsDiasSemana)
{
    // 1899-12-30 (day 0) was a Saturday; 1 = Monday .. 7 = Sunday.
    qint64 resto = (Dia_De_Milisegundos(riMs) + 5) % 7;
    if (resto < 0)
        resto += 7;
    return rsDiasSemana.contains(QChar(u'1' + char16_t(resto)));
}

// Adds days until the weekday is selected; after 7 additions it gives up where it is.
qint64 Buscar_Dia_Semana(qint64 riMs, const QString &rsDiasSemana)
{
    for (int i = 0; i < 7 && !Dia_Coincide(riMs, rsDiasSemana); ++i)
        riMs += MS_POR_DIA;
    return riMs;
}

qint64 Revisar_Fin(qint64 riCandidato, const TTipoTarea &rTarea)
{
    if (rTarea.tiSiempreRepetirHasta == 1 && riCandidato > Ms(rTarea.tdFechaFin))
        return kMsNinguno;
    return riCandidato;
}

qint64 Mensual(const TTipoTarea &rTarea, qint64 riInicio, qint64 riRef)
{
    qint64 next = riInicio >= riRef ? riInicio : Mover_Al_Dia_Referencia(riInicio, riRef);
    const qint64 horaInicio = Hora_De_Milisegundos(riInicio);
    // The lists read once, not once for every day tried.
    bool dias[33];
    Numeros_De_Lista(rTarea.tsDias, dias, 32);
    bool meses[13];
    Numeros_De_Lista(rTarea.tsMeses, meses, 12);
    const bool ultimoDia = dias[32];
    QDate fecha = Fecha_De_Milisegundos(next);
    int desde = fecha.day();
    for (int pasada = 0; pasada < kPasadasMensuales; ++pasada) {
        const int y = fecha.year();
        const int m = fecha.month();
        const int ultimo = fecha.daysInMonth();
        if (meses[m]) {
            for (int d = desde; d <= ultimo; ++d) {
                if (dias[d] || (d == ultimo && ultimoDia))
                    return Fecha_a_Milisegundos(QDate(y, m, d), horaInicio);
            }
        }
        fecha = QDate(y, m, 1).addMonths(1);
        desde = 1;
    }
    return kMsNinguno;
}

// The candidate times of an hourly reminder, all on its start date. Never more than 26
// entries: a range with a step of 0 (or less) holds its first time only, and a list of
// more than 26 times is cut there.
QVector<qint64> Lista_Horaria(const TTipoTarea &rTarea)
{
    QVector<qint64> lista;
    if (rTarea.tiRangoHoras == 1) {
        const double t = Convertir_HHMM_a_Fecha(rTarea.tsRangoHoraInicio, rTarea.tdFechaInicio);
        const double fin = Convertir_HHMM_a_Fecha(rTarea.tsRangoHoraFin, rTarea.tdFechaInicio);
        const qint64 tMs = t == 0 ? kMsNinguno : Ms(t);
        lista.append(tMs);
        if (rTarea.tiRangoCadaHora <= 0 || tMs == kMsNinguno)
            return lista;
        const qint64 paso = qint64(rTarea.tiRangoCadaHora) * kMsHora;
        const qint64 limite = Ms(fin) + 30000;
        for (qint64 v = tMs + paso; v <= limite && lista.size() < kEntradasHorarias; v += paso)
            lista.append(v);
    } else { // a list of times
        QString resto = Recortar(rTarea.tsHorasLista);
        while (!resto.isEmpty() && lista.size() < kEntradasHorarias) {
            const QString pieza = Extraer_Cadena_Hasta_Signo(resto, QLatin1Char(','));
            const double v = Convertir_HHMM_a_Fecha(Convertir_HHMMAMPM_a_HHMM(pieza), rTarea.tdFechaInicio);
            lista.append(v == 0 ? kMsNinguno : Ms(v));
        }
    }
    return lista;
}

qint64 Horaria(const TTipoTarea &rTarea, qint64 riRef)
{
    std::optional<qint64> mejor;
    for (qint64 entrada : Lista_Horaria(rTarea)) {
        if (entrada == kMsNinguno)
            break; // an unreadable time ends the list
        qint64 c = entrada >= riRef ? entrada : Mover_Al_Dia_Referencia(entrada, riRef);
        c = Revisar_Fin(Buscar_Dia_Semana(c, rTarea.tsDiasSemana), rTarea);
        if (c != kMsNinguno && (!mejor || c < *mejor))
            mejor = c;
    }
    return mejor.value_or(kMsNinguno);
}

qint64 Anual(const TTipoTarea &rTarea, qint64 riInicio, qint64 riRef)
{
    if (riInicio >= riRef)
        return riInicio;
    const QDate inicio = Fecha_De_Milisegundos(riInicio);
    const qint64 hora = Hora_De_Milisegundos(riInicio);
    // Years before the one of ref cannot be later than ref: start the search just before it.
    int y = std::max(inicio.year() + 1, Fecha_De_Milisegundos(riRef).year() - 1);
    for (;; ++y) {
        // 29 February takes 28 February in common years.
        const int dia = std::min(inicio.day(), QDate(y, inicio.month(), 1).daysInMonth());
        const qint64 c = Fecha_a_Milisegundos(QDate(y, inicio.month(), dia), hora);
        if (c > riRef)
            return Revisar_Fin(c, rTarea);
    }
}

qint64 Calendario(const TTipoTarea &rTarea, qint64 riRef)
{
    const qint64 inicio = Ms(rTarea.tdFechaInicio);
    switch (rTarea.tiTareaTipo) {
    case TAREA_UNA_VEZ:
        return inicio;
    case TAREA_DIARIA:
        if (inicio >= riRef)
            return inicio;
        return Revisar_Fin(Mover_Al_Dia_Referencia(inicio, riRef), rTarea);
    case TAREA_SEMANAL: {
        const qint64 base = inicio >= riRef ? inicio : Mover_Al_Dia_Referencia(inicio, riRef);
        return Revisar_Fin(Buscar_Dia_Semana(base, rTarea.tsDiasSemana), rTarea);
    }
    case TAREA_MENSUAL:
        return Mensual(rTarea, inicio, riRef);
    case TAREA_CADA_HORA:
        return Horaria(rTarea, riRef);
    case TAREA_ANUAL:
        return Anual(rTarea, inicio, riRef);
    default: // TAREA_AL_INICIAR and unknown codes have no schedule
        return kMsNinguno;
    }
}

} // namespace

QVector<double> Horas_Candidatas(const TTipoTarea &rTarea)
{
    QVector<double> r;
    for (qint64 entrada : Lista_Horaria(rTarea))
        r.append(entrada == kMsNinguno ? 0.0 : Milisegundos_a_Dias(entrada));
    return r;
}

double Calcular_Proxima_Ejecucion(const TTipoTarea &rTarea, double rdAhora, int riGracia)
{
    const qint64 ahora = Ms(rdAhora);
    const qint64 ref = ahora - qint64(riGracia) * 1000;
    const qint64 snooze = Ms(rTarea.tdSnoozeRun);

    if (rTarea.tiTareaTipo == TAREA_AL_INICIAR)
        return ahora > snooze ? -1.0 : Milisegundos_a_Dias(snooze);

    qint64 next = Calendario(rTarea, ref);
    // A pending snooze (not yet passed at Now) replaces a later scheduled time, and
    // stands alone when the schedule has nothing ahead.
    if (next != kMsNinguno && next >= ref) {
        if (!(ahora > snooze) && snooze < next)
            next = snooze;
    } else {
        next = ahora > snooze ? kMsNinguno : snooze;
    }
    return next == kMsNinguno ? 0.0 : Milisegundos_a_Dias(next);
}
