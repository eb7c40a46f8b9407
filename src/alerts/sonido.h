#pragma once
// One sound player: plays a file once or again and again until stopped. A missing or
// unplayable file simply gives no sound. The alert window has one; the main window has
// two (the reminder's sound and the previews).

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;
class QTimer;

class TSonidoAlerta : public QObject {
    Q_OBJECT
public:
    // A repeated sound starts again no sooner than this after its last start, so a sound
    // of a few milliseconds does not keep a core busy.
    static constexpr int kMsVueltaMinima = 500;

    explicit TSonidoAlerta(QObject *rParent = nullptr);
    ~TSonidoAlerta() override;

    // False when the file is missing (nothing plays). A file that turns out to be
    // unplayable ends in Detenido with a reason.
    bool Tocar(const QString &rsArchivo, bool rbRepetir);
    // Whether Tocar would find rsArchivo (a file, not a folder).
    static bool Existe(const QString &rsArchivo);
    void Detener();
    // Whether the sound under way starts again at its end (nothing when none plays).
    void Poner_Repetir(bool rbRepetir);
    bool Sonando() const { return pbSonando; }
    int Vueltas() const { return piVueltas; } // times the sound started from its beginning
    const QMediaPlayer *Reproductor() const { return pPlayer; } // null until the first sound
    // False when the machine has no audio output at all (no sound card, no sound server):
    // a sound then plays on in silence, keeping time, and nobody hears it.
    static bool Hay_Salida_Audio();

signals:
    void Vuelta(int riVueltas);               // the sound started (again) from the beginning
    void Detenido(const QString &rsMotivo);   // no more sound: stopped, played out or failed
    void Fallo(const QString &rsTexto);       // the back end could not play the file (before Detenido)

private:
    void Estado_Medio(int riEstado);
    void Empezar_Vuelta();
    void Terminar(const QString &rsMotivo);
    void Fallar(const QString &rsTexto);

    QMediaPlayer *pPlayer = nullptr;
    QAudioOutput *pSalida = nullptr;
    QTimer *pPausaVuelta = nullptr;
    QElapsedTimer pInicioVuelta;
    bool pbRepetir = false;
    bool pbSonando = false;
    int piVueltas = 0;
};
