#include "reproductores.h"

#include "report/eventlog.h"
#include "report/messagebox.h"
#include "texts/errortexts.h"
#include "texts/language.h"

#include <QFileInfo>
#include <QWidget>

TReproductores::TReproductores(QObject *rParent) : QObject(rParent)
{
    // A file the back end cannot decode shows up only after play has started.
    connect(&MediaPlayerThread, &TSonidoAlerta::Fallo, this,
            [this](const QString &rsTexto) { Reportar(false, pbReportarThread, nullptr, rsTexto, psArchivoThread); });
    connect(&MediaPlayerInterno, &TSonidoAlerta::Fallo, this,
            [this](const QString &rsTexto) {
                Reportar(true, pbReportarInterno, pOwnerInterno.data(), rsTexto, psArchivoInterno);
            });
}

void TReproductores::Reportar(bool rbInterno, bool rbCaja, QWidget *rOwner, const QString &rsTexto,
                              const QString &rsArchivo)
{
    const QString texto = Texto_Error_Principal(rbInterno ? TErrorPrincipal::E204 : TErrorPrincipal::E210,
                                                rsTexto + QStringLiteral(": ") + rsArchivo);
    if (rbCaja)
        MessageBoxBeep(rOwner, texto, Caption_Error(), MB_OK);
    else
        Add_To_Log(texto);
}

bool TReproductores::Play_Audio_Thread(const QString &rsFile, bool rbLoop, bool rbMostrarError)
{
    if (!TSonidoAlerta::Existe(rsFile)) {
        // Nothing to play: the sound under way, if any, goes on as it was.
        Reportar(false, rbMostrarError, nullptr, Texto_File_Not_Found(Lenguaje_Actual(), QString()), rsFile);
        return false;
    }
    pbLoopThread = rbLoop;
    pbReportarThread = rbMostrarError;
    psArchivoThread = rsFile;
    return MediaPlayerThread.Tocar(rsFile, rbLoop);
}

void TReproductores::Stop_Audio_Thread()
{
    pbLoopThread = false;
    MediaPlayerThread.Detener();
}

void TReproductores::Tocar_Sonido_Thread(int riUsarSonidoDefault, int riRepetirSonido,
                                         const QString &rsPathDelSonido, const QString &rsCarpetaSonidos,
                                         const QString &rsDefaultSound)
{
    const QString archivo = riUsarSonidoDefault == 1 ? rsCarpetaSonidos + rsDefaultSound : rsPathDelSonido;
    // Play_Audio_Thread logs a missing file; the reminder still fires, silently.
    if (Play_Audio_Thread(archivo, riRepetirSonido == 1, false) && !pbAvisoSinAudio &&
        !TSonidoAlerta::Hay_Salida_Audio()) {
        // Played into nothing: said once per start, not at every reminder.
        pbAvisoSinAudio = true;
        Add_To_Log(Texto_Sin_Salida_Audio(Lenguaje_Actual()));
    }
}

bool TReproductores::Play_Audio_Interno(QWidget *rOwner, const QString &rsFile, bool rbLoop, bool rbMostrarError)
{
    if (!TSonidoAlerta::Existe(rsFile)) {
        Reportar(true, rbMostrarError, rOwner, Texto_File_Not_Found(Lenguaje_Actual(), QString()), rsFile);
        return false;
    }
    pbLoopInterno = rbLoop;
    pbReportarInterno = rbMostrarError;
    psArchivoInterno = rsFile;
    pOwnerInterno = rOwner;
    return MediaPlayerInterno.Tocar(rsFile, rbLoop);
}

void TReproductores::Loop_Audio_Interno(bool rbLoop)
{
    pbLoopInterno = rbLoop;
    MediaPlayerInterno.Poner_Repetir(rbLoop);
}

void TReproductores::Stop_Audio_Interno()
{
    pbLoopInterno = false;
    MediaPlayerInterno.Detener();
}
