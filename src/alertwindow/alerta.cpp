#include "alerta.h"

#include "bitacora.h"

#include "platform/bus.h"
#include "store/reminderfile.h"
#include "store/textforms.h"
#include "store/writer.h"

TAlerta::TAlerta(const TArgumentosAlerta &rArgumentos, const TTipoTarea &rTarea, double rdAhora, QObject *rParent)
    : QObject(rParent), pArgumentos(rArgumentos), pTarea(rTarea), pdMomento(rdAhora),
      paOpciones(Opciones_Posponer(Lenguaje()))
{
    connect(&pSonido, &TSonidoAlerta::Vuelta, this, [this](int riVueltas) {
        QString evento = riVueltas == 1 ? QStringLiteral("sound playing") : QStringLiteral("sound again");
        if (!TSonidoAlerta::Hay_Salida_Audio())
            evento += QStringLiteral(", not heard: no audio output");
        Registrar_Evento_Alerta(evento);
        emit Sonido_Cambio();
    });
    connect(&pSonido, &TSonidoAlerta::Detenido, this, [this](const QString &rsMotivo) {
        Registrar_Evento_Alerta(QStringLiteral("sound ended: ") + rsMotivo);
        emit Sonido_Cambio();
    });
}

QString TAlerta::Texto_Momento() const
{
    return Convertir_FechaHora_a_Cadena(pdMomento, QStringLiteral(", "), true, true, false, false, true, Lenguaje());
}

QString TAlerta::Titulo() const
{
    const QString nombre = pTarea.tsTaskName.trimmed();
    return nombre.isEmpty() ? QStringLiteral("Kestrin") : nombre;
}

int TAlerta::Indice_Inicial() const
{
    const int indice = Indice_Opcion_Posponer(paOpciones, pArgumentos.piSnoozeDefault);
    return indice >= 0 ? indice : Indice_Opcion_Posponer(paOpciones, 10);
}

bool TAlerta::Iniciar()
{
    // Listening comes first: a "KestrinClose" sent as soon as the window can be seen
    // must not find it deaf.
    if (!pBus) {
        pBus = new TBusListener(this);
        connect(pBus, &TBusListener::Message_Received, this, &TAlerta::Mensaje_Recibido);
    }
    const bool cerrar = pBus->Listen(QLatin1String(MSG_KESTRIN_CLOSE));
    const bool silenciar = pBus->Listen(QLatin1String(MSG_KESTRIN_MUTE));

    // The file decides whether there is sound and whether it repeats; the sound itself
    // is the one the caller chose (the default sound, or the editor's choice in a test).
    if (pTarea.tiTocarSonido == 1 && !pSonido.Tocar(pArgumentos.psSonido, pTarea.tiRepetirSonido == 1))
        Registrar_Evento_Alerta(QStringLiteral("sound missing: ") + pArgumentos.psSonido);
    return cerrar && silenciar;
}

void TAlerta::Mensaje_Recibido(const QString &rsNombre)
{
    Registrar_Evento_Alerta(QStringLiteral("received ") + rsNombre);
    if (rsNombre == QLatin1String(MSG_KESTRIN_MUTE))
        Silenciar();
    else if (rsNombre == QLatin1String(MSG_KESTRIN_CLOSE)) {
        pbCerrarRecibido = true;
        emit Cerrar_Pedido();
    }
}

void TAlerta::Silenciar()
{
    pSonido.Detener();
}

TResultadoPosponer TAlerta::Posponer(int riMinutos, double rdAhora, QString *fsError)
{
    Silenciar();
    if (Es_Prueba()) {
        Registrar_Evento_Alerta(QStringLiteral("snooze %1 (test file, nothing written)").arg(riMinutos));
        pbPospuesto = true;
        return TResultadoPosponer::Prueba;
    }
    QString falla;
    switch (Posponer_Archivo_Tarea(pArgumentos.psArchivo, riMinutos, rdAhora, &falla)) {
    case TCambio::Ok:
        Registrar_Evento_Alerta(QStringLiteral("snoozed %1").arg(riMinutos));
        pbPospuesto = true;
        Broadcast_Message(QLatin1String(MSG_KESTRIN_READ_FILES));
        return TResultadoPosponer::Pospuesto;
    case TCambio::NoExiste:
        Registrar_Evento_Alerta(QStringLiteral("snooze: the reminder file is gone"));
        pbPospuesto = true;
        return TResultadoPosponer::NoExiste;
    case TCambio::Error:
        break;
    }
    Registrar_Evento_Alerta(QStringLiteral("snooze failed: ") + falla);
    if (fsError)
        *fsError = falla;
    return TResultadoPosponer::Error;
}

void TAlerta::Cerrada()
{
    Silenciar();
    if (pbPospuesto || pbCerrarRecibido || Es_Prueba() || pTarea.tiTareaTipo != TAREA_UNA_VEZ ||
        pTarea.tiAutoDelete != 1)
        return;
    // Only the reminder that came up: one edited or snoozed meanwhile (its start or
    // snooze changed) is someone else's to decide about.
    TTipoTarea ahora;
    int codigo = 0;
    if (Leer_Archivo_Tarea(pArgumentos.psArchivo, ahora, codigo) != TLectura::Ok ||
        ahora.tiTareaTipo != TAREA_UNA_VEZ || ahora.tiAutoDelete != 1 ||
        Float_To_Str_Sin_Punto(ahora.tdFechaInicio) != Float_To_Str_Sin_Punto(pTarea.tdFechaInicio) ||
        Float_To_Str_Sin_Punto(ahora.tdSnoozeRun) != Float_To_Str_Sin_Punto(pTarea.tdSnoozeRun))
        return;
    QString falla;
    if (!Retirar_Archivo_Tarea(pArgumentos.psArchivo, &falla)) {
        Registrar_Evento_Alerta(QStringLiteral("retire failed: ") + falla);
        return;
    }
    Registrar_Evento_Alerta(QStringLiteral("retired"));
    Broadcast_Message(QLatin1String(MSG_KESTRIN_READ_FILES));
}
