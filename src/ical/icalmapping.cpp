#include "icalmapping.h"

#include "icaltexts.h"
#include "icaltime.h"
#include "store/daycount.h"
#include "store/textforms.h"

#include <QDate>
#include <QVector>

#include <algorithm>

namespace {

constexpr int kMaxHorasDia = 26; // the most times an hourly reminder runs a day

template <std::size_t N>
QVector<int> Valores(const short (&rArreglo)[N])
{
    QVector<int> v;
    for (std::size_t i = 0; i < N && rArreglo[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        v << rArreglo[i];
    return v;
}

// The time of a DTSTART or DUE with its zone resolved; false when its TZID names a zone
// neither the file nor libical knows.
bool Tiempo_Con_Zona(icalproperty *rPropiedad, icaltimetype &fTiempo, QString &fsZona)
{
    icalparameter *tzid = icalproperty_get_first_parameter(rPropiedad, ICAL_TZID_PARAMETER);
    if (tzid && !fTiempo.zone && !fTiempo.is_date) {
        const char *nombre = icalparameter_get_tzid(tzid);
        icaltimezone *zona = icaltimezone_get_builtin_timezone_from_tzid(nombre);
        if (!zona)
            zona = icaltimezone_get_builtin_timezone(nombre);
        if (!zona) {
            fsZona = QString::fromUtf8(nombre);
            return false;
        }
        fTiempo = icaltime_set_timezone(&fTiempo, zona);
    }
    return true;
}

QString Dias_Semana(const QVector<int> &rDias)
{
    // libical counts 1 = Sunday .. 7 = Saturday; Kestrin 1 = Monday .. 7 = Sunday.
    QString r;
    for (int d = 1; d <= 7; ++d)
        for (int v : rDias)
            if ((icalrecurrencetype_day_day_of_week(short(v)) + 5) % 7 + 1 == d && !r.contains(QChar(u'0' + d)))
                r += QChar(u'0' + char16_t(d));
    return r;
}

QString Lista_Comas(const QVector<int> &rNumeros)
{
    QVector<int> v = rNumeros;
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    QString r = QStringLiteral(",");
    for (int n : v)
        r += Numero_Con_Ceros(n, 2) + QLatin1Char(',');
    return r;
}

// The times of day of an hourly reminder: a range when they step evenly, else a list.
bool Poner_Horas(TTipoTarea &t, QVector<int> aHoras, int riMinuto, int riPaso, int riLenguaje, QString &fsMotivo)
{
    std::sort(aHoras.begin(), aHoras.end());
    aHoras.erase(std::unique(aHoras.begin(), aHoras.end()), aHoras.end());
    if (aHoras.size() > kMaxHorasDia) {
        fsMotivo = Texto_ICal(TTextoICal::DemasiadasHoras, riLenguaje);
        return false;
    }
    t.tiTareaTipo = TAREA_CADA_HORA;
    t.tdFechaInicio = Solo_Fecha(t.tdFechaInicio) + 0.5; // the editor keeps noon as the start's time
    const auto hhmm = [riMinuto](int h) { return Numero_Con_Ceros(h, 2) + QLatin1Char(':') + Numero_Con_Ceros(riMinuto, 2); };
    bool parejo = riPaso >= 1;
    for (qsizetype i = 1; i < aHoras.size() && parejo; ++i)
        parejo = aHoras[i] - aHoras[i - 1] == riPaso;
    if (parejo) {
        t.tiRangoHoras = 1;
        t.tsRangoHoraInicio = hhmm(aHoras.first());
        t.tsRangoHoraFin = hhmm(aHoras.last());
        t.tiRangoCadaHora = riPaso;
    } else {
        t.tiRangoHoras = 2;
        t.tsHorasLista = Lista_Horas_AMPM(aHoras, riMinuto);
    }
    return true;
}

bool Regla_a_Tarea(const icalrecurrencetype &r, const icaltimetype &rInicio, int riLenguaje, TTipoTarea &t,
                   QString &fsMotivo)
{
    const auto no = [&](TTextoICal rQue, const QString &rsArg = QString()) {
        fsMotivo = rsArg.isNull() ? Texto_ICal(rQue, riLenguaje) : Texto_ICal(rQue, riLenguaje).arg(rsArg);
        return false;
    };
    const int frecuencia = r.freq;
    if (frecuencia == ICAL_SECONDLY_RECURRENCE || frecuencia == ICAL_MINUTELY_RECURRENCE)
        return no(TTextoICal::CadaMinuto);
    if (r.count > 0)
        return no(TTextoICal::Cuenta);
    if (!Valores(r.by_set_pos).isEmpty())
        return no(TTextoICal::PosicionEnSerie);
    if (!Valores(r.by_week_no).isEmpty())
        return no(TTextoICal::ParteDeRegla, QStringLiteral("BYWEEKNO"));
    if (!Valores(r.by_year_day).isEmpty())
        return no(TTextoICal::ParteDeRegla, QStringLiteral("BYYEARDAY"));
    if (!Valores(r.by_second).isEmpty())
        return no(TTextoICal::ParteDeRegla, QStringLiteral("BYSECOND"));
    const QVector<int> dias = Valores(r.by_day);
    for (int d : dias)
        if (icalrecurrencetype_day_position(short(d)) != 0) {
            char *texto = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype *>(&r));
            QString parte = QString::fromUtf8(texto).section(QStringLiteral("BYDAY="), 1).section(QLatin1Char(';'), 0, 0);
            icalmemory_free_buffer(texto);
            return no(TTextoICal::DiaNumerado, parte);
        }
    const int intervalo = std::max<int>(1, r.interval);
    if (intervalo > 1 && frecuencia != ICAL_HOURLY_RECURRENCE) {
        fsMotivo = Texto_ICal(TTextoICal::Intervalo, riLenguaje)
                       .arg(Palabra_Frecuencia(frecuencia, riLenguaje))
                       .arg(intervalo)
                       .arg(Unidad_Frecuencia(frecuencia, riLenguaje));
        return false;
    }
    QVector<int> meses;
    for (int m : Valores(r.by_month))
        meses << icalrecurrencetype_month_month(short(m));
    const QVector<int> diasMes = Valores(r.by_month_day);
    const QVector<int> horas = Valores(r.by_hour);
    const QVector<int> minutos = Valores(r.by_minute);
    if (minutos.size() > 1 && !horas.isEmpty() && frecuencia != ICAL_HOURLY_RECURRENCE)
        return no(TTextoICal::ParteDeRegla, QStringLiteral("BYMINUTE"));

    // Until: the end's moment in local time; an UNTIL date includes its whole day.
    if (!icaltime_is_null_time(r.until)) {
        icaltimetype hasta = r.until;
        if (!hasta.zone && !icaltime_is_utc(hasta) && !hasta.is_date)
            hasta.zone = rInicio.zone; // a floating UNTIL is read in the start's zone
        t.tiSiempreRepetirHasta = 1;
        t.tdFechaFin = ICal_a_Dias(hasta, true);
    }
    t.tsDiasSemana = Dias_Semana(dias);
    const QString todosLosDias = QStringLiteral("1234567");

    switch (frecuencia) {
    case ICAL_HOURLY_RECURRENCE: {
        if (24 % intervalo != 0) {
            fsMotivo = Texto_ICal(TTextoICal::PasoHorario, riLenguaje).arg(intervalo);
            return false;
        }
        if (!meses.isEmpty() || !diasMes.isEmpty())
            return no(TTextoICal::ParteDeRegla, meses.isEmpty() ? QStringLiteral("BYMONTHDAY") : QStringLiteral("BYMONTH"));
        if (minutos.size() > 1)
            return no(TTextoICal::ParteDeRegla, QStringLiteral("BYMINUTE"));
        // The hours the rule reaches from the start, limited by BYHOUR.
        QVector<int> alcanzadas;
        for (int h = rInicio.hour % intervalo; h < 24; h += intervalo)
            if (horas.isEmpty() || horas.contains(h))
                alcanzadas << h;
        if (t.tsDiasSemana.isEmpty())
            t.tsDiasSemana = todosLosDias;
        return Poner_Horas(t, alcanzadas, minutos.isEmpty() ? rInicio.minute : minutos.first(), intervalo, riLenguaje,
                           fsMotivo);
    }
    case ICAL_DAILY_RECURRENCE:
    case ICAL_WEEKLY_RECURRENCE: {
        if (!meses.isEmpty() || !diasMes.isEmpty())
            return no(TTextoICal::ParteDeRegla, meses.isEmpty() ? QStringLiteral("BYMONTHDAY") : QStringLiteral("BYMONTH"));
        if (frecuencia == ICAL_WEEKLY_RECURRENCE && t.tsDiasSemana.isEmpty())
            t.tsDiasSemana = QString(QChar(u'0' + char16_t(Dia_De_La_Semana(t.tdFechaInicio))));
        if (!horas.isEmpty() || !minutos.isEmpty()) {
            if (t.tsDiasSemana.isEmpty())
                t.tsDiasSemana = todosLosDias;
            return Poner_Horas(t, horas.isEmpty() ? QVector<int>{rInicio.hour} : horas,
                               minutos.isEmpty() ? rInicio.minute : minutos.first(), 0, riLenguaje, fsMotivo);
        }
        t.tiTareaTipo = t.tsDiasSemana.isEmpty() ? TAREA_DIARIA : TAREA_SEMANAL;
        return true;
    }
    case ICAL_MONTHLY_RECURRENCE:
    case ICAL_YEARLY_RECURRENCE: {
        if (!dias.isEmpty())
            return no(TTextoICal::ParteDeRegla, QStringLiteral("BYDAY"));
        if (!horas.isEmpty() || !minutos.isEmpty())
            return no(TTextoICal::ParteDeRegla, horas.isEmpty() ? QStringLiteral("BYMINUTE") : QStringLiteral("BYHOUR"));
        const QDate inicio = Dias_a_Fecha(t.tdFechaInicio);
        // Yearly on the start's own day (not 29 February, which Kestrin's yearly type
        // moves to the 28th in common years) is the yearly type.
        const bool anualSimple = frecuencia == ICAL_YEARLY_RECURRENCE && diasMes.isEmpty() &&
                                 (meses.isEmpty() || meses == QVector<int>{inicio.month()}) &&
                                 !(inicio.month() == 2 && inicio.day() == 29);
        if (anualSimple) {
            t.tiTareaTipo = TAREA_ANUAL;
            return true;
        }
        if (t.tiSiempreRepetirHasta == 1)
            return no(TTextoICal::HastaMensual);
        QVector<int> dm;
        for (int d : diasMes.isEmpty() ? QVector<int>{inicio.day()} : diasMes) {
            if (d == -1)
                dm << 32;
            else if (d >= 1 && d <= 31)
                dm << d;
            else
                return no(TTextoICal::ParteDeRegla, QStringLiteral("BYMONTHDAY=%1").arg(d));
        }
        QVector<int> m = meses;
        if (m.isEmpty()) {
            if (frecuencia == ICAL_YEARLY_RECURRENCE)
                m << inicio.month();
            else
                for (int i = 1; i <= 12; ++i)
                    m << i;
        }
        t.tiTareaTipo = TAREA_MENSUAL;
        t.tsMeses = Lista_Comas(m);
        t.tsDias = Lista_Comas(dm);
        t.tsDiasSemana.clear();
        return true;
    }
    default:
        return no(TTextoICal::CadaMinuto);
    }
}

} // namespace

bool Evento_a_Tarea(icalcomponent *rEvento, int riLenguaje, TTipoTarea &t, QString &fsMotivo)
{
    const bool pendiente = icalcomponent_isa(rEvento) == ICAL_VTODO_COMPONENT;
    const char *resumen = icalcomponent_get_summary(rEvento);
    const char *descripcion = icalcomponent_get_description(rEvento);
    t.tsTaskName = QString::fromUtf8(resumen ? resumen : "");
    t.tsMensaje = QString::fromUtf8(descripcion ? descripcion : "")
                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                      .replace(QLatin1Char('\n'), QStringLiteral("\r\n"));

    const icalproperty_status estado = icalcomponent_get_status(rEvento);
    if (estado == ICAL_STATUS_CANCELLED) {
        fsMotivo = Texto_ICal(TTextoICal::Cancelado, riLenguaje);
        return false;
    }
    if (pendiente && estado == ICAL_STATUS_COMPLETED) {
        fsMotivo = Texto_ICal(TTextoICal::Completado, riLenguaje);
        return false;
    }
    if (icalcomponent_get_first_property(rEvento, ICAL_RECURRENCEID_PROPERTY)) {
        fsMotivo = Texto_ICal(TTextoICal::OcurrenciaCambiada, riLenguaje);
        return false;
    }
    icalproperty *propInicio =
        icalcomponent_get_first_property(rEvento, pendiente ? ICAL_DUE_PROPERTY : ICAL_DTSTART_PROPERTY);
    if (!propInicio) {
        fsMotivo = Texto_ICal(pendiente ? TTextoICal::PendienteSinFecha : TTextoICal::SinInicio, riLenguaje);
        return false;
    }
    icaltimetype inicio = pendiente ? icalcomponent_get_due(rEvento) : icalcomponent_get_dtstart(rEvento);
    QString zona;
    if (!Tiempo_Con_Zona(propInicio, inicio, zona)) {
        fsMotivo = Texto_ICal(TTextoICal::ZonaDesconocida, riLenguaje).arg(zona);
        return false;
    }
    t.tdFechaInicio = ICal_a_Dias(inicio);
    if (t.tdFechaInicio == 0) {
        fsMotivo = Texto_ICal(TTextoICal::SinInicio, riLenguaje);
        return false;
    }
    if (icalcomponent_get_first_property(rEvento, ICAL_EXDATE_PROPERTY)) {
        fsMotivo = Texto_ICal(TTextoICal::FechasExcluidas, riLenguaje);
        return false;
    }
    if (icalcomponent_get_first_property(rEvento, ICAL_RDATE_PROPERTY)) {
        fsMotivo = Texto_ICal(TTextoICal::FechasExtra, riLenguaje);
        return false;
    }
    if (icalcomponent_get_first_property(rEvento, ICAL_EXRULE_PROPERTY)) {
        fsMotivo = Texto_ICal(TTextoICal::ParteDeRegla, riLenguaje).arg(QStringLiteral("EXRULE"));
        return false;
    }
    icalproperty *regla = icalcomponent_get_first_property(rEvento, ICAL_RRULE_PROPERTY);
    if (!regla) {
        t.tiTareaTipo = TAREA_UNA_VEZ;
        return true;
    }
    if (icalcomponent_get_next_property(rEvento, ICAL_RRULE_PROPERTY)) {
        fsMotivo = Texto_ICal(TTextoICal::VariasReglas, riLenguaje);
        return false;
    }
    return Regla_a_Tarea(icalproperty_get_rrule(regla), inicio, riLenguaje, t, fsMotivo);
}
