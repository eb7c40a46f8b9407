#include "scheduler/despertador.h"

#include "platform/folders.h"
#include "report/eventlog.h"
#include "store/daycount.h"
#include "texts/errortexts.h"
#include "texts/language.h"
#include "texts/waketexts.h"

#include <exception>

double Proxima_Ejecucion_Mas_Temprana(const TTablaTareas &rTabla, double rdDespuesDe)
{
    const double desde = qMax(30000.0, rdDespuesDe);
    double earliest = 99999.0;
    for (const TTipoTarea &tarea : rTabla.paTipoTarea) {
        if (tarea.tdNextRunTime > desde && tarea.tdNextRunTime < earliest)
            earliest = tarea.tdNextRunTime;
    }
    return earliest;
}

qint64 Segundos_Hasta(const QDateTime &rAhora, double rdMomento)
{
    const QDateTime momento = Dias_a_DateTime(rdMomento);
    if (!momento.isValid())
        return 0;
    // Whole seconds, truncated toward zero (qint64 division does exactly that).
    return rAhora.msecsTo(momento) / 1000;
}

TDespertador::TDespertador(TContextoDespertador rContexto, TAlarmaDespertar &rAlarma)
    : pContexto(std::move(rContexto)), pAlarma(rAlarma)
{
}

void TDespertador::WMPowerBroadcast(int riEvento)
{
    if (riEvento == PBT_APMSUSPEND)
        Al_Suspender();
    else if (riEvento == PBT_APMRESUMEAUTOMATIC)
        Al_Reanudar();
}

void TDespertador::Al_Suspender()
{
    if (!pContexto.pbWakeUpComputer || !pContexto.pbWakeUpComputer())
        return;
    if (!pContexto.pTabla)
        return;
    const QDateTime ahora = Ahora_DateTime();
    const double earliest = Proxima_Ejecucion_Mas_Temprana(pContexto.pTabla(), DateTime_a_Dias(ahora));
    if (earliest == 99999.0) {
        pAlarma.Cancelar();
        piMomentoMs = -1;
        return;
    }
    const qint64 segundos = Segundos_Hasta(ahora, earliest);
    if (segundos <= 0) {
        // Less than a second ahead: it falls due as the machine goes down, and the
        // scheduler fires it on resume; a leftover alarm would only wake us for nothing.
        pAlarma.Cancelar();
        piMomentoMs = -1;
        return;
    }
    Programar_Wake_Timer(ahora, segundos);
}

void TDespertador::Programar_Wake_Timer(const QDateTime &rAhora, qint64 riSegundos)
{
    const qint64 momento = rAhora.toMSecsSinceEpoch() + riSegundos * 1000;
    const int error = pAlarma.Armar(momento);
    if (error == 0) {
        piMomentoMs = momento;
        return;
    }
    piMomentoMs = -1;
    // The suspend goes on regardless; the user learns once why the machine stays asleep.
    if (!pbAvisoSinDespertar) {
        pbAvisoSinDespertar = true;
        Add_To_Log(Texto_Sin_Despertar(Lenguaje_Actual(), error, Archivo_Ejecutable()));
    }
}

void TDespertador::Al_Reanudar()
{
    if (pContexto.pRecargarTabla)
        pContexto.pRecargarTabla();
    try {
        if (pContexto.pAvisarPlanificador)
            pContexto.pAvisarPlanificador();
    } catch (const std::exception &e) {
        Add_To_Log(Texto_Error_Principal(TErrorPrincipal::E214, QString::fromLocal8Bit(e.what())));
    } catch (...) {
        Add_To_Log(Texto_Error_Principal(TErrorPrincipal::E214, QStringLiteral("unknown error")));
    }
    // An alarm left armed would wake the machine again at a moment that no longer counts,
    // so it goes whatever the setting says now (the user may have turned it off meanwhile).
    pAlarma.Cancelar();
    piMomentoMs = -1;
    if (pContexto.pEncenderPantalla)
        pContexto.pEncenderPantalla();
}
