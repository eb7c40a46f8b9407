#include "settings/wakesetting.h"

#include "platform/execwait.h"
#include "platform/folders.h"
#include "platform/rtcwake.h"
#include "texts/waketexts.h"

#include <QFileInfo>

#include <exception>

namespace {

TResultadoDespertar Error(int riCodigo, const QString &rsTexto)
{
    TResultadoDespertar r;
    r.iCodigo = riCodigo;
    r.sMensaje = Texto_Error_Wake_Timers(riCodigo, rsTexto);
    return r;
}

// The last non-empty line the helper (or pkexec) wrote on standard error.
QString Ultima_Linea(const QString &rsTexto)
{
    const QStringList lineas = rsTexto.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = lineas.size() - 1; i >= 0; --i) {
        const QString linea = lineas.at(i).trimmed();
        if (!linea.isEmpty())
            return linea;
    }
    return QString();
}

// Why a run failed, in words: the system's, the helper's own, or the limit.
QString Texto_Del_Fallo(const TResultadoEjecucion &rEjecucion, int riLimiteMs, int riLenguaje)
{
    if (!rEjecucion.bIniciado)
        return rEjecucion.sTextoSistema;
    if (rEjecucion.bAgotado)
        return Texto_Tiempo_Agotado(riLenguaje, (riLimiteMs + 999) / 1000);
    const QString linea = Ultima_Linea(rEjecucion.sErrores);
    if (!linea.isEmpty())
        return linea;
    return QStringLiteral("exit status ") + QString::number(rEjecucion.iResultado);
}

} // namespace

bool Existe_Interruptor_Despertar()
{
    return QFileInfo::exists(QString::fromStdString(Ruta_Interruptor_Rtc()));
}

QString Ruta_Ayudante_Despertar(const TContextoWakeTimers &rContexto)
{
    if (!rContexto.psAyudante.isEmpty())
        return rContexto.psAyudante;
    return Carpeta_Ejecutable() + QStringLiteral("kestrin-wakeup");
}

TResultadoDespertar Interpretar_Respuesta_Despertar(const QString &rsSalida, int riLenguaje)
{
    const TCaptionsWakeTimers &c = Captions_Wake_Timers(riLenguaje);
    if (rsSalida.trimmed().isEmpty())
        return Error(601, c.sNoPudoLeer);
    const QString prefijo = QString::fromLatin1(PREFIJO_RESPUESTA_RTC);
    const QStringList lineas = rsSalida.split(QLatin1Char('\n'));
    for (const QString &linea : lineas) {
        if (!linea.startsWith(prefijo))
            continue;
        const QString estado = linea.mid(prefijo.size()).trimmed();
        TResultadoDespertar r;
        if (estado == QLatin1String("enabled"))
            r.bHabilitado = true;
        else if (estado != QLatin1String("disabled"))
            return Error(602, c.sNoPudoLeer);
        return r;
    }
    return Error(603, c.sNoPudoLeer);
}

TResultadoDespertar Leer_Interruptor_Despertar(const TContextoWakeTimers &rContexto, int riLenguaje)
{
    try {
        const TResultadoEjecucion ejecucion = ExecAndWait(
            {Ruta_Ayudante_Despertar(rContexto), QStringLiteral("query")}, 10, true, rContexto.piLimiteMs);
        if (!ejecucion.bIniciado || ejecucion.iResultado != 0)
            return Error(600, Texto_Del_Fallo(ejecucion, rContexto.piLimiteMs, riLenguaje));
        return Interpretar_Respuesta_Despertar(ejecucion.sSalida, riLenguaje);
    } catch (const std::exception &e) {
        return Error(604, QString::fromLocal8Bit(e.what()));
    }
}

TResultadoDespertar Cambiar_Interruptor_Despertar(const TContextoWakeTimers &rContexto, bool rbHabilitar,
                                                  int riLenguaje)
{
    try {
        QStringList orden = rContexto.paPrefijoCambio;
        orden << Ruta_Ayudante_Despertar(rContexto)
              << (rbHabilitar ? QStringLiteral("enable") : QStringLiteral("disable"));
        const TResultadoEjecucion ejecucion = ExecAndWait(orden, 10, true, rContexto.piLimiteCambioMs);
        if (ejecucion.bIniciado && ejecucion.iResultado == 0)
            return TResultadoDespertar{0, QString(), rbHabilitar};
        // pkexec ends with 126 when the authentication dialog was dismissed and 127 when
        // the user may not run it or could not authenticate.
        if (ejecucion.bIniciado && !rContexto.paPrefijoCambio.isEmpty()
            && (ejecucion.iResultado == 126 || ejecucion.iResultado == 127)) {
            QString texto = Captions_Wake_Timers(riLenguaje).sNoAutorizado;
            const QString detalle = Ultima_Linea(ejecucion.sErrores);
            if (!detalle.isEmpty())
                texto += QStringLiteral(" (") + detalle + QLatin1Char(')');
            return Error(610, texto);
        }
        return Error(610, Texto_Del_Fallo(ejecucion, rContexto.piLimiteCambioMs, riLenguaje));
    } catch (const std::exception &e) {
        return Error(604, QString::fromLocal8Bit(e.what()));
    }
}
