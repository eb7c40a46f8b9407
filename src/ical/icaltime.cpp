#include "icaltime.h"

#include "store/daycount.h"
#include "store/textforms.h"

#include <QDateTime>
#include <QTimeZone>

TZonaICal Zona_Sistema_ICal()
{
    TZonaICal z;
    const QByteArray id = QTimeZone::systemTimeZoneId();
    if (id == "UTC" || id == "Etc/UTC" || id == "Universal" || id == "Zulu") {
        z.pZona = icaltimezone_get_utc_timezone();
        z.bUtc = true;
        z.sNombre = QStringLiteral("UTC");
        return z;
    }
    if (!id.isEmpty() && id.contains('/')) {
        z.pZona = icaltimezone_get_builtin_timezone(id.constData());
        if (z.pZona)
            z.sNombre = QString::fromLatin1(id);
    }
    return z;
}

icaltimetype Dias_a_ICal(double rdDias, const TZonaICal &rZona)
{
    const QDate fecha = Dias_a_Fecha(rdDias);
    const QTime hora = Dias_a_Hora(rdDias);
    icaltimetype t = icaltime_null_time();
    t.year = fecha.year();
    t.month = fecha.month();
    t.day = fecha.day();
    t.hour = hora.hour();
    t.minute = hora.minute();
    t.second = hora.second();
    t.is_date = 0;
    t.zone = rZona.pZona;
    return t;
}

icaltimetype Dias_a_ICal_Hasta(double rdDias, const TZonaICal &rZona)
{
    const icaltimetype t = Dias_a_ICal(rdDias, rZona);
    if (!rZona.pZona)
        return t;
    return icaltime_convert_to_zone(t, icaltimezone_get_utc_timezone());
}

QString Lista_Horas_AMPM(const QVector<int> &rHoras, int riMinuto)
{
    QStringList lista;
    for (int h : rHoras)
        lista << Convertir_Fecha_a_HHMM(Fecha_Hora_a_Dias(QDate(2000, 1, 1), QTime(h, riMinuto)), true);
    return lista.join(QLatin1Char(','));
}

double ICal_a_Dias(const icaltimetype &rT, bool rbFinDelDia)
{
    if (icaltime_is_null_time(rT) || !icaltime_is_valid_time(rT))
        return 0;
    if (rT.is_date) {
        const QDate fecha(rT.year, rT.month, rT.day);
        return fecha.isValid() ? Fecha_Hora_a_Dias(fecha, rbFinDelDia ? QTime(23, 59, 59) : QTime(0, 0)) : 0;
    }
    const icaltimezone *zona = rT.zone;
    if (!zona && icaltime_is_utc(rT))
        zona = icaltimezone_get_utc_timezone();
    if (!zona) {
        const QDate fecha(rT.year, rT.month, rT.day);
        const QTime hora(rT.hour, rT.minute, rT.second);
        return fecha.isValid() && hora.isValid() ? Fecha_Hora_a_Dias(fecha, hora) : 0;
    }
    const time_t segundos = icaltime_as_timet_with_zone(rT, zona);
    return DateTime_a_Dias(QDateTime::fromSecsSinceEpoch(qint64(segundos)).toLocalTime());
}
