#include "desktopalerts.h"

#include "alerts/desktopalert.h"
#include "alerts/kestrinicon.h"
#include "alerts/menupopup.h"
#include "alerts/notificacionesalertas.h"
#include "report/eventlog.h"
#include "alerts/snooze.h"
#include "platform/bus.h"
#include "report/messagebox.h"
#include "store/daycount.h"
#include "store/writer.h"
#include "texts/errortexts.h"
#include "texts/language.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include <exception>

QRect Area_Popups(const QRect &rDisponible, const QRect &rBandeja)
{
    QRect area = rDisponible;
    if (rBandeja.isValid() && area.intersects(rBandeja) && rBandeja.top() > area.top() + area.height() / 2)
        area.setBottom(rBandeja.top() - 1);
    return area;
}

QList<QPoint> Posiciones_Apiladas(const QRect &rArea, const QList<QSize> &rTamanos)
{
    QList<QPoint> posiciones;
    int base = rArea.bottom() + 1;
    for (const QSize &tamano : rTamanos) {
        base -= tamano.height();
        posiciones.append(QPoint(rArea.right() + 1 - tamano.width(), std::max(rArea.top(), base)));
    }
    return posiciones;
}

namespace {
const TConfiguracion &Configuracion_Alertas(const TContextoDesktopAlert &rContexto)
{
    static const TConfiguracion sPorDefecto;
    return rContexto.pConfiguracion ? *rContexto.pConfiguracion : sPorDefecto;
}

QIcon Icono_Alertas(const TContextoDesktopAlert &rContexto)
{
    return rContexto.pIcono.isNull() ? Icono_Kestrin() : rContexto.pIcono;
}
} // namespace

TDesktopAlerts::TDesktopAlerts(TReproductores &rReproductores, QObject *rParent)
    : QObject(rParent), pReproductores(rReproductores)
{
    pContexto.Ahora = [] { return ::Ahora(); };
}

TDesktopAlerts::~TDesktopAlerts()
{
    for (const TEntrada &entrada : std::as_const(paPopups))
        delete entrada.pPopup.data();
}

QList<TDesktopAlert *> TDesktopAlerts::Popups() const
{
    QList<TDesktopAlert *> lista;
    for (const TEntrada &entrada : paPopups)
        if (entrada.pPopup)
            lista.append(entrada.pPopup.data());
    return lista;
}

TDesktopAlert *TDesktopAlerts::Crear(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje,
                                     bool rbPrueba, std::function<void()> rAlCerrar)
{
    if (!QGuiApplication::primaryScreen())
        throw std::runtime_error("no screen to show the popup on");
    const TConfiguracion &config = Configuracion_Alertas(pContexto);
    TDatosDesktopAlert datos;
    datos.psTitulo = rsNombre;
    datos.psMensaje = rsMensaje;
    datos.psFuenteMensaje = config.psFontMensaje;
    datos.piDuracionMs = std::max(0, config.piDesktopAlertDuracion) * 1000;
    datos.pbPermanente = config.pbDesktopAlertPermanent && !rbPrueba;
    datos.pIcono = Icono_Alertas(pContexto);
    datos.piLenguaje = Lenguaje_Actual();

    QMenu *menu = Crear_Menu_Popup(rsArchivo, Lenguaje_Actual());
    if (rbPrueba)
        menu->setObjectName(QStringLiteral("PopupMenuAlertaTest"));
    auto *popup = new TDesktopAlert(datos, menu);
    TEntrada entrada{popup, rsArchivo, rbPrueba, std::move(rAlCerrar)};
    connect(menu, &QMenu::triggered, this, [this, entrada](QAction *rItem) { Item_Elegido(entrada, rItem); });
    connect(popup, &TDesktopAlert::Message_Click, this, &TDesktopAlerts::Open_Click);
    connect(popup, &TDesktopAlert::Cerrado, this, &TDesktopAlerts::Cerrado);
    paPopups.append(entrada);
    Apilar();
    popup->Mostrar();
    return popup;
}

