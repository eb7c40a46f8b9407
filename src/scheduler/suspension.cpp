#include "scheduler/suspension.h"

#include "platform/screensaver.h"

namespace {
TContextoDespertador Con_Pantalla(TContextoDespertador rContexto)
{
    if (!rContexto.pEncenderPantalla)
        rContexto.pEncenderPantalla = &Report_User_Activity;
    return rContexto;
}
} // namespace

TSuspensionReanudacion::TSuspensionReanudacion(TContextoDespertador rContexto, QObject *rParent,
                                               TAlarmaDespertar::TCrearTimer rCrear)
    : QObject(rParent), pAlarma(std::move(rCrear)), pDespertador(Con_Pantalla(std::move(rContexto)), pAlarma),
      pLogind([this] { pDespertador.WMPowerBroadcast(PBT_APMSUSPEND); },
              [this] { pDespertador.WMPowerBroadcast(PBT_APMRESUMEAUTOMATIC); })
{
}

bool TSuspensionReanudacion::Iniciar(const QDBusConnection &rBus)
{
    return pLogind.Iniciar(rBus);
}
