#include "snooze.h"

#include "store/textforms.h"

#include <algorithm>
#include <limits>

namespace {
const int aiMinutos[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 30, 40, 50, 60};

int Minutos_Por_Unidad(TUnidadPosponer rUnidad)
{
    switch (rUnidad) {
    case TUnidadPosponer::Horas: return 60;
    case TUnidadPosponer::Dias: return 1440;
    case TUnidadPosponer::Minutos: break;
    }
    return 1;
}
} // namespace

QString Caption_Posponer(int riCantidad, TUnidadPosponer rUnidad, int riLenguaje)
{
    const bool espanol = riLenguaje == 1;
    const bool uno = riCantidad == 1;
    QString unidad;
    switch (rUnidad) {
    case TUnidadPosponer::Minutos:
        unidad = espanol ? (uno ? QStringLiteral("Minuto") : QStringLiteral("Minutos"))
                         : (uno ? QStringLiteral("Minute") : QStringLiteral("Minutes"));
        break;
    case TUnidadPosponer::Horas:
        unidad = espanol ? (uno ? QStringLiteral("Hora") : QStringLiteral("Horas"))
                         : (uno ? QStringLiteral("Hour") : QStringLiteral("Hours"));
        break;
    case TUnidadPosponer::Dias:
        unidad = espanol ? (uno ? QStringLiteral("Día") : QStringLiteral("Días"))
                         : (uno ? QStringLiteral("Day") : QStringLiteral("Days"));
        break;
    }
    return (espanol ? QStringLiteral("Posponer") : QStringLiteral("Snooze")) + u' ' + QString::number(riCantidad)
         + u' ' + unidad;
}

QVector<TOpcionPosponer> Opciones_Posponer(int riLenguaje)
{
    QVector<TOpcionPosponer> opciones;
    auto agregar = [&](TUnidadPosponer rUnidad, int riCantidad) {
        opciones.append({rUnidad, riCantidad, riCantidad * Minutos_Por_Unidad(rUnidad),
                         Caption_Posponer(riCantidad, rUnidad, riLenguaje)});
    };
    for (int minutos : aiMinutos)
        agregar(TUnidadPosponer::Minutos, minutos);
    for (int horas = 1; horas <= 10; ++horas)
        agregar(TUnidadPosponer::Horas, horas);
    for (int dias = 1; dias <= 14; ++dias)
        agregar(TUnidadPosponer::Dias, dias);
    return opciones;
}

int Indice_Opcion_Posponer(const QVector<TOpcionPosponer> &rOpciones, int riMinutos)
{
    for (int i = 0; i < rOpciones.size(); ++i)
        if (rOpciones[i].piMinutos == riMinutos)
            return i;
    return -1;
}

int Minutos_De_Caption_Posponer(const QString &rsCaption)
{
    QString resto = rsCaption;
    resto.remove(u'&');
    Extraer_Cadena_Hasta_Signo(resto, u' ');
    const QString cuenta = Recortar(Extraer_Cadena_Hasta_Signo(resto, u' '));
    qint32 cantidad = 0;
    if (!Leer_Entero(cuenta, cantidad))
        return 5;
    qint64 minutos = cantidad;
    if (resto == u"Hour" || resto == u"Hours" || resto == u"Hora" || resto == u"Horas")
        minutos *= 60;
    else if (resto == u"Day" || resto == u"Days" || resto == u"Día" || resto == u"Días")
        minutos *= 1440;
    // Only our own captions reach here; a count too large for minutes is cut, not wrapped.
    return int(std::clamp<qint64>(minutos, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}
