#include "tiempopopup.h"

#include <algorithm>

TTiempoPopup::TTiempoPopup(int riDuracionMs, bool rbPermanente)
    : piDuracionMs(std::max(0, riDuracionMs)), pbPermanente(rbPermanente)
{
}

void TTiempoPopup::Iniciar(qint64 riAhora)
{
    pEstado = TEstadoPopup::Apareciendo;
    piOpacidad = 0;
    piPaso = 0;
    piInicioFase = riAhora;
    piProximaPrueba = riAhora + MS_PRUEBA_PUNTERO;
}

void TTiempoPopup::Empezar_Desaparecer(qint64 riAhora)
{
    pEstado = TEstadoPopup::Desapareciendo;
    piInicioFase = riAhora;
    piPaso = 0;
    piOpacidad = OPACIDAD_MAXIMA;
}

void TTiempoPopup::Avanzar(qint64 riAhora, bool rbEncima)
{
    if (pEstado == TEstadoPopup::Creado || pEstado == TEstadoPopup::Cerrado)
        return;

    if (riAhora >= piProximaPrueba) {
        // Late timers test once and go on from now, not once per missed period.
        piProximaPrueba = riAhora + MS_PRUEBA_PUNTERO;
        const bool salio = pbEncima && !rbEncima;
        pbEncima = rbEncima;
        if (pbEncima) {
            // Held fully shown, whatever phase it was in; the display time stops.
            pEstado = TEstadoPopup::Mostrado;
            piOpacidad = OPACIDAD_MAXIMA;
            piInicioFase = riAhora;
            return;
        }
        if (salio && pEstado == TEstadoPopup::Mostrado) {
            Empezar_Desaparecer(riAhora);
            return;
        }
    }

    switch (pEstado) {
    case TEstadoPopup::Apareciendo: {
        piPaso = std::min<qint64>(PASOS_FUNDIDO, (riAhora - piInicioFase) / MS_PASO_APARECER);
        piOpacidad = int(OPACIDAD_MAXIMA * piPaso / PASOS_FUNDIDO);
        if (piPaso >= PASOS_FUNDIDO) {
            pEstado = TEstadoPopup::Mostrado;
            piInicioFase = riAhora;
            piFinMostrado = riAhora + piDuracionMs;
        }
        break;
    }
    case TEstadoPopup::Mostrado:
        if (!pbEncima && !pbPermanente && riAhora >= piFinMostrado)
            Empezar_Desaparecer(riAhora);
        break;
    case TEstadoPopup::Desapareciendo: {
        piPaso = std::min<qint64>(PASOS_FUNDIDO, (riAhora - piInicioFase) / MS_PASO_DESAPARECER);
        piOpacidad = int(OPACIDAD_MAXIMA * (PASOS_FUNDIDO - piPaso) / PASOS_FUNDIDO);
        if (piPaso >= PASOS_FUNDIDO)
            pEstado = TEstadoPopup::Cerrado;
        break;
    }
    case TEstadoPopup::Creado:
    case TEstadoPopup::Cerrado:
        break;
    }
}

void TTiempoPopup::Cerrar()
{
    pEstado = TEstadoPopup::Cerrado;
    piOpacidad = 0;
}

qint64 TTiempoPopup::Proximo() const
{
    switch (pEstado) {
    case TEstadoPopup::Apareciendo:
        return std::min(piInicioFase + (piPaso + 1) * MS_PASO_APARECER, piProximaPrueba);
    case TEstadoPopup::Mostrado:
        if (pbEncima || pbPermanente)
            return piProximaPrueba;
        return std::min(piFinMostrado, piProximaPrueba);
    case TEstadoPopup::Desapareciendo:
        return std::min(piInicioFase + (piPaso + 1) * MS_PASO_DESAPARECER, piProximaPrueba);
    case TEstadoPopup::Creado:
    case TEstadoPopup::Cerrado:
        break;
    }
    return -1;
}
