#include "notificacion.h"

#include "alerts/menupopup.h"
#include "alerts/snooze.h"

QString Caption_Posponer_Notificacion(int riSnoozeDefault, int riLenguaje)
{
    const QVector<TOpcionPosponer> opciones = Opciones_Posponer(riLenguaje);
    int indice = Indice_Opcion_Posponer(opciones, riSnoozeDefault);
    if (indice < 0)
        indice = Indice_Opcion_Posponer(opciones, 10);
    return opciones.at(indice).psCaption;
}

TNotificacion Armar_Notificacion(const TDatosNotificacion &rDatos)
{
    TNotificacion n;
    n.psAplicacion = QStringLiteral("Kestrin");
    n.psIcono = QStringLiteral("org.kestrin.Kestrin");
    n.psResumen = rDatos.psNombre;
    QString cuerpo = rDatos.psMensaje;
    cuerpo.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    // Where the service reads markup, "<", ">" and "&" of a message are text, not tags.
    n.psCuerpo = rDatos.pbMarcado ? cuerpo.toHtmlEscaped() : cuerpo;

    n.paAcciones << QLatin1String(ACCION_NOTIFICACION_POSPONER)
                 << Caption_Posponer_Notificacion(rDatos.piSnoozeDefault, rDatos.piLenguaje)
                 << QLatin1String(ACCION_NOTIFICACION_ABRIR)
                 << Texto_Menu_Popup(TTextoMenuPopup::Abrir, rDatos.piLenguaje);
    if (rDatos.pbConSonido)
        n.paAcciones << QLatin1String(ACCION_NOTIFICACION_SILENCIO)
                     << Texto_Menu_Popup(TTextoMenuPopup::Silencio, rDatos.piLenguaje);

    n.pPistas.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.kestrin.Kestrin"));
    // Urgency: 1 normal, 2 critical (stays until the user closes it, as a permanent popup).
    n.pPistas.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(rDatos.pbPermanente ? 2 : 1)));
    // Kestrin plays the reminder's own sound; the service adds none of its own then.
    if (rDatos.pbConSonido)
        n.pPistas.insert(QStringLiteral("suppress-sound"), true);
    n.pImagen = rDatos.pImagen;
    n.piExpiraMs = rDatos.pbPermanente ? 0 : std::max(1, rDatos.piSegundos) * 1000;
    return n;
}
