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
            [this](const QString &rsTexto) { Reportar(false, rsTexto, psArchivoThread); });
    connect(&MediaPlayerInterno, &TSonidoAlerta::Fallo, this,
            [this](const QString &rsTexto) { Reportar(true, rsTexto, psArchivoInterno); });
}

void TReproductores::Reportar(bool rbInterno, const QString &rsTexto, const QString &rsArchivo)
{
    const bool caja = rbInterno ? pbReportarInterno : pbReportarThread;
    const QString texto = Texto_Error_Principal(rbInterno ? TErrorPrincipal::E204 : TErrorPrincipal::E209,
                                                rsTexto + QStringLiteral(": ") + rsArchivo);
    if (caja)
        MessageBoxBeep(rbInterno ? pOwnerInterno.data() : nullptr, texto, Caption_Error(), MB_OK);
    else
        Add_To_Log(texto);
}

bool TReproductores::Play_Audio_Thread(const QString &rsFile, bool rbLoop, bool rbMostrarError)
{
    pbLoopThread = rbLoop;
    pbReportarThread = rbMostrarError;
    psArchivoThread = rsFile;
    if (MediaPlayerThread.Tocar(rsFile, rbLoop))
        return true;
    pbLoopThread = false;
    Reportar(false, Texto_File_Not_Found(Lenguaje_Actual(), QString()), rsFile);
    return false;
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
    pbLoopInterno = rbLoop;
    pbReportarInterno = rbMostrarError;
    psArchivoInterno = rsFile;
    pOwnerInterno = rOwner;
    if (MediaPlayerInterno.Tocar(rsFile, rbLoop))
        return true;
    pbLoopInterno = false;
    Reportar(true, Texto_File_Not_Found(Lenguaje_Actual(), QString()), rsFile);
    return false;
}

void TReproductores::Stop_Audio_Interno()
{
    pbLoopInterno = false;
    MediaPlayerInterno.Detener();
}
