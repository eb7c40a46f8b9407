#include "icalrecord.h"

#include "store/textforms.h"
#include "store/writer.h"

#include <QFileInfo>

QString Uid_Tarea(const TTipoTarea &rTarea)
{
    return QFileInfo(rTarea.tsFile).completeBaseName() + QLatin1Char('-') +
           Float_To_Str_Sin_Punto(rTarea.tdFechaCreacion) + QStringLiteral("@kestrin");
}

void Agregar_Registro_Kestrin(icalcomponent *fEvento, const TTipoTarea &rTarea)
{
    for (const QString &linea : Lineas_Archivo_Tarea(rTarea)) {
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        // An empty value is left out (iCalendar has no empty property); an absent key reads
        // back as empty.
        if (igual == linea.size() - 1)
            continue;
        icalproperty *p = icalproperty_new_x(linea.mid(igual + 1).toUtf8().constData());
        icalproperty_set_x_name(p, (QByteArray(kPrefijoKestrin) + linea.left(igual).toUpper().toLatin1()).constData());
        icalcomponent_add_property(fEvento, p);
    }
}

QStringList Lineas_Registro_Kestrin(icalcomponent *rEvento)
{
    QStringList lineas;
    const QByteArray prefijo(kPrefijoKestrin);
    for (icalproperty *p = icalcomponent_get_first_property(rEvento, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(rEvento, ICAL_X_PROPERTY)) {
        const QByteArray nombre = icalproperty_get_x_name(p);
        if (!nombre.startsWith(prefijo) || nombre == kPropiedadParte)
            continue;
        const char *valor = icalproperty_get_x(p);
        lineas << QString::fromLatin1(nombre.mid(prefijo.size())) + QLatin1Char('=') +
                      QString::fromUtf8(valor ? valor : "");
    }
    return lineas;
}

int Parte_Kestrin(icalcomponent *rEvento)
{
    for (icalproperty *p = icalcomponent_get_first_property(rEvento, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(rEvento, ICAL_X_PROPERTY))
        if (QByteArray(icalproperty_get_x_name(p)) == kPropiedadParte)
            return QByteArray(icalproperty_get_x(p)).toInt();
    return 0;
}