bool TDesktopAlerts::Mostrar_Desktop_Alert_Thread(const QString &rsArchivo, const QString &rsNombre,
                                                  const QString &rsMensaje, bool rbConSonido)
{
    if (!Configuracion_Alertas(pContexto).pbDesktopNotifications)
        return Mostrar_Popup(rsArchivo, rsNombre, rsMensaje, rbConSonido, true);
    Notificar(rsArchivo, rsNombre, rsMensaje, rbConSonido,
              [this, rsArchivo, rsNombre, rsMensaje, rbConSonido](const QString &rsFalla) {
                  // Said once, until notifications work again.
                  if (!pbSinNotificaciones)
                      Add_To_Log(Texto_Sin_Notificaciones(Lenguaje_Actual(), rsFalla));
                  pbSinNotificaciones = true;
                  Mostrar_Popup(rsArchivo, rsNombre, rsMensaje, rbConSonido, false);
              });
    return true;
}

bool TDesktopAlerts::Mostrar_Popup(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje,
                                   bool rbConSonido, bool rbNotificarSiFalla)
{
    QString falla;
    try {
        Crear(rsArchivo, rsNombre, rsMensaje, false);
        return true;
    } catch (const std::exception &e) {
        falla = QString::fromLocal8Bit(e.what());
    } catch (...) {
        falla = QStringLiteral("unknown failure");
    }
    // The reminder is not lost with its popup: the desktop's notifications show it, where
    // there are any (a failure there adds nothing to the box below).
    if (rbNotificarSiFalla)
        Notificar(rsArchivo, rsNombre, rsMensaje, rbConSonido, [](const QString &) {});
    MessageBoxBeep(nullptr, Texto_Error_Principal(TErrorPrincipal::E209, falla), Caption_Error(), MB_OK);
    return false;
}

TDatosNotificacion TDesktopAlerts::Datos_Notificacion(const QString &rsNombre, const QString &rsMensaje,
                                                      bool rbConSonido) const
{
    const TConfiguracion &config = Configuracion_Alertas(pContexto);
    TDatosNotificacion datos;
    datos.psNombre = rsNombre;
    datos.psMensaje = rsMensaje;
    datos.pbPermanente = config.pbDesktopAlertPermanent;
    datos.piSegundos = config.piDesktopAlertDuracion;
    datos.piSnoozeDefault = config.piDefaultSnoozeTime;
    datos.pbConSonido = rbConSonido;
    datos.piLenguaje = Lenguaje_Actual();
    datos.pImagen = Icono_Alertas(pContexto).pixmap(64, 64).toImage();
    return datos;
}

void TDesktopAlerts::Notificar(const QString &rsArchivo, const QString &rsNombre, const QString &rsMensaje,
                               bool rbConSonido, std::function<void(const QString &)> rSiFalla)
{
    if (!pNotificaciones) {
        TAccionesNotificacion acciones;
        acciones.Posponer = [this](const QString &rsCaption, const QString &rsDe) { Snooze_Click(rsCaption, rsDe); };
        acciones.Abrir = [this] { Open_Click(); };
        acciones.Silenciar = [this] { Mute_Click(); };
        acciones.Cerrada = [this] { pReproductores.Stop_Audio_Thread(); };
        pNotificaciones = new TNotificacionesAlertas(std::move(acciones), this);
    }
    pNotificaciones->Mostrar(Datos_Notificacion(rsNombre, rsMensaje, rbConSonido), rsArchivo,
                             [this, rSiFalla](const QString &rsFalla) {
                                 if (rsFalla.isEmpty())
                                     pbSinNotificaciones = false;
                                 else
                                     rSiFalla(rsFalla);
                             });
}

int TDesktopAlerts::Notificaciones() const
{
    return pNotificaciones ? pNotificaciones->Abiertas() : 0;
}

QString TDesktopAlerts::Mostrar_Desktop_Alert_Prueba(const QString &rsArchivo, const QString &rsNombre,
                                                     const QString &rsMensaje, std::function<void()> rAlCerrar)
{
    try {
        Crear(rsArchivo, rsNombre, rsMensaje, true, std::move(rAlCerrar));
        return QString();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("unknown failure");
    }
}

