#include "notificacionesalertas.h"

TNotificacionesAlertas::TNotificacionesAlertas(TAccionesNotificacion rAcciones, QObject *rParent)
    : QObject(rParent), pAcciones(std::move(rAcciones))
{
    connect(&pNotificador, &TNotificador::Accion, this, &TNotificacionesAlertas::Accion);
    connect(&pNotificador, &TNotificador::Cerrada, this, [this](uint riId, uint) { Cerrada(riId); });
}

TNotificacionesAlertas::~TNotificacionesAlertas()
{
    // A service that does not answer one would not answer the next: the end is not held up.
    for (auto i = paAbiertas.cbegin(); i != paAbiertas.cend(); ++i)
        if (!pNotificador.Cerrar(i.key()))
            break;
}

void TNotificacionesAlertas::Mostrar(TDatosNotificacion rDatos, const QString &rsArchivo,
                                     std::function<void(const QString &)> rResultado)
{
    pNotificador.Capacidades([this, rDatos, rsArchivo, rResultado](const QStringList &raCapacidades,
                                                                   const QString &rsFalla) mutable {
        if (!rsFalla.isEmpty()) {
            rResultado(rsFalla);
            return;
        }
        if (!raCapacidades.contains(QLatin1String("actions"))) {
            rResultado(QStringLiteral("the notification service shows no actions"));
            return;
        }
        rDatos.pbMarcado = raCapacidades.contains(QLatin1String("body-markup"));
        const TNotificacion notificacion = Armar_Notificacion(rDatos);
        const QString caption = notificacion.paAcciones.value(1);
        pNotificador.Mostrar(notificacion, [this, rsArchivo, caption, rResultado](uint riId, const QString &rsFallaMostrar) {
            if (riId != 0)
                paAbiertas.insert(riId, TAbierta{rsArchivo, caption});
            rResultado(rsFallaMostrar);
        });
    });
}

void TNotificacionesAlertas::Accion(uint riId, const QString &rsClave)
{
    const auto abierta = paAbiertas.constFind(riId);
    if (abierta == paAbiertas.cend())
        return;
    const TAbierta copia = *abierta; // an action may run the event loop (a box)
    if (rsClave == QLatin1String(ACCION_NOTIFICACION_POSPONER)) {
        if (pAcciones.Posponer)
            pAcciones.Posponer(copia.psCaptionPosponer, copia.psArchivo);
    } else if (rsClave == QLatin1String(ACCION_NOTIFICACION_ABRIR)) {
        if (pAcciones.Abrir)
            pAcciones.Abrir();
    } else if (rsClave == QLatin1String(ACCION_NOTIFICACION_SILENCIO)) {
        if (pAcciones.Silenciar)
            pAcciones.Silenciar();
    }
}

void TNotificacionesAlertas::Cerrada(uint riId)
{
    if (!paAbiertas.remove(riId))
        return;
    if (pAcciones.Cerrada)
        pAcciones.Cerrada();
}
