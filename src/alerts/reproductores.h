#pragma once
// The main window's two players: MediaPlayerThread for the sound of a fired reminder
// and MediaPlayerInterno for the previews of the wizard and the sound manager. Each
// holds one sound; both may sound at once; a new sound on a player replaces its old
// one, and a stop takes effect at once. A file that cannot be played gives silence and
// one line in the event log (or a numbered box when the caller asks for reports).

#include "alerts/previewplayer.h"
#include "alerts/sonido.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

class TReproductores : public QObject, public TReproductorInterno {
    Q_OBJECT
public:
    explicit TReproductores(QObject *rParent = nullptr);

    // The reminder's player. A failure is "Error 210 - " + its text: a line in the event
    // log, or a box when rbMostrarError.
    bool Play_Audio_Thread(const QString &rsFile, bool rbLoop, bool rbMostrarError);
    void Stop_Audio_Thread();
    // The sound of a fired reminder: the library's default sound (riUsarSonidoDefault 1)
    // or its own file, repeated when riRepetirSonido is 1; never reports in a box. With no
    // audio output on the machine the event log says so, once.
    void Tocar_Sonido_Thread(int riUsarSonidoDefault, int riRepetirSonido, const QString &rsPathDelSonido,
                             const QString &rsCarpetaSonidos, const QString &rsDefaultSound);

    // The preview player.
    bool Play_Audio_Interno(QWidget *rOwner, const QString &rsFile, bool rbLoop, bool rbMostrarError) override;
    void Stop_Audio_Interno() override;
    void Loop_Audio_Interno(bool rbLoop) override;

    // The loop flags (true while a repeating sound is under way).
    bool pbLoopSoundThread() const { return pbLoopThread && MediaPlayerThread.Sonando(); }
    bool pbLoopSound() const { return pbLoopInterno && MediaPlayerInterno.Sonando(); }

    TSonidoAlerta MediaPlayerThread;
    TSonidoAlerta MediaPlayerInterno;

private:
    // One failure: the box over rOwner when rbCaja (the caller asked for it), else a log line.
    void Reportar(bool rbInterno, bool rbCaja, QWidget *rOwner, const QString &rsTexto, const QString &rsArchivo);

    bool pbLoopThread = false;
    bool pbLoopInterno = false;
    bool pbReportarThread = false;
    bool pbReportarInterno = false;
    bool pbAvisoSinAudio = false; // the log already says there is no audio output
    QString psArchivoThread;
    QString psArchivoInterno;
    QPointer<QWidget> pOwnerInterno;
};
