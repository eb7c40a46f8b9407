#include "texts/schedulerreport.h"

#include "texts/errortexts.h"

TAccionReporte Accion_Reporte_Planificador(int riCodigo, const QString &rsTexto, int &fiContadorLogErrors)
{
    TAccionReporte accion;
    switch (riCodigo) {
    case 1:
        if (fiContadorLogErrors < 3) {
            ++fiContadorLogErrors;
            accion.sLog = Texto_Log_Planificador(riCodigo, rsTexto);
            accion.bReiniciar = true;
        } else {
            accion.sCaja = Texto_Caja_Planificador(riCodigo, rsTexto);
        }
        break;
    case 3:
        accion.sLog = Texto_Log_Planificador(riCodigo, rsTexto);
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        accion.sCaja = Texto_Caja_Planificador(riCodigo, rsTexto);
        break;
    default:
        break;
    }
    return accion;
}

TAccionReporte Accion_Planificador_Detenido(const QString &rsTexto)
{
    TAccionReporte accion;
    accion.sLog = Texto_Error_Principal(TErrorPrincipal::E200, rsTexto);
    accion.bReiniciar = true;
    return accion;
}
