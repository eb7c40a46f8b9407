#pragma once
// One reminder brought up by the AlertWindow program, without its window: the record
// read from the file, the moment it came up, its sound, the snooze and the two
// messages it answers ("KestrinClose" closes, "KestrinMute" silences).

#include "argumentos.h"
#include "sonido.h"

#include "alerts/snooze.h"
#include "store/record.h"

#include <QObject>

class TBusListener;

enum class TResultadoPosponer { Pospuesto, Prueba, NoExiste, Error };

class TAlerta : public QObject {
    Q_OBJECT
public:
    TAlerta(const TArgumentosAlerta &rArgumentos, const TTipoTarea &rTarea, double rdAhora,
            QObject *rParent = nullptr);

    const TTipoTarea &Tarea() const { return pTarea; }
    const TArgumentosAlerta &Argumentos() const { return pArgumentos; }
    int Lenguaje() const { return pTarea.tiLenguaje == 1 ? 1 : 0; }
    bool Es_Prueba() const { return Es_Archivo_De_Prueba(pArgumentos.psArchivo); }
    double Momento() const { return pdMomento; }
    QString Texto_Momento() const;   // "Today, 9:05 AM" / "Hoy, 9:05 AM"
    QString Titulo() const;          // the reminder's name, or "Kestrin" when it has none

    // The snooze choices in the reminder's language and the one chosen at first: the
    // default snooze time when it is one of them, else 10 minutes.
    const QVector<TOpcionPosponer> &Opciones() const { return paOpciones; }
    int Indice_Inicial() const;

    // Starts listening for the two messages, then plays the sound given on the command
    // line when the file asks for sound. False when there is no bus (the rest works).
    bool Iniciar();

    // Writes the snooze into the reminder file (a ".tmp" test file is never written),
    // then tells the main program to read the files again. Stops the sound.
    TResultadoPosponer Posponer(int riMinutos, double rdAhora, QString *fsError = nullptr);
    void Silenciar();
    // The window has closed. When the user closed it without a snooze (neither its own
    // nor one from the tray popup, which sends "KestrinClose"), a one-time reminder that
    // deletes itself is retired as the scheduler retires a popup-only one: renamed to
    // ".odb", then "KestrinReadFiles". A snooze from the popup can still bring it back;
    // the next start of Kestrin removes it. Other reminders and test files stay as they are.
    void Cerrada();
    bool Sonando() const { return pSonido.Sonando(); }
    TSonidoAlerta &Sonido() { return pSonido; }

signals:
    void Cerrar_Pedido();    // "KestrinClose" arrived
    void Sonido_Cambio();    // the sound started or ended

private:
    void Mensaje_Recibido(const QString &rsNombre);

    TArgumentosAlerta pArgumentos;
    TTipoTarea pTarea;
    double pdMomento;
    QVector<TOpcionPosponer> paOpciones;
    TSonidoAlerta pSonido;
    TBusListener *pBus = nullptr;
    bool pbPospuesto = false;      // snoozed here (or found gone)
    bool pbCerrarRecibido = false; // closed by "KestrinClose"
};
