#include "settings/sitioweb.h"

#include "sitioweb_config.h"

#include <QLocale>

QString Direccion_Sitio_Web()
{
    QString base = qEnvironmentVariable("KESTRIN_WEBSITE").trimmed();
    if (base.isEmpty())
        base = QStringLiteral(KESTRIN_SITIO_WEB);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}

QString URL_Pagina_Principal(int riLenguaje)
{
    return Direccion_Sitio_Web() + (riLenguaje == 1 ? QStringLiteral("es/") : QString());
}

QString URL_Pagina_IPhone(int riLenguaje)
{
    return Direccion_Sitio_Web() + (riLenguaje == 1 ? QStringLiteral("es/mac/index.html") : QStringLiteral("mac/index.html"));
}

QString URL_Pagina_Descarga(int riLenguaje)
{
    return Direccion_Sitio_Web() + (riLenguaje == 1 ? QStringLiteral("es/descargar.html") : QStringLiteral("download.html"));
}

QString Correo_Soporte(int riLenguaje)
{
    return riLenguaje == 1 ? QStringLiteral(KESTRIN_CORREO_SOPORTE_ES) : QStringLiteral(KESTRIN_CORREO_SOPORTE);
}

QString URL_Correo(int riLenguaje)
{
    return QStringLiteral("mailto:") + Correo_Soporte(riLenguaje) + QStringLiteral("?subject=&body=");
}

QString Dias_En_Formato_General(double rdDias)
{
    // QString::number never uses the locale, so "." is guaranteed.
    return QString::number(rdDias, 'g', 15);
}

QString URL_Buscar_Actualizaciones(double rdAhora)
{
    return Direccion_Sitio_Web() + QStringLiteral("checkforupdates.php?time=") + Dias_En_Formato_General(rdAhora)
           + QStringLiteral("&s=Full&v=") + QLatin1String(VERSION_KESTRIN);
}
