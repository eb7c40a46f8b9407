#include "soundcontext.h"

#include "mainwindow.h"
#include "texts/language.h"

TContextoSonidos Contexto_Sonidos(TfrmMain &rVentana, TReproductorInterno *rReproductor)
{
    TContextoSonidos contexto;
    contexto.aCarpetas = {rVentana.pCarpetas.psAppDataSoundsAllUsers, rVentana.pCarpetas.psAppDataDefaultAllUsers};
    contexto.pDefaultSound = &rVentana.pConfiguracion.psDefaultSound;
    contexto.iLenguaje = Lenguaje_Actual();
    contexto.pReproductor = rReproductor;
    // The dialog has changed the window's setting itself; the running scheduler keeps a
    // copy of its own for its next alerts.
    TfrmMain *ventana = &rVentana;
    contexto.Default_Cambiado = [ventana](const QString &rsSonido) {
        if (ventana->pThreadAlerta)
            ventana->pThreadAlerta->psDefaultSound.Poner(rsSonido);
    };
    return contexto;
}
