#include "report/messagerecorder.h"

TGrabadorMensajes::TGrabadorMensajes()
    : pAnterior(Presentador_Actual())
{
    Establecer_Presentador(this);
}

TGrabadorMensajes::~TGrabadorMensajes()
{
    // The console presenter is the default: going back to it means none installed.
    Establecer_Presentador(nullptr);
    if (pAnterior && pAnterior != Presentador_Actual())
        Establecer_Presentador(pAnterior);
}

void TGrabadorMensajes::Pitido()
{
    paEventos << QStringLiteral("beep");
}

int TGrabadorMensajes::Mostrar(QObject *rOwner, const QString &rsTitulo, const QString &rsTexto, int riIcono,
                               int rBotones)
{
    paEventos << QStringLiteral("box");
    paCajas << TCajaRegistrada{rOwner, rsTitulo, rsTexto, riIcono, rBotones};
    if (pAlMostrar)
        pAlMostrar(paCajas.constLast());
    return rBotones == MB_OKCANCEL ? piRespuesta : IDOK;
}