void TDesktopAlerts::Apilar()
{
    QScreen *pantalla = QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    const QRect bandeja = pContexto.Geometria_Bandeja ? pContexto.Geometria_Bandeja() : QRect();
    if (bandeja.isValid())
        if (QScreen *deBandeja = QGuiApplication::screenAt(bandeja.center()))
            pantalla = deBandeja;
    const QRect area = Area_Popups(pantalla->availableGeometry(), bandeja);
    // A popup the user dragged away keeps its place and leaves the stack.
    QList<TDesktopAlert *> apilados;
    QList<QSize> tamanos;
    for (TDesktopAlert *popup : Popups())
        if (!popup->Movido()) {
            apilados.append(popup);
            tamanos.append(popup->size());
        }
    const QList<QPoint> posiciones = Posiciones_Apiladas(area, tamanos);
    for (int i = 0; i < apilados.size(); ++i)
        apilados[i]->move(posiciones[i]);
}

void TDesktopAlerts::Item_Elegido(const TEntrada &rEntrada, QAction *rItem)
{
    switch (Tipo_Item_Popup(rItem)) {
    case TTipoItemPopup::Snooze:
        if (rEntrada.pbPrueba)
            Broadcast_Message(QLatin1String(MSG_KESTRIN_CLOSE)); // a test snoozes nothing
        else
            Snooze_Click(rItem);
        break;
    case TTipoItemPopup::Abrir:
        Open_Click();
        break;
    case TTipoItemPopup::Silencio:
        if (rEntrada.pbPrueba) {
            pReproductores.Stop_Audio_Interno();
            Broadcast_Message(QLatin1String(MSG_KESTRIN_MUTE));
        } else {
            Mute_Click();
        }
        break;
    case TTipoItemPopup::Ninguno:
        break;
    }
}

void TDesktopAlerts::Snooze_Click(const QAction *rItem)
{
    Snooze_Click(rItem->text(), Hint_Item_Popup(rItem));
}

void TDesktopAlerts::Snooze_Click(const QString &rsCaption, const QString &rsArchivo)
{
    const int minutos = Minutos_De_Caption_Posponer(rsCaption);
    const QString &archivo = rsArchivo;
    QString falla;
    switch (Posponer_Archivo_Tarea(archivo, minutos, pContexto.Ahora(), &falla)) {
    case TCambio::Ok:
        try {
            if (pContexto.Tras_Posponer)
                pContexto.Tras_Posponer(archivo);
        } catch (const std::exception &e) {
            MessageBoxBeep(nullptr, Texto_Error_Principal(TErrorPrincipal::E219, QString::fromLocal8Bit(e.what())),
                           Caption_Error(), MB_OK);
        }
        break;
    case TCambio::NoExiste:
        // Deleted since it fired: nothing to snooze, and no file is made.
        Presentador_Actual()->Pitido();
        break;
    case TCambio::Error:
        MessageBoxBeep(nullptr, Texto_Error_Principal(TErrorPrincipal::E219, falla), Caption_Error(), MB_OK);
        break;
    }
    Broadcast_Message(QLatin1String(MSG_KESTRIN_CLOSE));
}

void TDesktopAlerts::Open_Click()
{
    if (pContexto.Abrir_Kestrin)
        pContexto.Abrir_Kestrin();
}

void TDesktopAlerts::Mute_Click()
{
    pReproductores.Stop_Audio_Thread();
    Broadcast_Message(QLatin1String(MSG_KESTRIN_MUTE));
}

void TDesktopAlerts::Cerrado(TDesktopAlert *rPopup)
{
    bool prueba = false;
    std::function<void()> alCerrar;
    for (int i = paPopups.size() - 1; i >= 0; --i)
        if (!paPopups[i].pPopup || paPopups[i].pPopup == rPopup) {
            if (paPopups[i].pPopup == rPopup) {
                prueba = paPopups[i].pbPrueba;
                alCerrar = paPopups[i].pAlCerrar;
            }
            paPopups.removeAt(i);
        }
    if (prueba) {
        if (!alCerrar)
            alCerrar = pContexto.Desktop_Alert_Prueba_Close;
        if (alCerrar)
            alCerrar();
    } else {
        pReproductores.Stop_Audio_Thread();
    }
    emit Desktop_Alert_Close(rPopup);
    Apilar();
    rPopup->deleteLater();
}
