#include "icalexport.h"

#include "icalrecord.h"
#include "icaltexts.h"
#include "scheduler/nextrun.h"
#include "store/daycount.h"
#include "store/textforms.h"

#include <QFileInfo>
#include <QMap>
#include <QUrl>

namespace {

const char *const kDias[] = {"", "MO", "TU", "WE", "TH", "FR", "SA", "SU"};

QByteArray Texto_Hasta(const TTipoTarea &rTarea, const TZonaICal &rZona)
{
    if (rTarea.tiSiempreRepetirHasta != 1)
        return {};
    return QByteArray(";UNTIL=") + icaltime_as_ical_string(Dias_a_ICal_Hasta(rTarea.tdFechaFin, rZona));
}

QByteArray Texto_Dias_Semana(const QString &rsDias)
{
    QByteArray r;
    for (int d = 1; d <= 7; ++d)
        if (rsDias.contains(QChar(u'0' + char16_t(d))))
            r += (r.isEmpty() ? "" : ",") + QByteArray(kDias[d]);
    return r;
}

// The numbers 1..riMaximo listed as ",NN," in rsLista; 32 in a day list is the last day (-1).
QByteArray Lista_Numeros(const QString &rsLista, int riMaximo, bool rbUltimo)
{
    bool hay[33];
    Numeros_De_Lista(rsLista, hay, 32);
    QByteArray r;
    for (int n = 1; n <= riMaximo; ++n)
        if (hay[n])
            r += (r.isEmpty() ? "" : ",") + QByteArray::number(n);
    if (rbUltimo && hay[32])
        r += (r.isEmpty() ? "" : ",") + QByteArray("-1");
    return r;
}

// The first run of a schedule, from its start on, without a snooze: what DTSTART must be
// for the RRULE to begin where Kestrin begins. 0 when it never runs.
double Primera_Ejecucion(TTipoTarea t, double rdDesde)
{
    t.tdSnoozeRun = 0;
    return Calcular_Proxima_Ejecucion(t, rdDesde, 0);
}

struct TEvento {
    double dInicio = 0;   // DTSTART
    QByteArray sRegla;    // RRULE, empty for none
    bool bNunca = false;  // the schedule has no run at all: DTSTART is excluded again
};

// The events of an hourly reminder: one per minute that its times share.
QVector<TEvento> Eventos_Horarios(const TTipoTarea &t, const TZonaICal &rZona)
{
    QMap<int, QVector<int>> horasPorMinuto; // minute -> hours, in the order first met
    QVector<int> minutos;
    for (double entrada : Horas_Candidatas(t)) {
        if (entrada == 0)
            break;
        const QTime hora = Dias_a_Hora(entrada);
        if (!horasPorMinuto.contains(hora.minute()))
            minutos << hora.minute();
        if (!horasPorMinuto[hora.minute()].contains(hora.hour()))
            horasPorMinuto[hora.minute()] << hora.hour();
    }
    const int paso = t.tiRangoCadaHora;
    QVector<TEvento> eventos;
    for (int minuto : minutos) {
        QVector<int> horas = horasPorMinuto[minuto];
        std::sort(horas.begin(), horas.end());
        TTipoTarea grupo = t;
        grupo.tiRangoHoras = 2;
        grupo.tsHorasLista = Lista_Horas_AMPM(horas, minuto);
        TEvento e;
        e.dInicio = Primera_Ejecucion(grupo, Solo_Fecha(t.tdFechaInicio));
        if (e.dInicio == 0)
            continue;
        QByteArray porHora;
        for (int h : horas)
            porHora += (porHora.isEmpty() ? "" : ",") + QByteArray::number(h);
        // An hourly step that does not divide the day would drift from one day to the next.
        if (t.tiRangoHoras == 1 && paso >= 1 && 24 % paso == 0)
            e.sRegla = "FREQ=HOURLY" + (paso > 1 ? ";INTERVAL=" + QByteArray::number(paso) : QByteArray()) +
                       ";BYHOUR=" + porHora;
        else
            e.sRegla = "FREQ=DAILY;BYHOUR=" + porHora + ";BYMINUTE=" + QByteArray::number(minuto);
        e.sRegla += ";BYDAY=" + Texto_Dias_Semana(t.tsDiasSemana) + Texto_Hasta(t, rZona);
        eventos << e;
    }
    return eventos;
}

QVector<TEvento> Eventos_Tarea(const TTipoTarea &t, const TZonaICal &rZona)
{
    TEvento e;
    e.dInicio = t.tdFechaInicio;
    const bool terminaAntes = t.tiSiempreRepetirHasta == 1 &&
                              Dias_a_Milisegundos(t.tdFechaFin) < Dias_a_Milisegundos(t.tdFechaInicio);
    switch (t.tiTareaTipo) {
    case TAREA_UNA_VEZ:
        break;
    case TAREA_DIARIA:
    case TAREA_ANUAL: {
        // A start after the end still runs once, at the start.
        if (terminaAntes)
            break;
        const QDate fecha = Dias_a_Fecha(t.tdFechaInicio);
        if (t.tiTareaTipo == TAREA_DIARIA)
            e.sRegla = "FREQ=DAILY";
        else if (fecha.month() == 2 && fecha.day() == 29)
            e.sRegla = "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1"; // 28 February in common years
        else
            e.sRegla = "FREQ=YEARLY";
        e.sRegla += Texto_Hasta(t, rZona);
        break;
    }
    case TAREA_SEMANAL:
        e.dInicio = Primera_Ejecucion(t, t.tdFechaInicio);
        e.sRegla = "FREQ=WEEKLY;BYDAY=" + Texto_Dias_Semana(t.tsDiasSemana) + Texto_Hasta(t, rZona);
        break;
    case TAREA_MENSUAL: {
        e.dInicio = Primera_Ejecucion(t, t.tdFechaInicio);
        e.sRegla = "FREQ=MONTHLY;BYMONTH=" + Lista_Numeros(t.tsMeses, 12, false) +
                   ";BYMONTHDAY=" + Lista_Numeros(t.tsDias, 31, true);
        break;
    }
    case TAREA_CADA_HORA: {
        QVector<TEvento> eventos = Eventos_Horarios(t, rZona);
        if (!eventos.isEmpty())
            return eventos;
        e.dInicio = 0;
        break;
    }
    default: // when the computer starts: no calendar form; the creation time stands in
        e.dInicio = t.tdFechaCreacion;
        break;
    }
    if (e.dInicio == 0) {
        e.dInicio = t.tdFechaInicio != 0 ? t.tdFechaInicio : t.tdFechaCreacion;
        e.sRegla.clear();
        e.bNunca = true;
    }
    return {e};
}

icalcomponent *Alarma(icalproperty_action rAccion, const QString &rsTexto, const QString &rsSonido)
{
    icalcomponent *a = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(a, icalproperty_new_action(rAccion));
    icaltriggertype disparo;
    disparo.time = icaltime_null_time();
    disparo.duration = icaldurationtype_null_duration();
    icalcomponent_add_property(a, icalproperty_new_trigger(disparo));
    if (rAccion == ICAL_ACTION_DISPLAY)
        icalcomponent_add_property(a, icalproperty_new_description(rsTexto.toUtf8().constData()));
    else {
        icalattach *adjunto = icalattach_new_from_url(QUrl::fromLocalFile(rsSonido).toEncoded().constData());
        icalcomponent_add_property(a, icalproperty_new_attach(adjunto));
        icalattach_unref(adjunto);
    }
    return a;
}

icalcomponent *Nuevo_Evento(const TTipoTarea &t, const TEvento &e, const QString &rsUid, const TZonaICal &rZona,
                            const icaltimetype &rSello)
{
    icalcomponent *ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(ev, icalproperty_new_uid(rsUid.toUtf8().constData()));
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(rSello));
    icalproperty *inicio = icalproperty_new_dtstart(Dias_a_ICal(e.dInicio, rZona));
    if (rZona.pZona && !rZona.bUtc)
        icalproperty_add_parameter(inicio, icalparameter_new_tzid(icaltimezone_get_tzid(rZona.pZona)));
    icalcomponent_add_property(ev, inicio);
    if (!e.sRegla.isEmpty())
        icalcomponent_add_property(ev, icalproperty_new_rrule(icalrecurrencetype_from_string(e.sRegla.constData())));
    if (e.bNunca) {
        icalproperty *excluida = icalproperty_new_exdate(Dias_a_ICal(e.dInicio, rZona));
        if (rZona.pZona && !rZona.bUtc)
            icalproperty_add_parameter(excluida, icalparameter_new_tzid(icaltimezone_get_tzid(rZona.pZona)));
        icalcomponent_add_property(ev, excluida);
    }
    if (!t.tsTaskName.isEmpty())
        icalcomponent_add_property(ev, icalproperty_new_summary(t.tsTaskName.toUtf8().constData()));
    const QString mensaje = QString(t.tsMensaje).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!mensaje.isEmpty())
        icalcomponent_add_property(ev, icalproperty_new_description(mensaje.toUtf8().constData()));
    const QString aviso = !mensaje.isEmpty() ? mensaje : !t.tsTaskName.isEmpty() ? t.tsTaskName : QStringLiteral("Kestrin");
    icalcomponent_add_component(ev, Alarma(ICAL_ACTION_DISPLAY, aviso, {}));
    if (t.tiTocarSonido == 1 && t.tsPathDelSonido != QLatin1String("0") && !t.tsPathDelSonido.isEmpty())
        icalcomponent_add_component(ev, Alarma(ICAL_ACTION_AUDIO, {}, t.tsPathDelSonido));
    return ev;
}

} // namespace

