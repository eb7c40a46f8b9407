#include "sonido.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

TSonidoAlerta::TSonidoAlerta(QObject *rParent) : QObject(rParent)
{
    pPausaVuelta = new QTimer(this);
    pPausaVuelta->setSingleShot(true);
    connect(pPausaVuelta, &QTimer::timeout, this, &TSonidoAlerta::Empezar_Vuelta);
}

TSonidoAlerta::~TSonidoAlerta()
{
    if (pPlayer)
        pPlayer->stop();
}

bool TSonidoAlerta::Existe(const QString &rsArchivo)
{
    return !rsArchivo.isEmpty() && QFileInfo(rsArchivo).isFile();
}

bool TSonidoAlerta::Hay_Salida_Audio()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

bool TSonidoAlerta::Tocar(const QString &rsArchivo, bool rbRepetir)
{
    // A missing file gives no sound and leaves the one under way alone.
    if (!Existe(rsArchivo))
        return false;
    Detener();
    if (!pPlayer) {
        // The player is made only when there is something to play: opening the media
        // back end costs time and, on a machine without sound, may say so on stderr.
        pPlayer = new QMediaPlayer(this);
        pSalida = new QAudioOutput(this);
        pPlayer->setAudioOutput(pSalida);
        connect(pPlayer, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus rEstado) { Estado_Medio(int(rEstado)); });
        connect(pPlayer, &QMediaPlayer::errorOccurred, this,
                [this](QMediaPlayer::Error, const QString &rsTexto) {
                    // After an error the player may still say "playing": the error decides.
                    if (pbSonando)
                        Fallar(rsTexto.isEmpty() ? QStringLiteral("cannot play the file") : rsTexto);
                });
    }
    pbRepetir = rbRepetir;
    pbSonando = true;
    piVueltas = 1;
    pPlayer->setSource(QUrl::fromLocalFile(QFileInfo(rsArchivo).absoluteFilePath()));
    pInicioVuelta.start();
    pPlayer->play();
    emit Vuelta(piVueltas);
    return true;
}

void TSonidoAlerta::Empezar_Vuelta()
{
    if (!pbSonando)
        return;
    pInicioVuelta.start();
    pPlayer->setPosition(0);
    pPlayer->play();
    ++piVueltas;
    emit Vuelta(piVueltas);
}

void TSonidoAlerta::Estado_Medio(int riEstado)
{
    if (!pbSonando)
        return;
    switch (QMediaPlayer::MediaStatus(riEstado)) {
    case QMediaPlayer::EndOfMedia: {
        const qint64 duro = pInicioVuelta.elapsed();
        // At its end a sound's length is known; none means there was nothing to hear: no
        // sound at all, said once, rather than a loop on nothing.
        if (piVueltas == 1 && pPlayer->duration() <= 0) {
            Fallar(QStringLiteral("the sound holds no samples"));
        } else if (pbRepetir) {
            if (duro >= kMsVueltaMinima)
                Empezar_Vuelta();
            else
                pPausaVuelta->start(int(kMsVueltaMinima - duro));
        } else {
            Terminar(QStringLiteral("played out"));
        }
        break;
    }
    case QMediaPlayer::InvalidMedia:
        Fallar(QStringLiteral("invalid media"));
        break;
    default:
        break;
    }
}

void TSonidoAlerta::Poner_Repetir(bool rbRepetir)
{
    pbRepetir = rbRepetir && pbSonando;
    // Waiting between two rounds, a sound that no longer repeats has played out.
    if (!pbRepetir && pbSonando && pPausaVuelta->isActive())
        Terminar(QStringLiteral("played out"));
}

void TSonidoAlerta::Detener()
{
    if (!pbSonando)
        return;
    Terminar(QStringLiteral("stopped"));
}

void TSonidoAlerta::Terminar(const QString &rsMotivo)
{
    pbSonando = false;
    pbRepetir = false;
    pPausaVuelta->stop();
    if (pPlayer)
        pPlayer->stop();
    emit Detenido(rsMotivo);
}

void TSonidoAlerta::Fallar(const QString &rsTexto)
{
    emit Fallo(rsTexto);
    Terminar(QStringLiteral("failed: ") + rsTexto);
}
