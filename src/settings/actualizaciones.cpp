#include "settings/actualizaciones.h"

#include "report/messagebox.h"
#include "settings/enlaces.h"
#include "settings/httpget.h"
#include "settings/sitioweb.h"
#include "store/daycount.h"
#include "texts/language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QThread>
#include <QWidget>

#include <cmath>

QString Limpiar_Respuesta(const QString &rsRespuesta)
{
    QString limpio = rsRespuesta;
    limpio.remove(QStringLiteral("<html><body>"), Qt::CaseInsensitive);
    limpio.remove(QStringLiteral("</body></html>"), Qt::CaseInsensitive);
    return limpio;
}

bool Convertir_Version(const QString &rsTexto, double &rdVersion, QString &rsError)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double valor = c.toDouble(rsTexto.trimmed(), &ok);
    if (!ok || !std::isfinite(valor)) {
        rsError = QStringLiteral("'%1' is not a valid floating point value").arg(rsTexto);
        return false;
    }
    rdVersion = valor;
    return true;
}

QString Texto_Nueva_Version(int riLenguaje, double rdVersion)
{
    const QString numero = QString::number(rdVersion, 'g', 15);
    if (riLenguaje == 1)
        return QStringLiteral("Una nueva versión está disponible\r¿Deseas descargar Kestrin ") + numero + QLatin1Char('?');
    return QStringLiteral("A new version is available\rDo you want to download Kestrin ") + numero + QLatin1Char('?');
}

QString Texto_Sin_Actualizaciones(int riLenguaje)
{
    return riLenguaje == 1 ? QStringLiteral("No se encontraron nuevas actualizaciones")
                           : QStringLiteral("No new updates were found");
}

TResultadoActualizacion Evaluar_Respuesta(const QString &rsCuerpo, int riLenguaje)
{
    TResultadoActualizacion r;
    double respuesta = 0, propia = 0;
    QString error;
    if (!Convertir_Version(Limpiar_Respuesta(rsCuerpo), respuesta, error)
        || !Convertir_Version(QLatin1String(VERSION_KESTRIN), propia, error)) {
        r.sTexto = error;
        return r;
    }
    if (respuesta > propia) {
        r.iTipo = TResultadoActualizacion::Nueva;
        r.dVersion = respuesta;
        r.sTexto = Texto_Nueva_Version(riLenguaje, respuesta);
    } else {
        r.iTipo = TResultadoActualizacion::Ninguna;
        r.sTexto = Texto_Sin_Actualizaciones(riLenguaje);
    }
    return r;
}

TBuscadorActualizaciones::TBuscadorActualizaciones(QObject *rParent)
    : QObject(rParent)
{
}

TBuscadorActualizaciones::~TBuscadorActualizaciones()
{
    if (pHilo) {
        pHilo->wait();
        delete pHilo;
    }
}

bool TBuscadorActualizaciones::Iniciar(QWidget *rOwner)
{
    if (pbEnCurso)
        return false;
    pbEnCurso = true;
    pOwner = rOwner;
    const QString url = URL_Buscar_Actualizaciones(Ahora());
    const int limite = piTiempoLimiteMs;
    pHilo = QThread::create([this, url, limite] {
        const TRespuestaHttp r = Obtener_Http(url, limite);
        // Read by the main thread only after the thread has finished.
        pbExito = r.bExito;
        psRespuesta = r.sCuerpo;
        psError = r.sError;
    });
    connect(pHilo, &QThread::finished, this, &TBuscadorActualizaciones::Terminar, Qt::QueuedConnection);
    if (pAlCambiar)
        pAlCambiar(true);
    pHilo->start();
    return true;
}

void TBuscadorActualizaciones::Terminar()
{
    pHilo->wait();
    delete pHilo;
    pHilo = nullptr;
    // Still marked as running while the boxes are open, so no second check can start.
    QWidget *owner = pOwner.data();
    const int lenguaje = Lenguaje_Actual();
    if (!pbExito) {
        MessageBoxBeep(owner, psError, Caption_Error(), MB_OK);
    } else {
        const TResultadoActualizacion r = Evaluar_Respuesta(psRespuesta, lenguaje);
        switch (r.iTipo) {
        case TResultadoActualizacion::Error:
            MessageBoxBeep(owner, r.sTexto, Caption_Error(), MB_OK);
            break;
        case TResultadoActualizacion::Ninguna:
            MessageBoxBeep(owner, r.sTexto, Caption_Informacion(lenguaje), MB_OK);
            break;
        case TResultadoActualizacion::Nueva:
            if (MessageBoxBeep(owner, r.sTexto, Caption_Confirmacion(lenguaje), MB_OKCANCEL) == IDOK)
                Load_URL(URL_Pagina_Descarga(lenguaje), pOwner.data());
            break;
        }
    }
    pbEnCurso = false;
    if (pAlCambiar)
        pAlCambiar(false);
    emit Terminada();
}

bool Buscar_Actualizaciones(QWidget *rOwner, std::function<void(bool)> rAlCambiar)
{
    static QPointer<TBuscadorActualizaciones> buscador;
    if (!buscador)
        buscador = new TBuscadorActualizaciones(QCoreApplication::instance());
    if (buscador->En_Curso())
        return false;
    buscador->pAlCambiar = std::move(rAlCambiar);
    return buscador->Iniciar(rOwner);
}