TExportacionICal Exportar_ICal(const QVector<TTipoTarea> &rTareas, const TZonaICal &rZona, double rdAhora,
                               int riLenguaje, const TUidsPorArchivo &rUids)
{
    TExportacionICal r;
    icalcomponent *cal = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
    icalcomponent_add_property(cal, icalproperty_new_prodid("-//Kestrin//Kestrin 1.6//EN"));
    icalcomponent_add_property(cal, icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal, icalproperty_new_calscale("GREGORIAN"));
    icalproperty *nombre = icalproperty_new_x(Texto_ICal(TTextoICal::NombreCalendario, riLenguaje).toUtf8().constData());
    icalproperty_set_x_name(nombre, "X-WR-CALNAME");
    icalcomponent_add_property(cal, nombre);
    if (rZona.pZona && !rZona.bUtc)
        icalcomponent_add_component(cal, icalcomponent_new_clone(icaltimezone_get_component(rZona.pZona)));
    // Each event is written by libical and freed at once, and the texts are joined inside
    // the calendar's: one tree of ten thousand events costs far more time and memory.
    const auto texto = [](icalcomponent *c) {
        char *t = icalcomponent_as_ical_string_r(c);
        QByteArray r(t);
        icalmemory_free_buffer(t);
        return r;
    };
    QByteArray calendario = texto(cal);
    icalcomponent_free(cal);
    const QByteArray fin = "END:VCALENDAR\r\n";
    Q_ASSERT(calendario.endsWith(fin));
    r.sDatos = calendario.left(calendario.size() - fin.size());

    icaltimetype sello = icaltime_from_timet_with_zone(
        time_t(Dias_a_DateTime(rdAhora).toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone());
    for (const TTipoTarea &t : rTareas) {
        const QString uid = rUids.value(QFileInfo(t.tsFile).fileName(), Uid_Tarea(t));
        const QVector<TEvento> eventos = Eventos_Tarea(t, rZona);
        for (qsizetype i = 0; i < eventos.size(); ++i) {
            const QString uidParte = i == 0 ? uid : uid + QStringLiteral("-part") + QString::number(i + 1);
            icalcomponent *ev = Nuevo_Evento(t, eventos[i], uidParte, rZona, sello);
            if (i == 0) {
                Agregar_Registro_Kestrin(ev, t);
            } else {
                icalcomponent_add_property(ev, icalproperty_new_relatedto(uid.toUtf8().constData()));
                icalproperty *parte = icalproperty_new_x(QByteArray::number(i + 1).constData());
                icalproperty_set_x_name(parte, kPropiedadParte);
                icalcomponent_add_property(ev, parte);
            }
            r.sDatos += texto(ev);
            icalcomponent_free(ev);
            ++r.iEventos;
        }
        if (t.tiTareaTipo == TAREA_AL_INICIAR)
            r.aNotas << Texto_ICal(TTextoICal::NotaAlIniciar, riLenguaje).arg(t.tsTaskName);
        ++r.iTareas;
    }
    r.sDatos += fin;
    return r;
}
